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

// One implementation with the save normalisation, which is its other user.
void VectorAngle(float dx, float dy, float& angle) { angle = VectorAngle(dx, dy); }

void LongToRGB(int32_t lngColor, uint8_t& intRed, uint8_t& intGreen, uint8_t& intBlue) {
  if (lngColor < 0) lngColor &= 0xFFFFFF;
  intRed = static_cast<uint8_t>(lngColor % 256);
  intGreen = static_cast<uint8_t>((lngColor / 256) % 256);
  intBlue = static_cast<uint8_t>((lngColor / 256 / 256) % 256);
}

}  // namespace quorvel
