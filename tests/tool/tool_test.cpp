// quorvel-tool: render's picture is the window's canvas area; info, check, normalise and compile on
// the sample maps; help, version, errors and exit codes of every verb.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QProcess>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <thread>
#include <iterator>
#include <memory>
#include <vector>

#include "document/editor.h"
#include "document/map_file.h"
#include "fixtures/map_builder.h"
#include "qt/qt_canvas.h"
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
  QString err, out;
};
ToolRun Tool(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral(QUORVEL_TOOL_PATH), args);
  p.waitForFinished(30000);
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError()),
          QString::fromUtf8(p.readAllStandardOutput())};
}

std::vector<uint8_t> ReadBytes(const QString& path) {
  std::ifstream f(path.toStdString(), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

const QString kQuarry = QStringLiteral(QUORVEL_SOURCE_DIR "/maps/dm_quarry.pmp");
const QString kTwin = QStringLiteral(QUORVEL_SOURCE_DIR "/maps/ctf_twin.pmp");

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

  // The same core redraw into the canvas of a window whose canvas area is 640 x 480: the side
  // panel to the right, the bars above and below.
  auto ed = std::make_unique<Editor>();
  ed->doc = doc;
  QtCanvas canvas;
  const int top = ed->ctl.Pyla.top + ed->ctl.Pyla.height;
  const int clientWidth = 640 + ed->ctl.Ppalkki.width, clientHeight = 480 + top + ed->ctl.Pala.height;
  canvas.Resize(clientWidth, clientHeight);
  ed->canvas = &canvas;
  ed->firstActivation = false;
  ed->view.clientWidth = clientWidth;
  ed->view.clientHeight = clientHeight;
  ed->view.zoom = 2;
  ed->view.gridSize = 50;
  ed->ctl.CBgrid.Select(2);
  ed->view.showFlags[5] = 1;
  Form_Resize(*ed);
  EXPECT_EQ(img.convertToFormat(QImage::Format_RGB32), canvas.Image().copy(0, top, 640, 480));
  // The origin, where the first triangle's corner is, lies where the window shows it.
  const QPointF origin(ed->view.clientWidth / 2.0 - ed->ctl.Ppalkki.width / 2.0,
                       ed->view.clientHeight / 2.0 - ed->ctl.Pala.height / 2.0 - top);
  EXPECT_GT(origin.x(), 300);
  EXPECT_LT(origin.x(), 340);

  r = Tool({"render", map, png});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(QImage(png).size(), QSize(634, 485));  // the canvas area of the window at its first size

  // Corners very far away (a damaged or hand-made file) draw what is visible of their edges.
  MapDocument far = doc;
  far.polygons[0].corner[1].y = -6e18f;
  far.polygons[0].corner[2].x = 1e30f;
  WriteFile(map, EncodeMap(far));
  r = Tool({"render", map, png, "--advanced"});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
}

TEST(RenderTool, FilledShowsTheSkyAndThePolygonsInTheirColours) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString map = dir.filePath("sample.pmp"), png = dir.filePath("out.png");
  MapDocument doc = SampleMap();
  doc.info.backgroundTop = {0, 0, 255, 255};     // red
  doc.info.backgroundBottom = {255, 0, 0, 255};  // blue
  WriteFile(map, EncodeMap(doc));
  ToolRun r = Tool({"render", map, png, "--filled"});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  const QImage img = QImage(png).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(img.size(), QSize(634, 485));
  // The picture is the uncovered canvas, over which the sky runs from top to bottom.
  EXPECT_EQ(img.pixel(5, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_LE(qRed(img.pixel(5, 484)), 1);  // the last row is one row short of the bottom colour
  EXPECT_GE(qBlue(img.pixel(5, 484)), 254);
  // Inside the triangle at world (20, 20): its own colour, where the wireframe shows the canvas.
  const QPoint inside(316 + 20, 262 - 39 + 20);
  EXPECT_EQ(img.pixel(inside) & 0xFFFFFF, 0x1EC80Au);
  r = Tool({"render", map, png});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(QImage(png).pixel(inside) & 0xFFFFFF, 0x404040u);
}

// --filled draws the map's texture found beside the map, or in the --textures folder first; a
// texture found nowhere is said on stderr and the polygons are drawn in their colours alone.
TEST(RenderTool, FilledUsesTheTextureFromTheFolderNamedOrBesideTheMap) {
  QTemporaryDir dir, other;
  ASSERT_TRUE(dir.isValid() && other.isValid());
  const QString map = dir.filePath("sample.pmp"), png = dir.filePath("out.png");
  MapDocument doc = SampleMap();
  doc.info.textureName = PadTextureName("Grey.BMP");
  WriteFile(map, EncodeMap(doc));
  const QPoint inside(316 + 20, 262 - 39 + 20);
  struct Case {
    QString besideMap, inFolder;  // the texture's grey in each place, "" for none there
    bool named;                   // --textures names the other folder
    QRgb shown;
    bool noted;
  };
  // The triangle's colour is 30, 200, 10.
  const auto times = [](int c, int g) { return int(std::lround(c * g / 255.0)); };
  const Case cases[] = {
      {"", "", false, 0x1EC80Au, true},
      {"grey.bmp", "", false, qRgb(times(30, 128), times(200, 128), times(10, 128)), false},
      {"grey.bmp", "GREY.bmp", true, qRgb(times(30, 64), times(200, 64), times(10, 64)), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.besideMap.toStdString() + " " + c.inFolder.toStdString());
    QImage grey(8, 8, QImage::Format_RGB32);
    if (!c.besideMap.isEmpty()) {
      grey.fill(qRgb(128, 128, 128));
      ASSERT_TRUE(grey.save(dir.filePath(c.besideMap), "BMP"));
    }
    if (!c.inFolder.isEmpty()) {
      grey.fill(qRgb(64, 64, 64));
      ASSERT_TRUE(grey.save(other.filePath(c.inFolder), "BMP"));
    }
    QStringList args{"render", map, png, "--filled"};
    if (c.named) args << "--textures" << other.path();
    const ToolRun r = Tool(args);
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(QImage(png).pixel(inside) & 0xFFFFFF, c.shown & 0xFFFFFF);
    EXPECT_EQ(r.err.contains("note: Texture Grey.BMP not found in"), c.noted) << r.err.toStdString();
  }
}

TEST(RenderTool, ErrorsExitTwoWithOneLine) {
  QTemporaryDir dir;
  const QString good = dir.filePath("good.pmp"), bad = dir.filePath("short.pmp"), png = dir.filePath("x.png");
  WriteFile(good, EncodeMap(fixtures::NewMap()));
  WriteFile(bad, std::vector<uint8_t>(1000, 0));
  QDir(dir.path()).mkdir("folder.png");
  // A socket as an output: refused, never replaced by a file.
  const std::string socketPath = dir.filePath("socket.png").toStdString();
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  struct Case {
    QStringList args;
    std::string expect;
  };
  const Case cases[] = {
      {{"render", dir.filePath("missing.pmp"), png}, "not found"},
      {{"render", bad, png}, "is not Zarnok 1.0.5b mapfile"},
      {{"render", dir.path(), png}, "could not be read: it is a folder"},
      {{"render", good, dir.filePath("no/such/folder/out.png")},
       "cannot write '" + dir.filePath("no/such/folder/out.png").toStdString() + "': No such file or directory"},
      {{"render", good, dir.filePath("good.pmp/out.png")},
       "cannot write '" + dir.filePath("good.pmp/out.png").toStdString() + "': Not a directory"},
      {{"render", good, dir.filePath("folder.png")}, "cannot write '" + dir.filePath("folder.png").toStdString() + "': it is a folder"},
      {{"normalise", good, "-o", "/dev/full"}, "cannot write '/dev/full': No space left on device"},
      {{"render", good, dir.filePath("socket.png")}, "cannot write '" + dir.filePath("socket.png").toStdString() + "': it is a socket"},
      {{"normalise", good, "-o", "/proc/version"}, "cannot write '/proc/version': its folder '/proc' takes no new files"},
      {{"render", good, png, "--size", "0x10"}, "bad size"},
      {{"render", good, png, "--size", "640"}, "bad size"},
      {{"render", good, png, "--size", "-5x10"}, "bad size"},
      {{"render", good, png, "--size", "99999x10"}, "bad size"},
      {{"render", good, png, "--size"}, "needs a value"},
      {{"render", good, dir.filePath("x.pmp")}, "does not end in .png"},
      {{"render", good, dir.filePath(".png")}, "does not end in .png"},
      {{"info"}, "usage: quorvel-tool info"},
      {{"info", dir.filePath("missing.pmp")}, "not found"},
      {{"check", bad}, "is not Zarnok 1.0.5b mapfile"},
      {{"normalise", good}, "usage: quorvel-tool normalise"},
      {{"compile", good, "-o"}, "needs a value"},
      {{"normalise", good, "-o", dir.filePath("no/such/folder/x.pmp")},
       "cannot write '" + dir.filePath("no/such/folder/x.pmp").toStdString() + "': No such file or directory"},
      {{"check", good, "--xml"}, "unknown option"},
      {{"render", good, png, "--zoom", "300"}, "bad zoom"},
      {{"render", good, png, "--zoom", "abc"}, "bad zoom"},
      {{"render", good, png, "--grid", "7"}, "bad grid"},
      {{"render", good}, "usage"},
      {{"render", good, png, "--colour"}, "unknown option"},
      {{"paint", good, png}, "unknown verb"},
      {{}, "usage"},
  };
  for (const Case& c : cases) {
    const ToolRun r = Tool(c.args);
    EXPECT_EQ(r.status, 2) << c.args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains(QString::fromStdString(c.expect))) << r.err.toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
  }
  ::close(sock);
  EXPECT_FALSE(QFile::exists(png));
  EXPECT_FALSE(QFile::exists(dir.filePath("x.pmp")));
  struct stat st {};
  ASSERT_EQ(::lstat(socketPath.c_str(), &st), 0);
  EXPECT_TRUE(S_ISSOCK(st.st_mode));
  ASSERT_EQ(::stat("/dev/full", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  EXPECT_TRUE(QFileInfo(dir.filePath("folder.png")).isDir());
}

// An output that is a device, a pipe or a link: written into or through, never replaced.
TEST(Tool, OutputsThatAreNoPlainFile) {
  QTemporaryDir dir;
  const QString good = dir.filePath("good.pmp");
  WriteFile(good, EncodeMap(SampleMap()));

  ToolRun r = Tool({"normalise", good, "-o", "/dev/null"});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  r = Tool({"render", good, "/dev/null"});  // no .png: refused before anything is written
  EXPECT_EQ(r.status, 2);
  struct stat st {};
  ASSERT_EQ(::stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));

  // A link keeps being a link; the file it names gets the output, whole.
  QDir(dir.path()).mkdir("real");
  const QString link = dir.filePath("link.pmp"), linkPng = dir.filePath("link.png");
  ASSERT_EQ(::symlink("real/out.pmp", link.toStdString().c_str()), 0);
  ASSERT_EQ(::symlink("real/out.png", linkPng.toStdString().c_str()), 0);
  r = Tool({"normalise", good, "-o", link});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  r = Tool({"render", good, linkPng});
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_TRUE(QFileInfo(link).isSymLink());
  EXPECT_TRUE(QFileInfo(linkPng).isSymLink());
  EXPECT_EQ(ReadBytes(dir.filePath("real/out.pmp")).size(), kMapFileSize);
  EXPECT_FALSE(QImage(dir.filePath("real/out.png")).isNull());

  // A pipe is written straight into: what comes out of it is the whole map.
  const QString fifo = dir.filePath("pipe.pmp");
  ASSERT_EQ(::mkfifo(fifo.toStdString().c_str(), 0600), 0);
  std::vector<uint8_t> received;
  std::thread reader([&] { received = ReadBytes(fifo); });
  r = Tool({"normalise", good, "-o", fifo});
  if (r.status != 0) ::close(::open(fifo.toStdString().c_str(), O_WRONLY | O_NONBLOCK));  // frees the reader
  reader.join();
  EXPECT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_EQ(received, ReadBytes(link));
  ASSERT_EQ(::lstat(fifo.toStdString().c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(Tool, EveryVerbHasHelpAndVersion) {
  for (const QString verb : {"", "info", "check", "normalise", "compile", "render"}) {
    QStringList help = {"--help"}, version = {"--version"};
    if (!verb.isEmpty()) {
      help.prepend(verb);
      version.prepend(verb);
    }
    ToolRun r = Tool(help);
    EXPECT_EQ(r.status, 0) << verb.toStdString();
    EXPECT_TRUE(r.out.startsWith("usage: quorvel-tool " + verb)) << r.out.toStdString();
    EXPECT_TRUE(r.err.isEmpty());
    r = Tool(version);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "quorvel-tool 1.2.0\n");
  }
}

TEST(Tool, InfoAndCheckOnTheSampleMaps) {
  ToolRun r = Tool({"info", kQuarry});
  ASSERT_EQ(r.status, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.contains("  author: Quorvel\n  texture: quarry_rock.bmp\n")) << r.out.toStdString();
  EXPECT_TRUE(r.out.contains(QRegularExpression("  polygons: \\d+ of 400\n"))) << r.out.toStdString();
  EXPECT_TRUE(r.out.contains("  scenery: ") && r.out.contains(" of 254\n"));

  r = Tool({"info", "--json", kQuarry, kTwin});
  ASSERT_EQ(r.status, 0);
  const QJsonDocument json = QJsonDocument::fromJson(r.out.toUtf8());
  ASSERT_TRUE(json.isArray()) << r.out.toStdString();
  ASSERT_EQ(json.array().size(), 2);
  const QJsonObject twin = json.array()[1].toObject();
  EXPECT_EQ(twin["file"].toString(), kTwin);
  EXPECT_EQ(twin["spawns"].toObject()["limit"].toInt(), 30);
  EXPECT_GE(twin["spawns"].toObject()["count"].toInt(), 8);
  EXPECT_GT(twin["sectorSize"].toInt(), 0);

  r = Tool({"check", kQuarry, kTwin});
  EXPECT_EQ(r.status, 0) << r.out.toStdString();
  EXPECT_TRUE(r.out.isEmpty());

  // A deathmatch map under a ctf_ name, and a broken copy: one line per finding, status 1.
  QTemporaryDir dir;
  const QString renamed = dir.filePath("ctf_quarry.pmp");
  QFile::copy(kTwin, dir.filePath("twin.pmp"));
  QFile::copy(kQuarry, renamed);
  r = Tool({"check", renamed, dir.filePath("twin.pmp")});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, renamed + ": spawn order: a ctf_ map needs the red flag (spawn 0) and the blue flag (spawn 1) first\n" +
                       renamed + ": ctf_ map without a red and a blue flag spawn\n" + dir.filePath("twin.pmp") +
                       ": spawn 0 is a team spawn but the file name does not start with ctf_\n");
  // The same problems as JSON: kind, text and the objects concerned.
  r = Tool({"check", "--json", dir.filePath("twin.pmp")});
  EXPECT_EQ(r.status, 1);
  const QJsonArray problems = QJsonDocument::fromJson(r.out.toUtf8()).array()[0].toObject()["problems"].toArray();
  ASSERT_EQ(problems.size(), 1) << r.out.toStdString();
  EXPECT_EQ(problems[0].toObject()["kind"].toString(), "ctf-spawns");
  EXPECT_EQ(problems[0].toObject()["text"].toString(), "spawn 0 is a team spawn but the file name does not start with ctf_");
  EXPECT_EQ(QJsonDocument(problems[0].toObject()["objects"].toArray()).toJson(QJsonDocument::Compact),
            R"([{"index":0,"type":"spawn"}])");

  // A file error among good maps still reports the others and exits 2.
  r = Tool({"check", renamed, dir.filePath("gone.pmp")});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out.count('\n'), 2);  // the ctf_ copy's two lines
  EXPECT_TRUE(r.err.contains("not found"));
}

TEST(Tool, NormaliseAndCompileWriteWhatTheEditorWould) {
  QTemporaryDir dir;
  const QString out = dir.filePath("out.pmp");
  // The sample maps are saved and compiled already: both verbs give them back byte for byte.
  for (const QString verb : {"normalise", "compile"}) {
    const ToolRun r = Tool({verb, kTwin, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(ReadBytes(out), ReadBytes(kTwin)) << verb.toStdString();
  }

  // A map off the origin with reversed corners: normalise turns the corners, compile also centres.
  MapDocument doc = fixtures::NewMap();
  fixtures::AddTriangle(doc, 1000, 1000, 1000, 1100, 1100, 1000);
  const QString map = dir.filePath("raw.pmp");
  WriteFile(map, EncodeMap(doc));
  ASSERT_EQ(Tool({"normalise", map, "-o", out}).status, 0);
  std::vector<uint8_t> bytes = ReadBytes(out);
  ASSERT_EQ(bytes.size(), 502112u);
  EXPECT_EQ(fixtures::ReadF32(bytes, 4), 1100.0f);  // corner 0's y after the turn
  ASSERT_EQ(Tool({"compile", map, "-o", out}).status, 0);
  bytes = ReadBytes(out);
  EXPECT_EQ(fixtures::ReadF32(bytes, 0), -50.0f);   // centred
  EXPECT_EQ(ReadBytes(map), EncodeMap(doc));        // the input is untouched
}

}  // namespace
}  // namespace quorvel
