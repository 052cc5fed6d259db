#include "qt/qt_canvas.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

namespace quorvel {

namespace {

// Dash patterns as bit masks over their period, one bit per pixel along the major axis; the same
// proportions as Qt's cosmetic dash, dot and dash-dot pens.
struct Pattern {
  unsigned mask;
  int period;
};
Pattern PatternOf(int style) {
  switch (style) {
    case kDash: return {0b001111u, 6};
    case kDot: return {0b001u, 3};
    case kDashDot: return {0b001001111u, 9};
    default: return {1u, 1};
  }
}

QFont CanvasFont() {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(11);
  // Crisp one-colour glyphs, stamped like the lines.
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}

constexpr size_t kMaxStamps = 256;

// std::floor and std::llround without the library calls, as RoundEven (in the header) for
// std::nearbyint; doubles at or beyond 2^51 are left to the library.
constexpr double kExactLimit = 2251799813685248.0;  // 2^51
inline double Floor(double v) {
  if (!(std::fabs(v) < kExactLimit)) return std::floor(v);
  const double t = static_cast<double>(static_cast<int64_t>(v));
  return t > v ? t - 1 : t;
}
inline int64_t RoundAway(double v) {
  if (!(std::fabs(v) < kExactLimit)) return std::llround(v);
  const int64_t t = static_cast<int64_t>(v);
  const double rest = v - static_cast<double>(t);  // exact
  return rest >= 0.5 ? t + 1 : (rest <= -0.5 ? t - 1 : t);
}
constexpr double kFix = 4294967296.0;  // 32.32 fixed point for the minor axis
constexpr double kNearLimit = 1 << 24;  // ends within this many pixels are drawn as they are

// Cuts the segment to the box [left, right] x [top, bottom] and rounds the new ends to whole
// pixels inside it; false when nothing of it lies in the box. The range along the segment's major
// axis is found by comparisons alone, which are exact for any ends; the other coordinate is then
// taken from the end nearer to it in quadruple precision, so a line from the canvas to a corner
// at 1e38 still crosses the canvas where it should.
bool ClipToBox(double& x1, double& y1, double& x2, double& y2, double left, double top, double right,
               double bottom) {
  using Wide = __float128;
  const bool xMajor = std::fabs(x2 - x1) >= std::fabs(y2 - y1);
  double& a1 = xMajor ? x1 : y1;
  double& a2 = xMajor ? x2 : y2;
  double& b1 = xMajor ? y1 : x1;
  double& b2 = xMajor ? y2 : x2;
  const double aLo = xMajor ? left : top, aHi = xMajor ? right : bottom;
  const double bLo = xMajor ? top : left, bHi = xMajor ? bottom : right;
  if (a1 == a2) return bLo <= std::min(b1, b2) && std::max(b1, b2) <= bHi && aLo <= a1 && a1 <= aHi;
  // Minor coordinate at major coordinate a, and the reverse (|slope| <= 1 makes the first the
  // well-conditioned one; the second is only used on the minor edges).
  const Wide da = Wide(a2) - Wide(a1), db = Wide(b2) - Wide(b1);
  const bool nearFirst = std::fabs(b1) <= std::fabs(b2);
  const Wide a0 = nearFirst ? a1 : a2, b0 = nearFirst ? b1 : b2;
  const auto minorAt = [&](double a) { return b0 + (Wide(a) - a0) * db / da; };
  const auto majorAt = [&](double b) { return a0 + (Wide(b) - b0) * da / db; };

  const bool up = a2 > a1;  // keep the segment's direction
  double from = std::max(aLo, std::min(a1, a2)), to = std::min(aHi, std::max(a1, a2));
  if (!(from <= to)) return false;
  if (!up) std::swap(from, to);
  Wide bFrom = minorAt(from), bTo = minorAt(to);
  // Narrow to the minor range where the segment leaves it.
  for (const double edge : {bLo, bHi}) {
    const bool fromOut = edge == bLo ? bFrom < edge : bFrom > edge;
    const bool toOut = edge == bLo ? bTo < edge : bTo > edge;
    if (fromOut && toOut) return false;
    if (fromOut || toOut) {
      const double cut = static_cast<double>(majorAt(edge));
      (fromOut ? from : to) = std::clamp(cut, std::min(from, to), std::max(from, to));
      (fromOut ? bFrom : bTo) = edge;
    }
  }
  a1 = std::clamp(std::nearbyint(from), aLo, aHi);
  a2 = std::clamp(std::nearbyint(to), aLo, aHi);
  b1 = std::clamp(std::nearbyint(static_cast<double>(bFrom)), bLo, bHi);
  b2 = std::clamp(std::nearbyint(static_cast<double>(bTo)), bLo, bHi);
  return true;
}

}  // namespace

QtCanvas::QtCanvas() : font_(CanvasFont()), metrics_(font_), deviceFont_(font_) { Resize(0, 0); }

void QtCanvas::SetScale(double devicePixelRatio) {
  const int scale = std::isfinite(devicePixelRatio) ? std::clamp(static_cast<int>(std::lround(devicePixelRatio)), 1, 4) : 1;
  if (scale == scale_) return;
  scale_ = scale;
  deviceFont_ = font_;
  deviceFont_.setPixelSize(font_.pixelSize() * scale_);
  stamps_.clear();
}

void QtCanvas::Resize(int width, int height) {
  width_ = std::max(width, 0) * scale_;
  height_ = std::max(height, 0) * scale_;
  image_ = QImage(std::max(width_, 1), std::max(height_, 1), QImage::Format_RGB32);
  image_.setDevicePixelRatio(scale_);
  image_.fill(QColor(64, 64, 64));
  overlay_ = QImage();
  overlayActive_ = false;
  Target();
}

void QtCanvas::Target() {
  QImage& img = overlayActive_ ? overlay_ : image_;
  bits_ = reinterpret_cast<uint32_t*>(img.bits());  // detaches a shared copy before we write
  stride_ = static_cast<int>(img.bytesPerLine() / 4);
}

void QtCanvas::BeginTemporary() {
  if (persistent_ || overlayActive_) return;
  overlay_ = image_.copy();
  overlayActive_ = true;
  Target();
}

void QtCanvas::SetPersistent(bool on) {
  persistent_ = on;
  if (on) {
    // Temporary drawings are lost at the next redraw.
    overlayActive_ = false;
    overlay_ = QImage();
    Target();
  } else if (onChanged) {
    onChanged();
  }
}

void QtCanvas::Touched() {
  if (persistent_) return;
  if (onChanged) onChanged();
}

void QtCanvas::Clear(Rgb colour) {
  if (!persistent_ && !overlayActive_) {
    overlay_ = image_.copy();
    overlayActive_ = true;
  }
  // Qt's vectorised fill: the clear is the single largest cost of a redraw on a big window.
  QImage& img = overlayActive_ ? overlay_ : image_;
  if (width_ > 0 && height_ > 0) img.fill(Pack(colour));
  Target();
  Touched();
}

void QtCanvas::Line(float x1, float y1, float x2, float y2) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return;
  if (width_ == 0 || height_ == 0) return;
  BeginTemporary();
  double ax = Device(x1), ay = Device(y1), bx = Device(x2), by = Device(y2);
  // Far-away ends (a corner at 1e30 in a file) are first cut to a box one pixel round the image,
  // so everything after works on small numbers that doubles hold exactly. Near lines skip this and
  // keep their dash phase from their own start.
  if (std::max({std::fabs(ax), std::fabs(ay), std::fabs(bx), std::fabs(by)}) > kNearLimit &&
      !ClipToBox(ax, ay, bx, by, -1.0, -1.0, double(width_), double(height_)))
    return;
  const int width = lineWidth_ * scale_;
  if (width == 1) {
    RasterLine(ax, ay, bx, by, 0);
  } else {
    for (int k = 0; k < width; ++k) RasterLine(ax, ay, bx, by, k - width / 2);
  }
  Touched();
}

// One-pixel line between whole-pixel ends, clipped to the image by parameter range so that a line
// reaching far outside costs only its visible part; the dash phase counts from the start point.
void QtCanvas::RasterLine(double x1, double y1, double x2, double y2, int minorOffset) {
  const double dx = x2 - x1, dy = y2 - y1;
  const bool xMajor = std::fabs(dx) >= std::fabs(dy);
  const double majorStart = xMajor ? x1 : y1;
  double minorStart = (xMajor ? y1 : x1) + minorOffset;
  const double dMajor = xMajor ? dx : dy, dMinor = xMajor ? dy : dx;
  const int majorLimit = xMajor ? width_ : height_;
  const int minorLimit = xMajor ? height_ : width_;
  const ptrdiff_t majorStride = xMajor ? 1 : stride_;
  const ptrdiff_t minorStride = xMajor ? stride_ : 1;
  const double n = std::fabs(dMajor);
  const int s = dMajor < 0 ? -1 : 1;
  const double k = n > 0 ? dMinor / n : 0.0;

  double tLo = 0, tHi = n;
  // Most lines lie wholly on the image: their range is the whole line, which is exactly what the
  // clipping below would work out (with three divisions).
  const double minorLast = minorStart + dMinor, majorLast = majorStart + dMajor;
  const bool onImage = std::min(majorStart, majorLast) >= 0 && std::max(majorStart, majorLast) <= majorLimit - 1 &&
                       std::min(minorStart, minorLast) >= 0 && std::max(minorStart, minorLast) <= minorLimit - 1;
  if (!onImage) {
    if (s > 0) {
      tLo = std::max(tLo, -majorStart);
      tHi = std::min(tHi, majorLimit - 1 - majorStart);
    } else {
      tLo = std::max(tLo, majorStart - (majorLimit - 1));
      tHi = std::min(tHi, majorStart);
    }
    // Minor range, one pixel generous; each pixel is still checked below.
    if (k > 0) {
      tLo = std::max(tLo, std::floor((-1 - minorStart) / k));
      tHi = std::min(tHi, std::ceil((minorLimit - minorStart) / k));
    } else if (k < 0) {
      tLo = std::max(tLo, std::floor((minorLimit - minorStart) / k));
      tHi = std::min(tHi, std::ceil((-1 - minorStart) / k));
    } else if (minorStart < -0.5 || minorStart >= minorLimit - 0.5) {
      return;
    }
    tLo = std::ceil(tLo);
    tHi = std::floor(tHi);
  }
  if (!(tLo <= tHi)) return;

  const Pattern pat = PatternOf(style_);
  int64_t t = static_cast<int64_t>(tLo);
  const int64_t tEnd = static_cast<int64_t>(tHi);
  int step = 1;
  const bool dotted = pat.period == 3 && scale_ == 1;
  if (dotted) {
    // Dotted: only every third pixel is drawn, so step straight from dot to dot.
    t += (3 - t % 3) % 3;
    step = 3;
    if (t > tEnd) return;
  }
  const double mAt = minorStart + k * double(t) + 0.5;
  if (!(std::fabs(mAt) < 1e9)) return;
  int64_t mfix = static_cast<int64_t>(Floor(mAt * kFix));
  const int64_t kfix = RoundAway(k * kFix) * step;
  const int64_t majorAt = static_cast<int64_t>(majorStart + s * double(t));
  const int64_t majorEnd = static_cast<int64_t>(majorStart + s * double(tEnd));
  // The range above is exact for the ends Line() passes; never step outside the image regardless.
  if (majorAt < 0 || majorAt >= majorLimit || majorEnd < 0 || majorEnd >= majorLimit) return;
  uint32_t* p = bits_ + majorAt * majorStride;
  const ptrdiff_t pStep = majorStride * s * step;
  const uint32_t c = colour_;
  const unsigned limit = static_cast<unsigned>(minorLimit);

  if (pat.period == 1 || dotted) {
    for (; t <= tEnd; t += step) {
      const int m = static_cast<int>(mfix >> 32);
      if (static_cast<unsigned>(m) < limit) p[m * minorStride] = c;
      p += pStep;
      mfix += kfix;
    }
  } else {
    for (; t <= tEnd; ++t) {
      // Dashes are `scale` device pixels to each pattern pixel.
      if ((pat.mask >> ((t / scale_) % pat.period)) & 1u) {
        const int m = static_cast<int>(mfix >> 32);
        if (static_cast<unsigned>(m) < limit) p[m * minorStride] = c;
      }
      p += pStep;
      mfix += kfix;
    }
  }
}

void QtCanvas::Rect(float x1, float y1, float x2, float y2) {
  Line(x1, y1, x2, y1);
  Line(x2, y1, x2, y2);
  Line(x2, y2, x1, y2);
  Line(x1, y2, x1, y1);
}

void QtCanvas::Circle(float cx, float cy, int radius, Rgb colour) {
  if (radius < 0 || !std::isfinite(cx) || !std::isfinite(cy)) return;
  const double fx = Device(cx), fy = Device(cy);
  // A ring `scale` pixels thick on a dense screen, round the same middle pixel.
  const int outer = static_cast<int>(
      std::min<int64_t>(int64_t{radius} * scale_ + scale_ / 2, std::numeric_limits<int>::max()));
  for (int r = outer; r > outer - scale_ && r >= 0; --r) Ring(fx, fy, r, colour);
}

void QtCanvas::Ring(double fx, double fy, int radius, Rgb colour) {
  // Wholly off the image: nothing to do (also keeps the centre within int range below).
  if (fx + radius < 0 || fy + radius < 0 || fx - radius >= width_ || fy - radius >= height_) return;
  BeginTemporary();
  const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  const uint32_t c = Pack(colour);
  const Pattern pat = PatternOf(style_);
  // Midpoint circle, eight octants at a time; the dash phase follows the octant step.
  int x = radius, y = 0, err = 1 - radius;
  for (unsigned t = 0; x >= y; ++t) {
    if ((pat.mask >> ((t / static_cast<unsigned>(scale_)) % static_cast<unsigned>(pat.period))) & 1u) {
      Plot(x0 + x, y0 + y, c);
      Plot(x0 + y, y0 + x, c);
      Plot(x0 - y, y0 + x, c);
      Plot(x0 - x, y0 + y, c);
      Plot(x0 - x, y0 - y, c);
      Plot(x0 - y, y0 - x, c);
      Plot(x0 + y, y0 - x, c);
      Plot(x0 + x, y0 - y, c);
    }
    ++y;
    if (err < 0) {
      err += 2 * y + 1;
    } else {
      --x;
      err += 2 * (y - x) + 1;
    }
  }
  Touched();
}

const QtCanvas::TextStamp& QtCanvas::Stamp(std::string_view text) {
  for (const TextStamp& s : stamps_)
    if (s.text == text) return s;
  if (stamps_.size() >= kMaxStamps) stamps_.clear();
  TextStamp st;
  st.text = std::string(text);
  const QString q = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  st.advance = metrics_.horizontalAdvance(q);
  const QFontMetrics device(deviceFont_);
  st.width = std::max(device.horizontalAdvance(q) + 2 * scale_, 1);  // room for a glyph's overhang
  st.height = std::max(device.height(), 1);
  QImage img(st.width, st.height, QImage::Format_RGB32);
  img.fill(Qt::black);
  {
    QPainter p(&img);
    p.setFont(deviceFont_);
    p.setPen(Qt::white);
    p.drawText(0, device.ascent(), q);
  }
  st.mask.resize(static_cast<size_t>(st.width) * static_cast<size_t>(st.height));
  for (int y = 0; y < st.height; ++y) {
    const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < st.width; ++x)
      st.mask[static_cast<size_t>(y) * static_cast<size_t>(st.width) + static_cast<size_t>(x)] = qRed(row[x]) > 127;
  }
  stamps_.push_back(std::move(st));
  return stamps_.back();
}

void QtCanvas::Text(std::string_view text) {
  if (text.empty() || !std::isfinite(textX_) || !std::isfinite(textY_)) return;
  const double fx = RoundEven(double(textX_)) * scale_, fy = RoundEven(double(textY_)) * scale_;
  if (fx >= width_ || fy >= height_ || fx < -4096 || fy < -4096) return;
  const TextStamp& st = Stamp(text);
  if (fx + st.width <= 0 || fy + st.height <= 0) return;
  BeginTemporary();
  const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
  for (int y = 0; y < st.height; ++y) {
    const uint8_t* row = st.mask.data() + static_cast<size_t>(y) * static_cast<size_t>(st.width);
    for (int x = 0; x < st.width; ++x)
      if (row[x]) Plot(x0 + x, y0 + y, colour_);
  }
  Touched();
}

float QtCanvas::TextWidth(std::string_view text) { return static_cast<float>(Stamp(text).advance); }

float QtCanvas::TextHeight(std::string_view) { return static_cast<float>(metrics_.height()); }

}  // namespace quorvel
