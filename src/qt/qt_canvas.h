#pragma once
// The Canvas of the Qt build: a retained RGB32 image the window blits in paintEvent. Lines,
// rectangles and circles are written straight into the scanlines (a full redraw of a busy map is
// tens of thousands of short dotted lines, which QPainter's dashing makes several times slower);
// labels are rendered once per distinct text with a fixed sans font and then stamped.
// On a high-density screen the image has `scale` device pixels to the logical pixel: every call
// still takes logical pixels, lines and dashes are drawn `scale` pixels thick and long, and labels
// are rendered at the full resolution, so the picture keeps its look and gains its sharpness.
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "view/canvas.h"

namespace quorvel {

class QtCanvas : public Canvas {
 public:
  QtCanvas();

  // A new image of the client size (logical pixels), filled with the background colour; 0 x 0 is
  // allowed (a minimised window) and simply draws nothing.
  void Resize(int width, int height);
  // Device pixels per logical pixel, 1 to 4 (a fractional screen ratio is rounded to the nearest);
  // takes effect at the next Resize.
  void SetScale(double devicePixelRatio);
  int Width() const { return width_ / scale_; }
  int Height() const { return height_ / scale_; }
  int Scale() const { return scale_; }
  // What the window shows: the retained image, or a copy of it with temporary drawings on top.
  const QImage& Image() const { return overlayActive_ ? overlay_ : image_; }
  // Called after a full redraw ends and after each temporary drawing, so the window repaints.
  std::function<void()> onChanged;

  void SetPersistent(bool on) override;
  void Clear(Rgb colour) override;
  void SetLineColour(Rgb colour) override { colour_ = Pack(colour); }
  void SetLineStyle(int style) override { style_ = style; }
  void SetLineWidth(int width) override { lineWidth_ = width < 1 ? 1 : (width > 64 ? 64 : width); }
  void Line(float x1, float y1, float x2, float y2) override;
  void Rect(float x1, float y1, float x2, float y2) override;
  void Circle(float cx, float cy, int radius, Rgb colour) override;
  void SetTextPosition(float x, float y) override {
    textX_ = x;
    textY_ = y;
  }
  void Text(std::string_view text) override;
  float TextWidth(std::string_view text) override;
  float TextHeight(std::string_view text) override;
  void FillSky(float yTop, Rgb top, float yBottom, Rgb bottom) override;
  void FillTriangle(const FillCorner& a, const FillCorner& b, const FillCorner& c) override;
  // Reads the image once and keeps it while the file's time and size stay the same
  // (qt/qt_canvas_texture.cpp); a very large image is kept at a reduced size.
  bool SetFillTexture(std::string_view path) override;

  const QFont& Font() const { return font_; }

 private:
  struct TextStamp {
    std::string text;
    int advance = 0;
    int width = 0, height = 0;
    std::vector<uint8_t> mask;  // width * height, 1 where the glyphs cover the pixel
  };

  static uint32_t Pack(Rgb c) { return 0xFF000000u | (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b; }
  void Target();  // points the pixel writes at the retained image or the overlay
  // Before a temporary drawing's first pixel: the overlay starts as a copy of the retained image.
  void BeginTemporary();
  void Touched();
  void RasterLine(double x1, double y1, double x2, double y2, int minorOffset);
  void Ring(double deviceX, double deviceY, int deviceRadius, Rgb colour);
  void Plot(int x, int y, uint32_t colour) {
    if (static_cast<unsigned>(x) < static_cast<unsigned>(width_) && static_cast<unsigned>(y) < static_cast<unsigned>(height_))
      bits_[static_cast<size_t>(y) * static_cast<size_t>(stride_) + static_cast<size_t>(x)] = colour;
  }
  const TextStamp& Stamp(std::string_view text);

  // A texture image as read from its file, in 32-bit pixels (alpha in the top byte when it has any).
  struct Texture {
    std::string path;
    int64_t modified = 0, size = -1;  // of the file when it was read
    QImage image;                     // null when the file could not be read as an image
    bool hasAlpha = false;
  };
  // One row of a textured triangle: `count` pixels from `px` on, colours and texture position in
  // fixed point stepping along the row.
  void TexturedSpan(uint32_t* px, int count, int32_t at[4], const int32_t step[4], uint32_t u, uint32_t du, uint32_t v,
                    uint32_t dv, bool opaque) const;

  // std::nearbyint without the library call (the plain x86-64 target has no rounding
  // instruction), with the very same results: every line end pays for one. Doubles at or beyond
  // 2^51 are left to the library.
  static constexpr double kExactLimit = 2251799813685248.0;  // 2^51
  static double RoundEven(double v) {
    if (!(std::fabs(v) < kExactLimit)) return std::nearbyint(v);
    constexpr double kShift = 6755399441055744.0;  // 1.5 x 2^52: the sum's last bit is the unit
    const double r = (v + kShift) - kShift;
    return r == 0 ? std::copysign(0.0, v) : r;
  }
  // A logical coordinate's device pixel: the middle one of the `scale` covering it.
  double Device(float v) const { return RoundEven(double(v)) * scale_ + scale_ / 2; }

  QImage image_, overlay_;
  int scale_ = 1;
  bool persistent_ = false;
  bool overlayActive_ = false;
  uint32_t* bits_ = nullptr;
  int stride_ = 0;  // pixels per scanline
  int width_ = 0, height_ = 0;  // device pixels

  uint32_t colour_ = 0xFF000000u;
  int style_ = kSolid;
  int lineWidth_ = 1;
  float textX_ = 0, textY_ = 0;

  QFont font_;
  QFontMetrics metrics_;      // logical sizes, what the core measures with
  QFont deviceFont_;          // the same font at the device resolution, for the stamps

  std::vector<TextStamp> stamps_;

  std::vector<Texture> textures_;  // the most recently used last
  const Texture* texture_ = nullptr;  // the one FillTriangle uses, nullptr for none
};

}  // namespace quorvel
