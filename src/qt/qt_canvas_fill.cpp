// The filled view's two primitives of the Qt canvas: the sky and the smoothly coloured triangle
// (textured by qt/qt_canvas_texture.cpp), written straight into the scanlines like the lines. Corners may be anywhere a float reaches (a
// file can hold 1e38): all geometry is worked out in doubles from the corner nearest to the part
// being drawn, rows and columns are cut to the image before anything becomes an integer, and
// colours are clamped, so nothing outside the image is ever written.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "qt/qt_canvas.h"

namespace quorvel {

namespace {

constexpr double kFixOne = 65536.0;  // 16.16 fixed point for the colour steps along a row

uint32_t PackRgb(int r, int g, int b) { return 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b); }

// Round((s * a + d * (255 - a)) / 255) without a division.
inline uint32_t Blend(uint32_t s, uint32_t d, uint32_t a) {
  uint32_t t = s * a + d * (255 - a) + 128;
  return (t + (t >> 8)) >> 8;
}

double Clamp255(double v) { return v > 255 ? 255 : (v >= 0 ? v : 0); }  // NaN becomes 0

// The part of a texture coordinate inside one repeat of the image, in 0.32 fixed point; a
// coordinate that is not finite counts as 0, and one too large to have a fraction is whole.
uint32_t Repeat32(double v) {
  if (!std::isfinite(v)) return 0;
  const double inside = v - std::floor(v);  // 0 to 1, 1 itself only by rounding
  return static_cast<uint32_t>(static_cast<uint64_t>(inside * 4294967296.0));
}

}  // namespace

void QtCanvas::FillSky(float yTop, Rgb top, float yBottom, Rgb bottom) {
  if (width_ == 0 || height_ == 0) return;
  BeginTemporary();
  const double t0 = std::isfinite(yTop) ? yTop : 0.0, t1 = std::isfinite(yBottom) ? yBottom : t0;
  const double span = t1 - t0;
  const size_t rowBytes = size_t(width_) * sizeof(uint32_t);
  uint32_t previous = 0;
  for (int j = 0; j < height_; ++j) {
    // The logical row this device row belongs to, at its centre.
    const double u = (j + 0.5) / scale_ - 0.5;
    const double t = span > 0 ? std::clamp((u - t0) / span, 0.0, 1.0) : (u < t0 ? 0.0 : 1.0);
    const auto mix = [t](uint8_t a, uint8_t b) { return static_cast<int>(std::lround(a + (double(b) - a) * t)); };
    const uint32_t colour = PackRgb(mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b));
    uint32_t* row = bits_ + static_cast<ptrdiff_t>(j) * stride_;
    // Whole rows and doubling runs go through memcpy, which moves them many pixels at a time.
    if (j > 0 && colour == previous) {
      std::memcpy(row, row - stride_, rowBytes);
    } else {
      const int head = std::min(width_, 16);
      std::fill_n(row, head, colour);
      for (int done = head; done < width_; done *= 2)
        std::memcpy(row + done, row, size_t(std::min(done, width_ - done)) * sizeof(uint32_t));
    }
    previous = colour;
  }
  Touched();
}

void QtCanvas::FillTriangle(const FillCorner& a, const FillCorner& b, const FillCorner& c) {
  if (width_ == 0 || height_ == 0 || (a.a == 0 && b.a == 0 && c.a == 0)) return;
  const FillCorner* v[3] = {&a, &b, &c};
  // Device coordinates in which device pixel j has its centre at j + 0.5; a logical position on a
  // whole number is a pixel's centre, as the lines have it.
  // Channels 0 to 3 the colour and its opacity, 4 and 5 the texture coordinates.
  double x[3], y[3], col[3][6];
  for (int k = 0; k < 3; ++k) {
    if (!std::isfinite(v[k]->x) || !std::isfinite(v[k]->y)) return;
    x[k] = (double(v[k]->x) + 0.5) * scale_;
    y[k] = (double(v[k]->y) + 0.5) * scale_;
    col[k][0] = v[k]->r;
    col[k][1] = v[k]->g;
    col[k][2] = v[k]->b;
    col[k][3] = v[k]->a;
    col[k][4] = v[k]->u;
    col[k][5] = v[k]->v;
  }
  const double yMin = std::min({y[0], y[1], y[2]}), yMax = std::max({y[0], y[1], y[2]});
  // Rows whose centres lie in [yMin, yMax), cut to the image while still doubles.
  const double rowFirst = std::max(std::ceil(yMin - 0.5), 0.0);
  const double rowLast = std::min(std::ceil(yMax - 0.5) - 1, double(height_ - 1));
  if (!(rowFirst <= rowLast)) return;

  // Colour planes, anchored at the corner nearest the origin so that far corners cost no accuracy
  // where the triangle is seen. A flat triangle covers no pixel centre.
  int o = 0;
  for (int k = 1; k < 3; ++k)
    if (std::fabs(x[k]) + std::fabs(y[k]) < std::fabs(x[o]) + std::fabs(y[o])) o = k;
  const int p = (o + 1) % 3, q = (o + 2) % 3;
  const double ux = x[p] - x[o], uy = y[p] - y[o], wx = x[q] - x[o], wy = y[q] - y[o];
  const double det = ux * wy - wx * uy;
  if (det == 0 || !std::isfinite(det)) return;
  const int channels = texture_ ? 6 : 4;
  double gx[6], gy[6];
  for (int ch = 0; ch < channels; ++ch) {
    const double dp = col[p][ch] - col[o][ch], dq = col[q][ch] - col[o][ch];
    gx[ch] = (dp * wy - dq * uy) / det;
    gy[ch] = (dq * ux - dp * wx) / det;
  }
  const auto planeAt = [&](int ch, double px, double py) { return col[o][ch] + (px - x[o]) * gx[ch] + (py - y[o]) * gy[ch]; };
  const auto colourAt = [&](int ch, double px, double py) { return Clamp255(planeAt(ch, px, py)); };
  const bool opaque = a.a == 255 && b.a == 255 && c.a == 255;

  BeginTemporary();
  for (int j = static_cast<int>(rowFirst); j <= static_cast<int>(rowLast); ++j) {
    const double yc = j + 0.5;
    double xl = HUGE_VAL, xr = -HUGE_VAL;
    for (int e = 0; e < 3; ++e) {
      const int s = e, t = (e + 1) % 3;
      // Half-open in y, so a row through a shared corner or edge is counted once.
      if (!((y[s] <= yc && yc < y[t]) || (y[t] <= yc && yc < y[s]))) continue;
      // From the end nearer the row: the slope of two far numbers is still exact enough.
      const int n = std::fabs(y[s] - yc) <= std::fabs(y[t] - yc) ? s : t, f = n == s ? t : s;
      const double xe = x[n] + (yc - y[n]) * ((x[f] - x[n]) / (y[f] - y[n]));
      xl = std::min(xl, xe);
      xr = std::max(xr, xe);
    }
    const double colFirst = std::max(std::ceil(xl - 0.5), 0.0);
    const double colLast = std::min(std::ceil(xr - 0.5) - 1, double(width_ - 1));
    if (!(colFirst <= colLast)) continue;
    const int i0 = static_cast<int>(colFirst), i1 = static_cast<int>(colLast);
    const int steps = i1 - i0;
    // The colour is affine along the row: its two clamped ends give every pixel between.
    int32_t at[4], step[4];
    for (int ch = 0; ch < 4; ++ch) {
      const double c0 = colourAt(ch, i0 + 0.5, yc), c1 = colourAt(ch, i1 + 0.5, yc);
      at[ch] = static_cast<int32_t>(c0 * kFixOne + 0.5 * kFixOne);
      step[ch] = steps > 0 ? static_cast<int32_t>((c1 - c0) * kFixOne / steps) : 0;
    }
    uint32_t* px = bits_ + static_cast<ptrdiff_t>(j) * stride_ + i0;
    if (texture_) {
      // Texture coordinates are affine along the row too; they repeat, so only their fractions count.
      TexturedSpan(px, steps + 1, at, step, Repeat32(planeAt(4, i0 + 0.5, yc)), Repeat32(gx[4]),
                   Repeat32(planeAt(5, i0 + 0.5, yc)), Repeat32(gx[5]), opaque);
      continue;
    }
    if (opaque) {
      for (int i = 0; i <= steps; ++i) {
        px[i] = PackRgb(at[0] >> 16, at[1] >> 16, at[2] >> 16);
        at[0] += step[0], at[1] += step[1], at[2] += step[2];
      }
      continue;
    }
    for (int i = 0; i <= steps; ++i) {
      const uint32_t al = static_cast<uint32_t>(at[3] >> 16), d = px[i];
      px[i] = 0xFF000000u | (Blend(uint32_t(at[0] >> 16), d >> 16 & 0xFF, al) << 16) |
              (Blend(uint32_t(at[1] >> 16), d >> 8 & 0xFF, al) << 8) | Blend(uint32_t(at[2] >> 16), d & 0xFF, al);
      at[0] += step[0], at[1] += step[1], at[2] += step[2], at[3] += step[3];
    }
  }
  Touched();
}

}  // namespace quorvel
