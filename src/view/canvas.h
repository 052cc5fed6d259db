#pragma once
// The drawing surface the redraw paints on. Toolkit-free: the Qt build draws into a retained image,
// tests record the calls. Every call takes plain values and must not allocate on the hot path, since
// a full redraw of a busy map issues tens of thousands of them.
#include <cstdint>
#include <string_view>

namespace quorvel {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  constexpr bool operator==(const Rgb&) const = default;
};

// A corner of a filled triangle: screen position, colour with its opacity (255 opaque) and
// texture coordinates (one unit is the texture image's width or height).
struct FillCorner {
  float x = 0, y = 0;
  uint8_t r = 0, g = 0, b = 0, a = 255;
  float u = 0, v = 0;
};

enum LineStyle : int { kSolid = 0, kDash = 1, kDot = 2, kDashDot = 3 };

class Canvas {
 public:
  virtual ~Canvas() = default;

  // On: drawing goes to the retained image the window shows and repaints from.
  // Off: drawing is temporary and lost at the next redraw.
  virtual void SetPersistent(bool on) = 0;
  virtual void Clear(Rgb colour) = 0;

  // Current drawing state, kept until changed. The line colour also colours rectangles and text.
  virtual void SetLineColour(Rgb colour) = 0;
  virtual void SetLineStyle(int style) = 0;  // LineStyle; anything else draws solid
  virtual void SetLineWidth(int width) = 0;

  // Screen pixels of the client area, both end points included.
  virtual void Line(float x1, float y1, float x2, float y2) = 0;
  // Outline of the axis-parallel rectangle with corners (x1, y1) and (x2, y2).
  virtual void Rect(float x1, float y1, float x2, float y2) = 0;
  // Outline of a circle in the given colour and the current line style. A negative radius draws
  // nothing; radius 0 is one pixel.
  virtual void Circle(float cx, float cy, int radius, Rgb colour) = 0;

  // Text with its top-left corner at the text position, in the line colour.
  virtual void SetTextPosition(float x, float y) = 0;
  virtual void Text(std::string_view text) = 0;
  virtual float TextWidth(std::string_view text) = 0;
  virtual float TextHeight(std::string_view text) = 0;

  // The filled view, drawn in place of Clear. Rows from yTop down to yBottom blend from the first
  // colour to the second; rows above and below take the nearer colour. Covers the whole surface;
  // one that cannot blend clears to the first colour.
  virtual void FillSky(float yTop, Rgb top, float yBottom, Rgb bottom) {
    (void)yTop, (void)yBottom, (void)bottom;
    Clear(top);
  }
  // Does nothing on a surface that only outlines.
  // The pixels whose centres lie inside the triangle, each corner's colour blended smoothly across
  // it and laid over what is there by the blended opacity.
  virtual void FillTriangle(const FillCorner& a, const FillCorner& b, const FillCorner& c) {
    (void)a, (void)b, (void)c;
  }
  // The image file whose pixels FillTriangle multiplies its colours by from now on, placed by the
  // corners' u and v and repeating in both directions; "" for none. False when this surface
  // cannot read that file: the triangles are then filled without it. Does nothing on a surface
  // that only outlines.
  virtual bool SetFillTexture(std::string_view path) {
    (void)path;
    return true;
  }
};

}  // namespace quorvel
