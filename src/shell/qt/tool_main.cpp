// quorvel-tool: command-line companion of the editor.
//   quorvel-tool render MAP.pmp OUT.png [--size WxH] [--zoom 400|200|100|50|25] [--grid N] [--advanced]
// draws the map with the editor's own redraw and Qt canvas, view centred on the origin, into a PNG.
// Exit status: 0 done, 1 the PNG could not be written, 2 bad arguments or an unreadable map.
#include <QApplication>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "document/editor.h"
#include "document/map_document.h"
#include "shell/qt/qt_canvas.h"
#include "view/layout.h"
#include "view/view.h"

namespace {

using namespace quorvel;

constexpr size_t kMapFileSize = 502112;

// Reads the map file layout into the document. Kept to this one function so the editor's own map
// reader can take its place.
void DecodeMapBytes(const std::vector<uint8_t>& b, MapDocument& doc) {
  doc.Clear(false);
  size_t at = 0;
  auto take = [&](void* dst, size_t n) {
    std::memcpy(dst, b.data() + at, n);
    at += n;
  };
  take(doc.polygons.data(), sizeof doc.polygons);
  take(doc.polygonNormals.data(), sizeof doc.polygonNormals);
  int16_t count = 0;
  take(&count, 2);
  take(&doc.info.extraByte1, 1);
  take(&doc.info.extraByte2, 1);
  take(&doc.info.extraByte3, 1);
  doc.info.textureName.assign(reinterpret_cast<const char*>(b.data() + at), kTextureNameLength);
  at += kTextureNameLength;
  take(doc.spawns.data(), sizeof doc.spawns);
  take(doc.info.extraBlock.data(), doc.info.extraBlock.size());
  take(doc.sectors.data(), sizeof doc.sectors);
  take(&doc.info.extraByte4, 1);
  take(&doc.info.extraByte5, 1);
  take(&doc.info.sectorSize, 4);
  take(&doc.info.backgroundTop, 4);
  take(&doc.info.backgroundBottom, 4);
  take(doc.scenery.data(), sizeof doc.scenery);
  take(&doc.info.saveStamp, 4);
  take(doc.waypoints.data(), sizeof doc.waypoints);
  take(doc.colliders.data(), sizeof doc.colliders);

  // The count field is not checked by the format; never let it index past the array.
  doc.polygonLast = static_cast<int16_t>(std::clamp<int>(count, 0, kMaxPolygons) - 1);
  auto lastUsed = [](const auto& arr, auto used) {
    int i = 0;
    while (i < static_cast<int>(arr.size()) && used(arr[static_cast<size_t>(i)])) ++i;
    return static_cast<int16_t>(i - 1);
  };
  doc.spawnLast = lastUsed(doc.spawns, [](const Spawn& s) { return s.active != 0; });
  doc.sceneryLast = lastUsed(doc.scenery, [](const Scenery& s) { return s.active == 1; });
  doc.waypointLast = lastUsed(doc.waypoints, [](const Waypoint& w) { return w.active == 1; });
  doc.colliderLast = lastUsed(doc.colliders, [](const Collider& c) { return c.active == 1; });
  for (int i = 0; i <= doc.waypointLast; ++i) {
    Waypoint& w = doc.waypoints[static_cast<size_t>(i)];
    // World units x 256 in memory; values beyond the 32-bit range are clamped.
    w.x = static_cast<int32_t>(std::clamp<int64_t>(int64_t(w.x) * 256, INT32_MIN, INT32_MAX));
    w.y = static_cast<int32_t>(std::clamp<int64_t>(int64_t(w.y) * 256, INT32_MIN, INT32_MAX));
  }
  doc.info.authorName.clear();
  for (int i = 0; i <= 20 && doc.colliders[static_cast<size_t>(i)].authorChar != 0; ++i)
    doc.info.authorName += static_cast<char>(doc.colliders[static_cast<size_t>(i)].authorChar);
}

bool LoadMap(const std::string& path, MapDocument& doc, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "File '" + path + "' not found.";
    return false;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() != kMapFileSize) {
    error = "File '" + path + "' is not Zarnok 1.0.5b mapfile.";
    return false;
  }
  DecodeMapBytes(bytes, doc);
  doc.info.fileName = path;
  return true;
}

int Fail(const std::string& message, int status = 2) {
  std::cerr << "quorvel-tool: " << message << "\n";
  return status;
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
    return Fail("cannot write '" + positional[1] + "'", 1);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Fail(kUsage);
  const std::string verb = argv[1];
  if (verb != "render") return Fail("unknown command '" + verb + "'; " + kUsage);
  return Render(argc, argv);
}
