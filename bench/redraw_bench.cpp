// Full redraw of a window-sized canvas (1920 x 1080, zoom 1, grid 25, Advanced on) for a maximal
// and a typical map, the maximal one also in the filled view (plain and with a 256 x 256 texture),
// through the Qt canvas and, for comparison, through a plain QPainter canvas drawing the very same
// primitives (cosmetic pens, Qt's dash styles, drawEllipse, drawText).
#include <benchmark/benchmark.h>

#include "qt_bench_main.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

#include "document/editor.h"
#include "fixtures/map_builder.h"
#include "qt/qt_canvas.h"
#include "view/canvas.h"

namespace {

using namespace quorvel;

class PainterCanvas : public Canvas {
 public:
  PainterCanvas(int w, int h) : image_(w, h, QImage::Format_RGB32), font_(QtCanvas().Font()), metrics_(font_) {}
  void SetPersistent(bool on) override {
    if (on && !painter_.isActive()) {
      painter_.begin(&image_);
      painter_.setFont(font_);
      painter_.setRenderHint(QPainter::Antialiasing, false);
    } else if (!on && painter_.isActive()) {
      painter_.end();
    }
  }
  void Clear(Rgb c) override { painter_.fillRect(image_.rect(), QColor(c.r, c.g, c.b)); }
  void SetLineColour(Rgb c) override {
    colour_ = QColor(c.r, c.g, c.b);
    Apply();
  }
  void SetLineStyle(int s) override {
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
    style_ = s >= 0 && s <= 3 ? styles[s] : Qt::SolidLine;
    Apply();
  }
  void SetLineWidth(int) override {}
  void Line(float x1, float y1, float x2, float y2) override { painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2)); }
  void Rect(float x1, float y1, float x2, float y2) override {
    painter_.drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
  }
  void Circle(float cx, float cy, int r, Rgb c) override {
    painter_.setPen(QPen(QColor(c.r, c.g, c.b), 0, style_));
    painter_.drawEllipse(QPointF(cx, cy), r, r);
    Apply();
  }
  void SetTextPosition(float x, float y) override {
    tx_ = x;
    ty_ = y;
  }
  void Text(std::string_view t) override {
    painter_.drawText(QPointF(tx_, ty_ + metrics_.ascent()), QString::fromUtf8(t.data(), qsizetype(t.size())));
  }
  float TextWidth(std::string_view t) override {
    return float(metrics_.horizontalAdvance(QString::fromUtf8(t.data(), qsizetype(t.size()))));
  }
  float TextHeight(std::string_view) override { return float(metrics_.height()); }

 private:
  void Apply() {
    if (painter_.isActive()) painter_.setPen(QPen(colour_, 0, style_));
  }
  QImage image_;
  QPainter painter_;
  QFont font_;
  QFontMetrics metrics_;
  QColor colour_{Qt::black};
  Qt::PenStyle style_ = Qt::SolidLine;
  float tx_ = 0, ty_ = 0;
};

std::unique_ptr<Editor> MakeEditor(const fixtures::MapCounts& counts, Canvas& canvas) {
  auto ed = std::make_unique<Editor>();
  // Spread over the visible area of a 1920 x 1080 window at zoom 1.
  ed->doc = fixtures::SpreadMap(counts, 500);
  ed->canvas = &canvas;
  ed->firstActivation = false;
  ed->view.clientWidth = 1920;
  ed->view.clientHeight = 1080;
  ed->view.zoom = 1;
  ed->ctl.CBgrid.Select(3);
  ed->view.gridSize = 25;
  ed->view.showFlags = {1, 1, 1, 1, 1, 1, 0};
  return ed;
}

const fixtures::MapCounts kMaximal{};  // 400 / 30 / 255 / 128 / 500 x 20
const fixtures::MapCounts kTypical{150, 20, 60, 0, 100, 3};

void RunQt(benchmark::State& state, const fixtures::MapCounts& counts, bool filled = false, bool textured = false) {
  QtCanvas canvas;
  canvas.Resize(1920, 1080);
  auto ed = MakeEditor(counts, canvas);
  ed->view.filled = filled;
  // Texture coordinates as the polygon tool gives them, in both filled runs alike.
  for (Polygon& p : ed->doc.polygons)
    for (Vertex& v : p.corner) v.tu = v.x / 160, v.tv = v.y / 120;
  QTemporaryDir dir;
  if (textured) {
    QImage texture(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) texture.setPixel(x, y, qRgb(x, y, (x * y) & 0xFF));
    texture.save(dir.filePath("bench.bmp"), "BMP");
    ed->texture.firstFolder = dir.path().toStdString();
    ed->doc.info.textureName = PadTextureName("bench.bmp");
    ed->RedrawCanvas();
    if (!ed->statusNote.empty()) state.SkipWithError(ed->statusNote.c_str());
  }
  for (auto _ : state) {
    ed->RedrawCanvas();
    benchmark::DoNotOptimize(canvas.Image().constBits());
  }
}

void RunPainter(benchmark::State& state, const fixtures::MapCounts& counts) {
  PainterCanvas canvas(1920, 1080);
  auto ed = MakeEditor(counts, canvas);
  for (auto _ : state) ed->RedrawCanvas();
}

void BM_RedrawMaximal(benchmark::State& s) { RunQt(s, kMaximal); }
void BM_RedrawTypical(benchmark::State& s) { RunQt(s, kTypical); }
// The filled view: the sky, the polygons filled, everything else over them.
void BM_RedrawMaximalFilled(benchmark::State& s) { RunQt(s, kMaximal, true); }
void BM_RedrawMaximalTextured(benchmark::State& s) { RunQt(s, kMaximal, true, true); }
void BM_RedrawMaximal_BareQPainter(benchmark::State& s) { RunPainter(s, kMaximal); }
void BM_RedrawTypical_BareQPainter(benchmark::State& s) { RunPainter(s, kTypical); }

BENCHMARK(BM_RedrawMaximal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawTypical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawMaximalFilled)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawMaximalTextured)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawMaximal_BareQPainter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawTypical_BareQPainter)->Unit(benchmark::kMillisecond);

}  // namespace

QUORVEL_QT_BENCHMARK_MAIN()
