#include "view/geometry.h"

#include <cmath>

#include "document/save_normalise.h"

namespace quorvel {

namespace {
constexpr float kTiny = 1e-14f;
}

void ToPolar(float dx, float dy, float& angle, float& length) {
  if (dx == 0) dx = kTiny;
  if (dy == 0) dy = kTiny;
  const double a = std::atan(double(dy) / double(dx));
  angle = static_cast<float>(dx < 0 ? kPi - a : -a);
  length = static_cast<float>(std::sqrt(double(dx) * dx + double(dy) * dy));
}

void FromPolar(float angle, float length, float& outX, float& outY, bool sineFirst) {
  // One call for both: the same values as sin and cos apart, for half the argument reduction (the
  // redraw makes two of these per waypoint connection).
  double s, c;
  sincos(sineFirst ? double(angle) : -double(angle), &s, &c);
  if (sineFirst) {
    outX = static_cast<float>(s * length);
    outY = static_cast<float>(c * length);
  } else {
    outX = static_cast<float>(c * length);
    outY = static_cast<float>(s * length);
  }
}

namespace {
constexpr double kHeadSpread = 0.7;
const double kSinSpread = std::sin(kHeadSpread), kCosSpread = std::cos(kHeadSpread);

// The arc tangent of y/x for x, y >= 0, not both 0, within 1e-13: reduced to r <= tan(pi/12),
// then the series up to r^19 (the next term is below 5e-14), its halves evaluated side by side.
double AtanOfRatio(double y, double x) {
  constexpr double kSqrt3 = 1.7320508075688772, kTan15 = 0.2679491924311227;
  const bool swapped = y > x;
  double r = swapped ? x / y : y / x;
  double base = 0;
  if (r > kTan15) {
    r = (r * kSqrt3 - 1) / (r + kSqrt3);
    base = kPi / 6;
  }
  const double r2 = r * r, r4 = r2 * r2, r8 = r4 * r4;
  const double p01 = 1 - r2 * (1.0 / 3), p23 = 1.0 / 5 - r2 * (1.0 / 7), p45 = 1.0 / 9 - r2 * (1.0 / 11),
               p67 = 1.0 / 13 - r2 * (1.0 / 15), p89 = 1.0 / 17 - r2 * (1.0 / 19);
  const double sum = (p01 + r4 * p23) + r8 * ((p45 + r4 * p67) + r8 * p89);
  const double angle = base + r * sum;
  return swapped ? kPi / 2 - angle : angle;
}

// Every double within kSlack of v rounds to the same float as v. Our results lie within about
// 1e-12 of what the library's functions give, so where this holds both give the same float.
constexpr double kSlack = 1e-11;
bool SameFloat(double v) { return static_cast<float>(v - kSlack) == static_cast<float>(v + kSlack); }

// The head's two strokes from the sine and cosine of the float angle a (known to about 1e-13).
bool HeadFrom(double a, double s, double c, float length, float (&out)[4]) {
  for (int k = 0; k < 2; ++k) {
    const double sign = k == 0 ? 1.0 : -1.0;
    const float theta = static_cast<float>(a + sign * kHeadSpread);
    // The rotated angle moves by eta when it is stored as a float.
    const double eta = (double(theta) - a) - sign * kHeadSpread;
    const double sinPhi = s * kCosSpread + sign * c * kSinSpread;
    const double cosPhi = c * kCosSpread - sign * s * kSinSpread;
    const double cosEta = 1 - eta * eta / 2;
    const double sinTheta = sinPhi * cosEta + cosPhi * eta;
    const double cosTheta = cosPhi * cosEta - sinPhi * eta;
    // FromPolar turns by -theta: x from the cosine, y from the sine of -theta.
    const double x = cosTheta * length, y = -sinTheta * length;
    if (!SameFloat(x) || !SameFloat(y)) return false;
    out[2 * k] = static_cast<float>(x);
    out[2 * k + 1] = static_cast<float>(y);
  }
  return true;
}
}  // namespace

void ArrowHeadOffsets(float dx, float dy, float length, float& x1, float& y1, float& x2, float& y2) {
  // ToPolar's angle and FromPolar's sines and cosines without the library's trigonometry, which
  // is a good part of a redraw with thousands of waypoint links: the angle's arc tangent by a
  // short series, its sine and cosine from the components, each turned angle by the sum
  // formulas. Where a result lies too near a point at which rounding to float changes for this
  // accuracy to settle it, the library answers instead.
  const float fx = dx == 0 ? kTiny : dx, fy = dy == 0 ? kTiny : dy;
  if (std::isfinite(fx) && std::isfinite(fy) && std::fabs(double(length)) <= 64) {
    // The angle ToPolar works out is -atan(dy/dx), or pi less that when dx < 0.
    const double alpha = std::copysign(AtanOfRatio(std::fabs(double(fy)), std::fabs(double(fx))), double(fy) * fx);
    const double target = fx < 0 ? kPi - alpha : -alpha;
    if (SameFloat(target)) {
      const double a = static_cast<float>(target);
      // Sine and cosine of the exact angle (from the components), then of a, eps away from it.
      const double inv = 1 / std::sqrt(double(fx) * fx + double(fy) * fy);
      const double sinT = -double(fy) * inv, cosT = double(fx) * inv;
      const double eps = a - target;
      const double cosEps = 1 - eps * eps / 2;
      const double s = sinT * cosEps + cosT * eps, c = cosT * cosEps - sinT * eps;
      float out[4];
      if (HeadFrom(a, s, c, length, out)) {
        x1 = out[0], y1 = out[1], x2 = out[2], y2 = out[3];
        return;
      }
    }
  }
  float a, len;
  ToPolar(dx, dy, a, len);
  FromPolar(static_cast<float>(a + kHeadSpread), length, x1, y1, false);
  FromPolar(static_cast<float>(a - kHeadSpread), length, x2, y2, false);
}

// One implementation with the save normalisation, which is its other user.
void VectorAngle(float dx, float dy, float& angle) { angle = VectorAngle(dx, dy); }

void LongToRGB(int32_t lngColor, uint8_t& intRed, uint8_t& intGreen, uint8_t& intBlue) {
  if (lngColor < 0) lngColor &= 0xFFFFFF;
  intRed = static_cast<uint8_t>(lngColor % 256);
  intGreen = static_cast<uint8_t>((lngColor / 256) % 256);
  intBlue = static_cast<uint8_t>((lngColor / 256 / 256) % 256);
}

}  // namespace quorvel
