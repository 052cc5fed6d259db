// The filled view's texture on the Qt canvas: the image is read from its file once and kept while
// the file's time and size stay the same, so a redraw costs one look at the file; a textured row
// multiplies the blended corner colours by the image's pixels, placed by the corners' texture
// coordinates and repeating.
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

#include "qt/qt_canvas.h"

namespace quorvel {

namespace {

// Larger images are kept at this size: nothing finer shows on a canvas, and a row of a huge
// image would be slow to sample.
constexpr int kLargestSide = 1024;
// Textures kept at once; a map uses one, the chooser's trying of others leaves a few.
constexpr size_t kKeptTextures = 4;

// Round(a * b / 255) for bytes, without a division.
inline uint32_t Times(uint32_t a, uint32_t b) {
  const uint32_t t = a * b + 128;
  return (t + (t >> 8)) >> 8;
}

inline uint32_t Blend(uint32_t s, uint32_t d, uint32_t a) {
  const uint32_t t = s * a + d * (255 - a) + 128;
  return (t + (t >> 8)) >> 8;
}

QImage ReadTexture(const QString& path, bool& hasAlpha) {
  QImageReader reader(path);
  const QSize size = reader.size();
  if (size.isValid() && (size.width() > kLargestSide || size.height() > kLargestSide))
    reader.setScaledSize(size.boundedTo(QSize(kLargestSide, kLargestSide)));
  QImage image = reader.read();
  if (image.isNull()) return {};
  if (image.width() > kLargestSide || image.height() > kLargestSide)
    image = image.scaled(std::min(image.width(), kLargestSide), std::min(image.height(), kLargestSide),
                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  hasAlpha = image.hasAlphaChannel();
  return image.convertToFormat(hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

}  // namespace

bool QtCanvas::SetFillTexture(std::string_view path) {
  texture_ = nullptr;
  if (path.empty()) return true;
  const QString name = QString::fromUtf8(path.data(), qsizetype(path.size()));
  const QFileInfo file(name);
  if (!file.isFile()) return false;
  const int64_t modified = file.lastModified().toMSecsSinceEpoch(), size = file.size();
  auto it = std::find_if(textures_.begin(), textures_.end(), [&](const Texture& t) { return t.path == path; });
  if (it == textures_.end() || it->modified != modified || it->size != size) {
    if (it != textures_.end()) textures_.erase(it);
    if (textures_.size() >= kKeptTextures) textures_.erase(textures_.begin());
    Texture t;
    t.path = std::string(path);
    t.modified = modified;
    t.size = size;
    t.image = ReadTexture(name, t.hasAlpha);
    textures_.push_back(std::move(t));
  } else if (it + 1 != textures_.end()) {
    std::rotate(it, it + 1, textures_.end());  // the most recently used last
  }
  if (textures_.back().image.isNull()) return false;
  texture_ = &textures_.back();
  return true;
}

void QtCanvas::TexturedSpan(uint32_t* px, int count, int32_t at[4], const int32_t step[4], uint32_t u, uint32_t du,
                            uint32_t v, uint32_t dv, bool opaque) const {
  const QImage& img = texture_->image;
  const auto* bits = reinterpret_cast<const uint32_t*>(img.constBits());
  const size_t stride = size_t(img.bytesPerLine()) / sizeof(uint32_t);
  const uint64_t w = uint64_t(img.width()), h = uint64_t(img.height());
  // u and v are the position inside one repeat of the image in 0.32 fixed point, so they wrap
  // around by themselves; times the image's size, the top 32 bits are the pixel.
  const auto texel = [&](uint32_t uu, uint32_t vv) { return bits[((vv * h) >> 32) * stride + ((uu * w) >> 32)]; };
  if (opaque && !texture_->hasAlpha) {
    for (int i = 0; i < count; ++i) {
      const uint32_t t = texel(u, v);
      px[i] = 0xFF000000u | Times(uint32_t(at[0] >> 16), t >> 16 & 0xFF) << 16 |
              Times(uint32_t(at[1] >> 16), t >> 8 & 0xFF) << 8 | Times(uint32_t(at[2] >> 16), t & 0xFF);
      at[0] += step[0], at[1] += step[1], at[2] += step[2];
      u += du, v += dv;
    }
    return;
  }
  for (int i = 0; i < count; ++i) {
    const uint32_t t = texel(u, v), d = px[i];
    const uint32_t al = texture_->hasAlpha ? Times(uint32_t(at[3] >> 16), t >> 24) : uint32_t(at[3] >> 16);
    px[i] = 0xFF000000u | Blend(Times(uint32_t(at[0] >> 16), t >> 16 & 0xFF), d >> 16 & 0xFF, al) << 16 |
            Blend(Times(uint32_t(at[1] >> 16), t >> 8 & 0xFF), d >> 8 & 0xFF, al) << 8 |
            Blend(Times(uint32_t(at[2] >> 16), t & 0xFF), d & 0xFF, al);
    at[0] += step[0], at[1] += step[1], at[2] += step[2], at[3] += step[3];
    u += du, v += dv;
  }
}

}  // namespace quorvel
