#pragma once
// The letters the text tool writes with: each glyph is a few pen strokes on a grid 10 units high
// (y down), turned by make_alphabet into thin solid triangles, one prefab per character code.
#include <vector>

namespace quorvel::alphabet {

struct StrokePoint {
  float x, y;
};
// Lifts the pen: the next point starts a new stroke.
inline constexpr StrokePoint Up{-1, -1};

struct Glyph {
  char code;    // the character, lower case; its Windows-1252 code names the file
  float width;  // grid units
  std::vector<StrokePoint> strokes;
};

// World units per grid unit, the stroke thickness and the blank border round the strokes. The
// border holds a square stroke end at any angle (half the thickness times the square root of 2).
inline constexpr float kGridUnit = 3.5f;
inline constexpr float kStrokeThickness = 3.5f;
inline constexpr float kGlyphBorder = 2.5f;
inline constexpr float kGlyphHeight = 2 * kGlyphBorder + 10 * kGridUnit;  // 40

inline float GlyphBoxWidth(const Glyph& g) { return 2 * kGlyphBorder + g.width * kGridUnit; }

// One glyph a line, each line starting with the character: the build reads the file names from
// these lines.
inline const std::vector<Glyph> kGlyphs = {
{'a', 6, {{0, 10}, {3, 0}, {6, 10}, Up, {1.2f, 6}, {4.8f, 6}}},
{'b', 6, {{0, 10}, {0, 0}, {4, 0}, {5.5f, 1.2f}, {5.5f, 3.8f}, {4, 5}, {0, 5}, Up, {4, 5}, {6, 6.3f}, {6, 8.7f}, {4.5f, 10}, {0, 10}}},
{'c', 6, {{6, 1.5f}, {4.5f, 0}, {1.5f, 0}, {0, 1.5f}, {0, 8.5f}, {1.5f, 10}, {4.5f, 10}, {6, 8.5f}}},
{'d', 6, {{0, 0}, {0, 10}, {3.5f, 10}, {6, 7.5f}, {6, 2.5f}, {3.5f, 0}, {0, 0}}},
{'e', 6, {{6, 0}, {0, 0}, {0, 10}, {6, 10}, Up, {0, 5}, {4.5f, 5}}},
{'f', 6, {{6, 0}, {0, 0}, {0, 10}, Up, {0, 5}, {4.5f, 5}}},
{'g', 6, {{6, 1.5f}, {4.5f, 0}, {1.5f, 0}, {0, 1.5f}, {0, 8.5f}, {1.5f, 10}, {4.5f, 10}, {6, 8.5f}, {6, 5.5f}, {3.5f, 5.5f}}},
{'h', 6, {{0, 0}, {0, 10}, Up, {6, 0}, {6, 10}, Up, {0, 5}, {6, 5}}},
{'i', 4, {{0, 0}, {4, 0}, Up, {2, 0}, {2, 10}, Up, {0, 10}, {4, 10}}},
{'j', 6, {{2, 0}, {6, 0}, Up, {5, 0}, {5, 8.5f}, {3.5f, 10}, {1.5f, 10}, {0, 8.5f}}},
{'k', 6, {{0, 0}, {0, 10}, Up, {6, 0}, {0, 6}, Up, {2, 4}, {6, 10}}},
{'l', 5, {{0, 0}, {0, 10}, {5, 10}}},
{'m', 7, {{0, 10}, {0, 0}, {3.5f, 6}, {7, 0}, {7, 10}}},
{'n', 6, {{0, 10}, {0, 0}, {6, 10}, {6, 0}}},
{'o', 6, {{1.5f, 0}, {4.5f, 0}, {6, 1.5f}, {6, 8.5f}, {4.5f, 10}, {1.5f, 10}, {0, 8.5f}, {0, 1.5f}, {1.5f, 0}}},
{'p', 6, {{0, 10}, {0, 0}, {4.5f, 0}, {6, 1.5f}, {6, 3.5f}, {4.5f, 5}, {0, 5}}},
{'q', 6, {{1.5f, 0}, {4.5f, 0}, {6, 1.5f}, {6, 8.5f}, {4.5f, 10}, {1.5f, 10}, {0, 8.5f}, {0, 1.5f}, {1.5f, 0}, Up, {3.5f, 7}, {6, 10}}},
{'r', 6, {{0, 10}, {0, 0}, {4.5f, 0}, {6, 1.5f}, {6, 3.5f}, {4.5f, 5}, {0, 5}, Up, {3, 5}, {6, 10}}},
{'s', 6, {{6, 1.5f}, {4.5f, 0}, {1.5f, 0}, {0, 1.5f}, {0, 3.5f}, {1.5f, 5}, {4.5f, 5}, {6, 6.5f}, {6, 8.5f}, {4.5f, 10}, {1.5f, 10}, {0, 8.5f}}},
{'t', 6, {{0, 0}, {6, 0}, Up, {3, 0}, {3, 10}}},
{'u', 6, {{0, 0}, {0, 8.5f}, {1.5f, 10}, {4.5f, 10}, {6, 8.5f}, {6, 0}}},
{'v', 6, {{0, 0}, {3, 10}, {6, 0}}},
{'w', 7, {{0, 0}, {1.75f, 10}, {3.5f, 4}, {5.25f, 10}, {7, 0}}},
{'x', 6, {{0, 0}, {6, 10}, Up, {6, 0}, {0, 10}}},
{'y', 6, {{0, 0}, {3, 5}, {6, 0}, Up, {3, 5}, {3, 10}}},
{'z', 6, {{0, 0}, {6, 0}, {0, 10}, {6, 10}}},
{'0', 6, {{1.5f, 0}, {4.5f, 0}, {6, 1.5f}, {6, 8.5f}, {4.5f, 10}, {1.5f, 10}, {0, 8.5f}, {0, 1.5f}, {1.5f, 0}, Up, {5, 2}, {1, 8}}},
{'1', 5, {{0.5f, 2}, {2.5f, 0}, {2.5f, 10}, Up, {0, 10}, {5, 10}}},
{'2', 6, {{0, 1.5f}, {1.5f, 0}, {4.5f, 0}, {6, 1.5f}, {6, 3.5f}, {0, 10}, {6, 10}}},
{'3', 6, {{0, 1.5f}, {1.5f, 0}, {4.5f, 0}, {6, 1.5f}, {6, 3.5f}, {4.5f, 5}, {2, 5}, Up, {4.5f, 5}, {6, 6.5f}, {6, 8.5f}, {4.5f, 10}, {1.5f, 10}, {0, 8.5f}}},
{'4', 6, {{4.5f, 10}, {4.5f, 0}, {0, 7}, {6, 7}}},
{'5', 6, {{6, 0}, {0, 0}, {0, 4.5f}, {4.5f, 4.5f}, {6, 6}, {6, 8.5f}, {4.5f, 10}, {1.5f, 10}, {0, 8.5f}}},
{'6', 6, {{5.5f, 0}, {2.5f, 0}, {0, 3}, {0, 8.5f}, {1.5f, 10}, {4.5f, 10}, {6, 8.5f}, {6, 6.5f}, {4.5f, 5}, {1.5f, 5}, {0, 6.5f}}},
{'7', 6, {{0, 0}, {6, 0}, {2, 10}}},
{'8', 6, {{1.5f, 5}, {0, 3.5f}, {0, 1.5f}, {1.5f, 0}, {4.5f, 0}, {6, 1.5f}, {6, 3.5f}, {4.5f, 5}, {1.5f, 5}, {0, 6.5f}, {0, 8.5f}, {1.5f, 10}, {4.5f, 10}, {6, 8.5f}, {6, 6.5f}, {4.5f, 5}}},
{'9', 6, {{6, 3.5f}, {4.5f, 5}, {1.5f, 5}, {0, 3.5f}, {0, 1.5f}, {1.5f, 0}, {4.5f, 0}, {6, 1.5f}, {6, 7}, {3.5f, 10}, {0.5f, 10}}},
{'-', 4, {{0, 5}, {4, 5}}},
{'.', 1, {{0, 9.5f}, {1, 9.5f}}},
{'!', 1, {{0.5f, 0}, {0.5f, 6.5f}, Up, {0.5f, 9.2f}, {0.5f, 10}}},
};

}  // namespace quorvel::alphabet
