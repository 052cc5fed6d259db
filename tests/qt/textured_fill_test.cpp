// The filled view with the map's texture, through the Qt canvas: every pixel is the corner colour
// times the image's pixel at the corners' texture coordinates; any texture coordinate a file holds
// is safe; the image is read once and again only when its file changes; the chooser on the real
// window changes the map's texture name.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <string>

#include "document/editor.h"
#include "editing/undo_command.h"
#include "fixtures/map_builder.h"
#include "fixtures/qt_window.h"
#include "fixtures/quiet_qt_host.h"
#include "fixtures/window_input.h"
#include "panels/texture_choice.h"
#include "qt/canvas_widget.h"
#include "qt/ikkuna.h"
#include "qt/qt_canvas.h"
#include "qt/texture_dialog.h"
#include "view/filled_view.h"
#include "view/layout.h"
#include "view/view.h"

namespace quorvel {
namespace {

constexpr int kSide = 4;

// Texel (i, j): red 20 + 60 i, green 20 + 60 j, blue 200.
QRgb Texel(int i, int j) { return qRgb(20 + 60 * i, 20 + 60 * j, 200); }

QImage TestTexture() {
  QImage img(kSide, kSide, QImage::Format_RGB32);
  for (int j = 0; j < kSide; ++j)
    for (int i = 0; i < kSide; ++i) img.setPixel(i, j, Texel(i, j));
  return img;
}

int Times(int a, int b) { return int(std::lround(a * b / 255.0)); }

struct TexturedRig {
  QTemporaryDir dir;
  std::unique_ptr<Editor> ed = std::make_unique<Editor>();
  QtCanvas canvas;
  TexturedRig() {
    ed->doc = fixtures::NewMap();
    ed->firstActivation = false;
    canvas.Resize(819, 577);
    ed->canvas = &canvas;
    ed->view.filled = true;
    ed->texture.firstFolder = dir.path().toStdString();
    ed->doc.info.textureName = PadTextureName("Test.bmp");
    TestTexture().save(dir.filePath("test.bmp"), "BMP");
  }
  const QImage& Draw() {
    Form_Resize(*ed);
    return canvas.Image();
  }
  // A triangle with the editor's texture coordinates (x / 160, y / 120) and one colour.
  void Add(float x0, float y0, float x1, float y1, float x2, float y2, Colour4 colour, bool passable = false) {
    const int p = fixtures::AddTriangle(ed->doc, x0, y0, x1, y1, x2, y2, colour, passable);
    for (Vertex& v : ed->doc.polygons[size_t(p)].corner) v.tu = v.x / 160, v.tv = v.y / 120;
  }
};

// The texel a pixel centre samples, or -1 where it lies too near a texel's edge to tell.
int TexelIndex(double coordinate) {
  const double inside = (coordinate - std::floor(coordinate)) * kSide;
  if (std::fabs(inside - std::round(inside)) < 0.05) return -1;
  return int(std::floor(inside));
}

TEST(TexturedFill, MultipliesTheCornerColourByTheImageRepeatingAcrossTheTriangle) {
  TexturedRig r;
  // Solid: 0.5 of the colour's red and green; a passable one beside it over the sky.
  r.Add(-300, -200, 100, -200, -300, 200, {100, 128, 255, 255});
  r.Add(120, -100, 280, -100, 200, 100, {255, 255, 255, 255}, true);
  const QImage& img = r.Draw();
  EXPECT_TRUE(r.ed->statusNote.empty()) << r.ed->statusNote;
  int checked = 0, distinct = 0;
  std::set<QRgb> seen;
  for (int y = 120; y < 480; y += 7) {
    for (int x = 60; x < 420; x += 7) {
      const double wx = LaskeRuutu2X(*r.ed, float(x)), wy = LaskeRuutu2Y(*r.ed, float(y));
      if (wx < -295 || wy < -195 || (wx + 300) + (wy + 200) > 395) continue;  // inside the solid one only
      const int i = TexelIndex(wx / 160), j = TexelIndex(wy / 120);
      if (i < 0 || j < 0) continue;
      const QRgb t = Texel(i, j), p = img.pixel(x, y);
      SCOPED_TRACE(std::to_string(x) + ", " + std::to_string(y));
      EXPECT_EQ(qRed(p), Times(255, qRed(t)));
      EXPECT_EQ(qGreen(p), Times(128, qGreen(t)));
      EXPECT_EQ(qBlue(p), Times(100, qBlue(t)));
      ++checked;
      distinct += seen.insert(p).second;
    }
  }
  EXPECT_GT(checked, 200);
  EXPECT_EQ(distinct, kSide * kSide);  // the image repeats: every texel shows
  // The passable one lets the sky (white) through: white times the texel, mixed with white.
  const int x = int(std::lround(LaskeRuutuX(*r.ed, 210))), y = int(std::lround(LaskeRuutuY(*r.ed, -20)));
  const double wx = LaskeRuutu2X(*r.ed, float(x)), wy = LaskeRuutu2Y(*r.ed, float(y));
  ASSERT_GE(TexelIndex(wx / 160), 0);
  ASSERT_GE(TexelIndex(wy / 120), 0);
  const QRgb t = Texel(TexelIndex(wx / 160), TexelIndex(wy / 120));
  const double a = kPassableOpacity / 255.0;
  EXPECT_NEAR(qRed(img.pixel(x, y)), qRed(t) * a + 255 * (1 - a), 1.01);
  EXPECT_NEAR(qGreen(img.pixel(x, y)), qGreen(t) * a + 255 * (1 - a), 1.01);
}

// Texture coordinates from a file may be anything: each triangle still fills with texels of the
// image times its colour, and nothing is written outside the image.
TEST(TexturedFill, AnyTextureCoordinateIsSafe) {
  constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
  constexpr float kInf = std::numeric_limits<float>::infinity();
  constexpr float kMax = std::numeric_limits<float>::max();
  const std::array<std::array<float, 6>, 7> cases{{
      {kNaN, 0, 1, kNaN, 0.5f, 0.5f},
      {kInf, -kInf, -kInf, kInf, 0, 0},
      {kMax, -kMax, -kMax, kMax, kMax, kMax},
      {1e38f, 1e38f, -1e38f, 0, 3, 1e-38f},
      {-1e30f, -7.25f, -3e9f, 2e9f, -0.001f, -1e-20f},
      {0, 0, 0, 0, 0, 0},
      {16777216.0f, 16777217.5f, -8388607.5f, 0.999999f, 1.0f, -1.0f},
  }};
  std::set<QRgb> products;
  for (int j = 0; j < kSide; ++j)
    for (int i = 0; i < kSide; ++i)
      products.insert(qRgb(Times(255, qRed(Texel(i, j))), Times(255, qGreen(Texel(i, j))), Times(255, 200)));
  for (const auto& c : cases) {
    for (const int scale : {1, 2}) {
      SCOPED_TRACE(std::to_string(c[0]) + " " + std::to_string(c[2]) + " at scale " + std::to_string(scale));
      TexturedRig r;
      r.canvas.SetScale(scale);
      r.canvas.Resize(819, 577);
      const int p = fixtures::AddTriangle(r.ed->doc, -200, -150, 200, -150, 0, 150, {255, 255, 255, 255});
      for (int k = 0; k < 3; ++k) {
        r.ed->doc.polygons[size_t(p)].corner[size_t(k)].tu = c[size_t(2 * k)];
        r.ed->doc.polygons[size_t(p)].corner[size_t(k)].tv = c[size_t(2 * k + 1)];
      }
      // One far corner too, over the whole canvas.
      fixtures::AddTriangle(r.ed->doc, -1e38f, 1e38f, 1e38f, 1e38f, 0, 200, {255, 255, 255, 255});
      r.ed->doc.polygons[1].corner[0].tu = 1e38f;
      const QImage& img = r.Draw();
      const int x = int(LaskeRuutuX(*r.ed, 0)) * scale, y = int(LaskeRuutuY(*r.ed, -50)) * scale;
      EXPECT_EQ(products.count(img.pixel(x, y) | 0xFF000000u), 1u) << std::hex << img.pixel(x, y);
    }
  }
}

// Read once: the same file draws from the image kept, a changed file is read again, a file that is
// no image draws the triangles plain and says so once.
TEST(TexturedFill, ImageIsKeptUntilItsFileChanges) {
  TexturedRig r;
  r.Add(-300, -200, 300, -200, 0, 200, {255, 255, 255, 255});
  const QPoint at(int(std::lround(LaskeRuutuX(*r.ed, 10))), int(std::lround(LaskeRuutuY(*r.ed, 10))));
  const QRgb first = r.Draw().pixel(at);
  const QString file = r.dir.filePath("test.bmp");
  const auto rewrite = [&](const QImage& img, int secondsLater) {
    const QDateTime time = QFileInfo(file).lastModified();
    ASSERT_TRUE(img.save(file, "BMP"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(time.addSecs(secondsLater), QFileDevice::FileModificationTime));
  };
  QImage dark(kSide, kSide, QImage::Format_RGB32);
  dark.fill(qRgb(10, 10, 10));
  rewrite(dark, 0);  // same time and size: the kept image still draws
  EXPECT_EQ(r.Draw().pixel(at), first);
  rewrite(dark, 5);  // a newer file: read again
  EXPECT_EQ(r.Draw().pixel(at) & 0xFFFFFF, 0x0A0A0Au);

  QFile garbage(file);
  ASSERT_TRUE(garbage.open(QIODevice::WriteOnly | QIODevice::Truncate));
  garbage.write("no image here");
  garbage.close();
  r.ed->statusNote.clear();
  EXPECT_EQ(r.Draw().pixel(at) & 0xFFFFFF, 0xFFFFFFu);  // the corner colour alone
  EXPECT_EQ(r.ed->statusNote, "Texture " + file.toStdString() + " could not be read as an image");
  r.ed->statusNote = "later";
  r.Draw();
  EXPECT_EQ(r.ed->statusNote, "later");
}

// The chooser lists what it is given, shows the current texture with its preview and size, and
// Enter chooses the picked one.
TEST(TextureChooser, PicksAnImageWithItsPreview) {
  QTemporaryDir dir;
  ASSERT_TRUE(TestTexture().scaled(64, 32).save(dir.filePath("b.bmp"), "BMP"));
  TextureChoice choice;
  choice.folders = {{dir.path().toStdString(), true}};
  for (const char* name : {"a.png", "b.bmp"})
    choice.files.push_back({name, dir.filePath(name).toStdString(), dir.path().toStdString()});
  choice.current = "B.BMP";
  TextureDialog dialog(choice);
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.windowHandle(), 2000));
  auto* list = dialog.findChild<QListWidget*>("textureList");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count(), 2);
  EXPECT_EQ(list->currentRow(), 1);
  auto* preview = dialog.findChild<QLabel*>("texturePreview");
  EXPECT_FALSE(preview->pixmap().isNull());
  EXPECT_NE(dialog.findChild<QLabel*>("textureDetails")->text().indexOf("64 x 32"), -1);
  // a.png is no file: no preview, and the size says why.
  fixtures::KeyThroughWindow(list, Qt::Key_Up);
  EXPECT_EQ(list->currentRow(), 0);
  EXPECT_TRUE(preview->pixmap().isNull());
  EXPECT_NE(dialog.findChild<QLabel*>("textureDetails")->text().indexOf("not readable"), -1);
  fixtures::KeyThroughWindow(list, Qt::Key_Down);
  fixtures::KeyThroughWindow(list, Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Chosen().value_or(""), dir.filePath("b.bmp").toStdString());
}

// The host that answers the chooser with a file of the list by its name, or refuses.
class ChoosingHost : public fixtures::QuietQtHost {
 public:
  std::string choose;
  std::vector<std::string> listed;
  std::optional<std::string> ChooseTexture(const TextureChoice& c) override {
    listed.clear();
    for (const TextureFile& f : c.files) listed.push_back(f.name);
    for (const TextureFile& f : c.files)
      if (f.name == choose) return f.path;
    return std::nullopt;
  }
};

// Texture… on the real window: the texture line changes at once, Edit > Undo takes it back.
TEST(TextureChooser, ButtonInMapInfoChangesTheTextureLine) {
  QTemporaryDir dir;
  ASSERT_TRUE(TestTexture().save(dir.filePath("Stones.bmp"), "BMP"));
  auto ed = std::make_unique<Editor>();
  ChoosingHost host;
  Ikkuna window(*ed, host);
  ASSERT_TRUE(fixtures::ShowAndActivate(window, *ed));
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.windowHandle(), 2000));
  ed->doc.info.fileName = dir.filePath("level.pmp").toStdString();
  auto* button = window.CanvasArea()->Ppalkki()->findChild<QPushButton*>("CBtexture");
  auto* line = window.CanvasArea()->Ppalkki()->findChild<QLabel*>("Lkartta1");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), QStringLiteral("Texture…"));
  EXPECT_TRUE(button->isVisible());
  host.choose = "Stones.bmp";
  fixtures::ClickThroughWindow(button);
  EXPECT_EQ(host.listed, std::vector<std::string>{"Stones.bmp"});
  EXPECT_EQ(ed->doc.info.textureName, PadTextureName("Stones.bmp"));
  EXPECT_TRUE(line->text().endsWith("Texture: stones.bmp")) << line->text().toStdString();
  window.Run(MenuUndo_Click);
  EXPECT_TRUE(line->text().endsWith("Texture: banana.bmp")) << line->text().toStdString();
}

}  // namespace
}  // namespace quorvel
