#include "samples/sample_textures.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace quorvel::samples {

namespace {

constexpr int kSide = kSampleTextureSide;

void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A well-mixed 32-bit hash of a lattice point and a seed.
uint32_t Hash(uint32_t x, uint32_t y, uint32_t seed) {
  uint32_t h = x * 0x8DA6B343u ^ y * 0xD8163841u ^ seed * 0xCB1AB31Fu;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  return h ^ (h >> 15);
}

double Unit(uint32_t h) { return double(h & 0xFFFFFF) / double(0xFFFFFF); }

// Value noise on a lattice of `cells` x `cells` over the image, wrapping at its edges so that the
// image repeats without a seam; 0 to 1.
double WrappedNoise(int x, int y, int cells, uint32_t seed) {
  const double size = double(kSide) / cells;
  const double fx = x / size, fy = y / size;
  const int x0 = int(fx), y0 = int(fy);
  const double tx = fx - x0, ty = fy - y0;
  const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
  const auto at = [&](int ix, int iy) { return Unit(Hash(uint32_t(ix % cells), uint32_t(iy % cells), seed)); };
  const double top = at(x0, y0) + (at(x0 + 1, y0) - at(x0, y0)) * sx;
  const double bottom = at(x0, y0 + 1) + (at(x0 + 1, y0 + 1) - at(x0, y0 + 1)) * sx;
  return top + (bottom - top) * sy;
}

double Octaves(int x, int y, uint32_t seed) {
  return 0.5 * WrappedNoise(x, y, 4, seed) + 0.25 * WrappedNoise(x, y, 8, seed + 1) +
         0.15 * WrappedNoise(x, y, 16, seed + 2) + 0.1 * WrappedNoise(x, y, 32, seed + 3);
}

uint8_t Grey(double v) { return uint8_t(std::clamp(std::lround(v), 0L, 255L)); }

// Mottled rock crossed by thin dark cracks where a second noise passes its middle.
std::vector<uint8_t> Rock() {
  std::vector<uint8_t> g(size_t(kSide) * kSide);
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      double v = 150 + 180 * (Octaves(x, y, 11) - 0.5) + 40;
      const double crack = std::fabs(WrappedNoise(x, y, 8, 77) - 0.5);
      if (crack < 0.025) v -= 70 * (1 - crack / 0.025);
      v += 12 * (Unit(Hash(uint32_t(x), uint32_t(y), 5)) - 0.5);  // grain
      g[size_t(y) * kSide + size_t(x)] = Grey(v);
    }
  return g;
}

// Blocks 32 wide and 16 high, every other row moved by half a block, in darker mortar; each block
// a little lighter or darker than the next, lit from the top left.
std::vector<uint8_t> Blocks() {
  constexpr int kWidth = 32, kHeight = 16, kMortar = 2;
  std::vector<uint8_t> g(size_t(kSide) * kSide);
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      const int row = y / kHeight, shifted = (x + (row % 2) * kWidth / 2) % kSide;
      const int column = shifted / kWidth, bx = shifted % kWidth, by = y % kHeight;
      double v;
      if (bx < kMortar || by < kMortar) {
        v = 118 + 20 * (Octaves(x, y, 23) - 0.5);
      } else {
        v = 212 + 26 * (Unit(Hash(uint32_t(column), uint32_t(row), 31)) - 0.5) + 60 * (Octaves(x, y, 41) - 0.5);
        if (bx == kMortar || by == kMortar) v += 22;
        if (bx == kWidth - 1 || by == kHeight - 1) v -= 26;
      }
      g[size_t(y) * kSide + size_t(x)] = Grey(v);
    }
  return g;
}

}  // namespace

std::vector<uint8_t> GreyBmp(int width, int height, const std::vector<uint8_t>& grey) {
  const uint32_t rowBytes = (uint32_t(width) + 3) & ~3u;
  const uint32_t headers = 14 + 40 + 256 * 4;
  std::vector<uint8_t> out;
  out.reserve(headers + rowBytes * uint32_t(height));
  out.push_back('B');
  out.push_back('M');
  Put32(out, headers + rowBytes * uint32_t(height));
  Put32(out, 0);
  Put32(out, headers);
  Put32(out, 40);  // BITMAPINFOHEADER
  Put32(out, uint32_t(width));
  Put32(out, uint32_t(height));  // positive: the rows run from the bottom up
  Put16(out, 1);
  Put16(out, 8);
  Put32(out, 0);  // no compression
  Put32(out, rowBytes * uint32_t(height));
  Put32(out, 2835);  // 72 dots per inch
  Put32(out, 2835);
  Put32(out, 256);
  Put32(out, 0);
  for (uint32_t i = 0; i < 256; ++i) Put32(out, i * 0x010101u);
  for (int y = height - 1; y >= 0; --y) {
    out.insert(out.end(), grey.begin() + std::ptrdiff_t(y) * width, grey.begin() + std::ptrdiff_t(y + 1) * width);
    out.resize(out.size() + (rowBytes - uint32_t(width)), 0);
  }
  return out;
}

std::vector<NamedBytes> SampleTextures() {
  return {{"quarry_rock.bmp", GreyBmp(kSide, kSide, Rock())}, {"twin_blocks.bmp", GreyBmp(kSide, kSide, Blocks())}};
}

}  // namespace quorvel::samples
