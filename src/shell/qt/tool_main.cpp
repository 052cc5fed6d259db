// quorvel-tool: command-line companion of the editor.
//   quorvel-tool render MAP.pmp OUT.png [--size WxH] [--zoom 400|200|100|50|25] [--grid N] [--advanced]
// draws the map with the editor's own redraw and Qt canvas, view centred on the origin, into a PNG.
// Exit status: 0 done, 2 on any failure (bad arguments, an unreadable map, a PNG that cannot be written).
#include <QApplication>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "document/editor.h"
#include "document/file_io.h"
#include "document/map_document.h"
#include "document/map_file.h"
#include "shell/qt/qt_canvas.h"
#include "view/layout.h"
#include "view/view.h"

namespace {

using namespace quorvel;

// The map as the editor opens it, or a one-line reason.
bool LoadMap(const std::string& path, MapDocument& doc, std::string& error) {
  std::vector<uint8_t> bytes;
  if (!PathExists(path)) {
    error = "File '" + path + "' not found.";
    return false;
  }
  // A folder or an unreadable file is a plain error, like a missing one.
  std::string reason;
  if (!ReadWholeFile(path, bytes, reason)) {
    error = "File '" + path + "' could not be read: " + reason + ".";
    return false;
  }
  if (bytes.size() != kMapFileSize) {
    error = "File '" + path + "' is not Zarnok 1.0.5b mapfile.";
    return false;
  }
  // The editor's own reader; it clamps a polygon count outside the array and far waypoints.
  DecodeMap(bytes, doc, nullptr);
  doc.info.fileName = path;
  return true;
}

// Every failure: one line on stderr and status 2.
int Fail(const std::string& message) {
  std::cerr << "quorvel-tool: " << message << "\n";
  return 2;
}

const char* const kUsage =
    "usage: quorvel-tool render MAP.pmp OUT.png [--size WxH] [--zoom 400|200|100|50|25] [--grid N] [--advanced]";

bool ParsePositive(const std::string& s, int& out) {
  if (s.empty() || s.size() > 6 || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  out = std::stoi(s);
  return out > 0;
}

int Render(int argc, char** argv) {
  std::vector<std::string> positional;
  int width = 819, height = 577, zoomItem = 2, gridItem = 0;
  bool advanced = false;
  const Controls defaults;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) return false;
      out = argv[++i];
      return true;
    };
    std::string v;
    if (a == "--size") {
      const size_t x = value(v) ? v.find('x') : std::string::npos;
      if (x == std::string::npos || !ParsePositive(v.substr(0, x), width) || !ParsePositive(v.substr(x + 1), height) ||
          width > 16384 || height > 16384)
        return Fail("bad size '" + v + "': expected WxH, each 1 to 16384");
    } else if (a == "--zoom") {
      const auto& data = defaults.CBzoom.itemData;
      int z = 0;
      const auto it = value(v) && ParsePositive(v, z) ? std::find(data.begin(), data.end(), z) : data.end();
      if (it == data.end()) return Fail("bad zoom '" + v + "': expected 400, 200, 100, 50 or 25");
      zoomItem = static_cast<int>(it - data.begin());
    } else if (a == "--grid") {
      const auto& items = defaults.CBgrid.items;
      auto it = value(v) ? std::find(items.begin(), items.end(), v == "0" ? std::string("Off") : v) : items.end();
      if (it == items.end()) return Fail("bad grid '" + v + "': expected 0, 100, 50, 25, 10 or 5");
      gridItem = static_cast<int>(it - items.begin());
    } else if (a == "--advanced") {
      advanced = true;
    } else if (a.rfind("--", 0) == 0) {
      return Fail("unknown option '" + a + "'; " + kUsage);
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 2) return Fail(kUsage);

  auto ed = std::make_unique<Editor>();
  std::string error;
  if (!LoadMap(positional[0], ed->doc, error)) return Fail(error);

  // Qt only once the arguments and the map are known good, so every error above is one clean line.
  // Headless by default: the tool needs fonts, not a display.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Qt's own notes (a missing runtime folder, size hints) would break the one-line error rule.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << "quorvel-tool: " << text.toStdString() << "\n";
  });
  QApplication app(argc, argv);
  QtCanvas canvas;
  canvas.Resize(width, height);
  ed->canvas = &canvas;
  ed->firstActivation = false;
  ed->view.clientWidth = width;
  ed->view.clientHeight = height;
  ed->view.viewX = ed->view.viewY = 0;
  // The settings go through the controls and their handlers, so the window's rules apply
  // (the grid density limit may step the grid coarser, as it would on screen).
  ed->ctl.CBzoom.Select(zoomItem);
  CBzoom_Click(*ed);
  ed->ctl.CBgrid.Select(gridItem);
  CBgrid_Click(*ed);
  for (int k = 0; k <= 5; ++k) ed->ctl.CBnayta[static_cast<size_t>(k)].value = 1;
  ed->ctl.CBnayta[6].value = advanced ? 1 : 0;
  CBnayta_Click(*ed, 6);
  Form_Resize(*ed);

  if (!canvas.Image().save(QString::fromStdString(positional[1]), "PNG"))
    return Fail("cannot write '" + positional[1] + "'");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail(kUsage);
  const std::string verb = argv[1];
  if (verb != "render") return Fail("unknown command '" + verb + "'; " + kUsage);
  return Render(argc, argv);
}
