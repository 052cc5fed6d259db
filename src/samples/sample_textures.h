#pragma once
// The textures the sample maps name, kept beside them in maps/: small grey images that repeat
// seamlessly, so that the filled view and the game tint them with the polygons' colours. Drawn
// here from integer noise, the same bytes on every machine.
#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::samples {

struct NamedBytes {
  std::string fileName;
  std::vector<uint8_t> bytes;
};

inline constexpr int kSampleTextureSide = 128;

// "quarry_rock.bmp" (rock with cracks, for dm_quarry) and "twin_blocks.bmp" (laid blocks, for
// ctf_twin), as BMP files.
std::vector<NamedBytes> SampleTextures();

// An uncompressed BMP file of 8-bit grey pixels, `grey` holding the rows from the top.
std::vector<uint8_t> GreyBmp(int width, int height, const std::vector<uint8_t>& grey);

}  // namespace quorvel::samples
