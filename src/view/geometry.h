#pragma once
// Angle and colour helpers shared by the canvas and the editing code. All arithmetic runs in
// double; results are stored as Singles.
#include <cstdint>

namespace quorvel {

inline constexpr double kPi = 3.14159265358979323846;

// Direction and length of (dx, dy), counter-clockwise on the screen (world y grows downward):
// a zero component counts as 1e-14; angle = -atan(dy/dx) for dx > 0, pi - atan(dy/dx) for dx < 0.
void ToPolar(float dx, float dy, float& angle, float& length);

// sineFirst off: (cos(angle) * length, -sin(angle) * length), the inverse of ToPolar.
// sineFirst on:  (sin(angle) * length,  cos(angle) * length), perpendicular to the above.
void FromPolar(float angle, float length, float& outX, float& outY, bool sineFirst);

// The two strokes of an arrow head along (dx, dy): with a the angle ToPolar gives, exactly what
// FromPolar(float(a + 0.7), length, ..., false) and FromPolar(float(a - 0.7), length, ..., false)
// give, for a fraction of their cost.
void ArrowHeadOffsets(float dx, float dy, float length, float& x1, float& y1, float& x2, float& y2);

// The two-argument arc tangent of (dy, dx) in (-pi, pi], zero components counted as 1e-14.
void VectorAngle(float dx, float dy, float& angle);

// Splits a 0x00BBGGRR colour value. Callers pass 0..16777215; a negative value is read by its low
// three bytes so nothing overflows.
void LongToRGB(int32_t lngColor, uint8_t& intRed, uint8_t& intGreen, uint8_t& intBlue);

}  // namespace quorvel
