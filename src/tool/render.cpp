// quorvel-tool render: the editor's own redraw into a PNG, the one verb that needs Qt.
#include <QApplication>
#include <QBuffer>
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "document/editor.h"
#include "document/file_io.h"
#include "qt/qt_canvas.h"
#include "tool/tool.h"
#include "view/layout.h"
#include "view/map_texture.h"
#include "view/view.h"

namespace quorvel::tool {

namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool ParsePositive(const std::string& s, int& out) {
  if (s.empty() || s.size() > 6 || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  out = std::stoi(s);
  return out > 0;
}

}  // namespace

int Render(const Args& a, int argc, char** argv) {
  if (a.positional.size() != 2) return -1;
  const std::string& png = a.positional[1];
  if (!EndsWith(png, ".png") || png.size() == 4 || EndsWith(png, "/.png"))
    return Fail("the picture's name '" + png + "' does not end in .png");
  const Controls defaults;
  // The canvas area of the window at its first size: its client size less the side panel and the two bars.
  const int barTop = defaults.Pyla.top + defaults.Pyla.height;
  int width = 819 - defaults.Ppalkki.width, height = 577 - defaults.Pala.height - barTop;
  int zoomItem = 2, gridItem = 0;
  if (auto v = a.values.find("--size"); v != a.values.end()) {
    const size_t x = v->second.find('x');
    if (x == std::string::npos || !ParsePositive(v->second.substr(0, x), width) ||
        !ParsePositive(v->second.substr(x + 1), height) || width > 16384 || height > 16384)
      return Fail("bad size '" + v->second + "': expected WxH, each 1 to 16384");
  }
  if (auto v = a.values.find("--zoom"); v != a.values.end()) {
    const auto& data = defaults.CBzoom.itemData;
    int z = 0;
    const auto it = ParsePositive(v->second, z) ? std::find(data.begin(), data.end(), z) : data.end();
    if (it == data.end()) return Fail("bad zoom '" + v->second + "': expected 400, 200, 100, 50 or 25");
    zoomItem = static_cast<int>(it - data.begin());
  }
  if (auto v = a.values.find("--grid"); v != a.values.end()) {
    const auto& items = defaults.CBgrid.items;
    const auto it = std::find(items.begin(), items.end(), v->second == "0" ? std::string("Off") : v->second);
    if (it == items.end()) return Fail("bad grid '" + v->second + "': expected 0, 100, 50, 25, 10 or 5");
    gridItem = static_cast<int>(it - items.begin());
  }

  auto ed = std::make_unique<Editor>();
  DecodeReport report;
  std::string error;
  if (!LoadMap(a.positional[0], ed->doc, report, error)) return Fail(error);

  // Qt only once the arguments and the map are known good, so every error above is one clean line.
  // Headless by default: the tool needs fonts, not a display.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Qt's own notes (a missing runtime folder, size hints) would break the one-line error rule.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << "quorvel-tool: " << text.toStdString() << "\n";
  });
  QApplication app(argc, argv);
  // The window whose canvas area is the size asked for: the view is centred where the window
  // centres it, so the picture is what a user sees there.
  const int clientWidth = width + defaults.Ppalkki.width, clientHeight = height + barTop + defaults.Pala.height;
  QtCanvas canvas;
  canvas.Resize(clientWidth, clientHeight);
  ed->canvas = &canvas;
  ed->firstActivation = false;
  ed->view.clientWidth = clientWidth;
  ed->view.clientHeight = clientHeight;
  ed->view.viewX = ed->view.viewY = 0;
  // The settings go through the controls and their handlers, so the window's rules apply
  // (the grid density limit may step the grid coarser, as it would on screen).
  ed->ctl.CBzoom.Select(zoomItem);
  CBzoom_Click(*ed);
  ed->ctl.CBgrid.Select(gridItem);
  CBgrid_Click(*ed);
  for (int k = 0; k <= 5; ++k) ed->ctl.CBnayta[static_cast<size_t>(k)].value = 1;
  ed->ctl.CBnayta[6].value = a.flags.count("--advanced") ? 1 : 0;
  CBnayta_Click(*ed, 6);
  ed->view.filled = a.flags.count("--filled") > 0;
  // The texture is looked for where the editor looks (the game folder above the tool's own, the
  // map's folder), after the folder named.
  ed->appFolder = QCoreApplication::applicationDirPath().toStdString();
  if (auto v = a.values.find("--textures"); v != a.values.end()) ed->texture.firstFolder = v->second;
  Form_Resize(*ed);
  if (!ed->statusNote.empty()) std::cerr << "quorvel-tool: note: " << ed->statusNote << "\n";

  // Encoded in memory and written as every other output is, so a failure has its reason and a
  // device, pipe or link named as the output is treated the same way.
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  if (!canvas.Image().copy(0, barTop, width, height).save(&buffer, "PNG"))
    return Fail("cannot write '" + png + "': the picture could not be encoded");
  if (!WriteFileAtomically(png, std::vector<uint8_t>(encoded.begin(), encoded.end()), error))
    return Fail("cannot write '" + png + "': " + error);
  return kFine;
}

}  // namespace quorvel::tool
