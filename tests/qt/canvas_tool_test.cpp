// quorvel-tool render: output size, the same pixels as the window's canvas, and its error exits.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <vector>

#include "document/editor.h"
#include "document/map_file.h"
#include "fixtures/map_builder.h"
#include "shell/qt/qt_canvas.h"
#include "view/layout.h"

namespace quorvel {
namespace {

std::vector<uint8_t> EncodeMap(const MapDocument& doc) {
  std::vector<uint8_t> out;
  quorvel::EncodeMap(doc, nullptr, out);
  return out;
}

void WriteFile(const QString& path, const std::vector<uint8_t>& bytes) {
  std::ofstream f(path.toStdString(), std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

struct ToolRun {
  int status = -1;
  QString err;
};
ToolRun Tool(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral(QUORVEL_TOOL_PATH), args);
  p.waitForFinished(30000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
}

MapDocument SampleMap() {
  MapDocument d = fixtures::NewMap();
  fixtures::AddTriangle(d, 0, 0, 100, 0, 0, 100, {10, 200, 30, 255});
  fixtures::AddSpawn(d, -100, -100, 1);
  fixtures::AddScenery(d, 50, -60, 3, 0.3f);
  fixtures::AddCollider(d, -50, 80, 30);
  fixtures::AddWaypoint(d, 150, 50, 1);
  fixtures::AddWaypoint(d, 250, 120, 2);
  fixtures::Link(d, 0, 1);
  return d;
}

TEST(RenderTool, WritesPngOfRequestedSizeMatchingTheCanvas) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString map = dir.filePath("sample.pmp"), png = dir.filePath("out.png");
  const MapDocument doc = SampleMap();
  const std::vector<uint8_t> bytes = EncodeMap(doc);
  ASSERT_EQ(bytes.size(), 502112u);
  WriteFile(map, bytes);

  ToolRun r = Tool({"render", map, png, "--size", "640x480", "--zoom", "200", "--grid", "50", "--advanced"});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  QImage img(png);
  ASSERT_EQ(img.size(), QSize(640, 480));

  // The same core redraw into a QtCanvas of that size gives the same pixels.
  auto ed = std::make_unique<Editor>();
  ed->doc = doc;
  QtCanvas canvas;
  canvas.Resize(640, 480);
  ed->canvas = &canvas;
  ed->firstActivation = false;
  ed->view.clientWidth = 640;
  ed->view.clientHeight = 480;
  ed->view.zoom = 2;
  ed->view.gridSize = 50;
  ed->ctl.CBgrid.Select(2);
  ed->view.showFlags[5] = 1;
  Form_Resize(*ed);
  EXPECT_EQ(img.convertToFormat(QImage::Format_RGB32), canvas.Image());
  EXPECT_EQ(img.pixel(2, 479) & 0xFFFFFF, 0x404040u);

  r = Tool({"render", map, png});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(QImage(png).size(), QSize(819, 577));

  // Corners very far away (a damaged or hand-made file) draw what is visible of their edges.
  MapDocument far = doc;
  far.polygons[0].corner[1].y = -6e18f;
  far.polygons[0].corner[2].x = 1e30f;
  WriteFile(map, EncodeMap(far));
  r = Tool({"render", map, png, "--advanced"});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
}

TEST(RenderTool, ErrorsExitTwoWithOneLine) {
  QTemporaryDir dir;
  const QString good = dir.filePath("good.pmp"), bad = dir.filePath("short.pmp"), png = dir.filePath("x.png");
  WriteFile(good, EncodeMap(fixtures::NewMap()));
  WriteFile(bad, std::vector<uint8_t>(1000, 0));
  struct Case {
    QStringList args;
    const char* expect;
  };
  const Case cases[] = {
      {{"render", dir.filePath("missing.pmp"), png}, "not found"},
      {{"render", bad, png}, "is not Zarnok 1.0.5b mapfile"},
      {{"render", dir.path(), png}, "could not be read: it is a folder"},
      {{"render", good, dir.filePath("no/such/folder/out.png")}, "cannot write"},
      {{"render", good, png, "--size", "0x10"}, "bad size"},
      {{"render", good, png, "--size", "640"}, "bad size"},
      {{"render", good, png, "--size", "-5x10"}, "bad size"},
      {{"render", good, png, "--size", "99999x10"}, "bad size"},
      {{"render", good, png, "--size"}, "bad size"},
      {{"render", good, png, "--zoom", "300"}, "bad zoom"},
      {{"render", good, png, "--zoom", "abc"}, "bad zoom"},
      {{"render", good, png, "--grid", "7"}, "bad grid"},
      {{"render", good}, "usage"},
      {{"render", good, png, "--colour"}, "unknown option"},
      {{"paint", good, png}, "unknown command"},
      {{}, "usage"},
  };
  for (const Case& c : cases) {
    const ToolRun r = Tool(c.args);
    EXPECT_EQ(r.status, 2) << c.args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(c.expect)) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
  }
  EXPECT_FALSE(QFile::exists(png));
}

}  // namespace
}  // namespace quorvel
