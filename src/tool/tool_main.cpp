// quorvel-tool: the editor's reading, checks, save and compile for map packs and servers, and its
// redraw into a PNG. Every verb takes --help and --version. Exit status: 0 fine, 1 the check found
// problems, 2 bad usage or a file that cannot be read or written (one line on stderr each).
#include <QApplication>
#include <QBuffer>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "document/editor.h"
#include "document/file_io.h"
#include "document/map_document.h"
#include "document/map_file.h"
#include "document/map_write.h"
#include "game/compile.h"
#include "game/map_check.h"
#include "game/map_checker.h"
#include "qt/qt_canvas.h"
#include "view/layout.h"
#include "view/map_texture.h"
#include "view/view.h"

namespace {

using namespace quorvel;

constexpr int kFine = 0, kFound = 1, kError = 2;

#define QUORVEL_STR2(x) #x
#define QUORVEL_STR(x) QUORVEL_STR2(x)
const char* const kVersion = "quorvel-tool " QUORVEL_STR(QUORVEL_VERSION_MAJOR) "." QUORVEL_STR(
    QUORVEL_VERSION_MINOR) "." QUORVEL_STR(QUORVEL_VERSION_PATCH);

int Fail(const std::string& message) {
  std::cerr << "quorvel-tool: " << message << "\n";
  return kError;
}

// The map as the editor opens it, or a one-line reason.
bool LoadMap(const std::string& path, MapDocument& doc, DecodeReport& report, std::string& error) {
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
  report = DecodeMap(bytes, doc, nullptr);
  doc.info.fileName = path;
  return true;
}

// The arguments of one verb: positionals, and options that take a value or stand alone.
struct Args {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;
  std::map<std::string, bool> flags;
};

struct Verb {
  const char* name;
  const char* usage;
  const char* help;
  std::vector<std::string> valueOptions, flagOptions;
  std::function<int(const Args&)> run;
};

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string JsonString(const std::string& s) {
  std::string out = "\"";
  for (const char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// Reads each map named and hands it on; a map that cannot be read is reported and the rest still
// run. The status is the worst of all: 2 for a file error, else what `use` returned.
int EachMap(const Args& a, const std::function<int(const std::string&, const MapDocument&, const DecodeReport&)>& use) {
  int status = kFine;
  for (const std::string& path : a.positional) {
    auto doc = std::make_unique<MapDocument>();
    DecodeReport report;
    std::string error;
    status = std::max(status, LoadMap(path, *doc, report, error) ? use(path, *doc, report) : Fail(error));
  }
  return status;
}

int Info(const Args& a) {
  if (a.positional.empty()) return -1;
  const bool json = a.flags.count("--json") > 0;
  std::vector<std::string> objects;
  const int status = EachMap(a, [&](const std::string& path, const MapDocument& doc, const DecodeReport&) {
    const MapSummary s = SummariseMap(doc);
    if (json) {
      std::string o = "{\"file\": " + JsonString(path) + ", \"author\": " + JsonString(s.author) +
                      ", \"texture\": " + JsonString(s.texture) + ", \"sectorSize\": " + std::to_string(s.sectorSize);
      for (const auto& c : s.counts)
        o += ", \"" + std::string(c.what) + "\": {\"count\": " + std::to_string(c.count) +
             ", \"limit\": " + std::to_string(c.limit) + "}";
      objects.push_back(o + "}");
    } else {
      std::cout << path << "\n  author: " << s.author << "\n  texture: " << s.texture
                << "\n  sector size: " << s.sectorSize << "\n";
      for (const auto& c : s.counts) std::cout << "  " << c.what << ": " << c.count << " of " << c.limit << "\n";
    }
    return kFine;
  });
  if (json) {
    std::cout << "[";
    for (size_t i = 0; i < objects.size(); ++i) std::cout << (i ? ",\n " : "") << objects[i];
    std::cout << "]\n";
  }
  return status;
}

std::string JsonObject(const ObjectRef& o) {
  static const char* const kTypes[] = {"vertex", "spawn", "scenery", "collider", "waypoint"};
  std::string out = "{\"type\": \"" + std::string(kTypes[static_cast<int>(o.type)]) + "\", ";
  if (o.type == ObjectRef::Type::Vertex)
    return out + "\"polygon\": " + std::to_string(o.index) + ", \"corner\": " + std::to_string(o.corner) + "}";
  return out + "\"index\": " + std::to_string(o.index) + "}";
}

int Check(const Args& a) {
  if (a.positional.empty()) return -1;
  const bool json = a.flags.count("--json") > 0;
  std::vector<std::string> maps;
  const int status = EachMap(a, [&](const std::string& path, const MapDocument& doc, const DecodeReport& report) {
    const std::vector<Problem> found = CheckMapProblems(doc, path, &report);
    if (json) {
      std::string o = "{\"file\": " + JsonString(path) + ", \"problems\": [";
      for (size_t i = 0; i < found.size(); ++i) {
        o += std::string(i ? ",\n  " : "\n  ") + "{\"kind\": \"" + KindName(found[i].kind) +
             "\", \"text\": " + JsonString(found[i].text) + ", \"objects\": [";
        for (size_t k = 0; k < found[i].objects.size(); ++k) o += (k ? ", " : "") + JsonObject(found[i].objects[k]);
        o += "]}";
      }
      maps.push_back(o + "]}");
    } else {
      for (const Problem& p : found) std::cout << path << ": " << p.text << "\n";
    }
    return found.empty() ? kFine : kFound;
  });
  if (json) {
    std::cout << "[";
    for (size_t i = 0; i < maps.size(); ++i) std::cout << (i ? ",\n " : "") << maps[i];
    std::cout << "]\n";
  }
  return status;
}

// normalise and compile: the document through the save's own writer, compiled first if asked.
int Rewrite(const Args& a, bool compile) {
  const auto out = a.values.find("-o");
  if (a.positional.size() != 1 || out == a.values.end()) return -1;
  auto ed = std::make_unique<Editor>();
  DecodeReport report;
  std::string error;
  if (!LoadMap(a.positional[0], ed->doc, report, error)) return Fail(error);
  if (compile) MenuRunCompile_Click(*ed);
  std::vector<uint8_t> bytes;
  WriteMapBytes(*ed, false, bytes);
  if (!WriteFileAtomically(out->second, bytes, error)) return Fail("cannot write '" + out->second + "': " + error);
  return kFine;
}

bool ParsePositive(const std::string& s, int& out) {
  if (s.empty() || s.size() > 6 || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  out = std::stoi(s);
  return out > 0;
}

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

const char* const kGeneralHelp =
    "usage: quorvel-tool VERB [OPTIONS] ...\n"
    "  info MAP... [--json]        name, author, texture, sector size and counts against the limits\n"
    "  check MAP... [--json]       what will go wrong in the game: save warnings, geometry, the\n"
    "                              sector grid, bot routes\n"
    "  normalise MAP -o OUT        write exactly what the editor's File Save would write\n"
    "  compile MAP -o OUT          the Run menu's Compile, then a save\n"
    "  render MAP OUT.png [...]    draw the map as the editor's canvas shows it\n"
    "Every verb takes --help and --version. Exit status: 0 fine, 1 the check found problems,\n"
    "2 bad usage or a file that cannot be read or written.\n";

std::vector<Verb> Verbs(int argc, char** argv) {
  return {
      {"info", "quorvel-tool info MAP... [--json]",
       "Prints each map's author, texture, sector size and object counts against the limits\n"
       "(scenery: the 254 a save keeps). --json prints a JSON array with one object per map.\n",
       {}, {"--json"}, Info},
      {"check", "quorvel-tool check MAP... [--json]",
       "Runs the editor's map check without saving: the save's warnings (coincident polygon corners,\n"
       "the ctf_ spawns), triangles without area, objects outside the sector grid, spawns inside\n"
       "walls, a sector grid that no longer holds the map, bot routes (links that lead nowhere, to the\n"
       "waypoint itself or onto the other path, dead ends, unlinked waypoints, paths that split bots\n"
       "for good)\n"
       "and values out of range. Prints one line per problem, \"MAP: problem\", naming the objects by\n"
       "index; --json prints a JSON array with one object per map whose problems give kind, text and\n"
       "objects. Exits 1 when any is found.\n",
       {}, {"--json"}, Check},
      {"normalise", "quorvel-tool normalise MAP -o OUT",
       "Writes OUT exactly as File Save writes the map (corner order, edge normals, spawn and waypoint\n"
       "positions on whole units, cleared free records), with the save stamp 1.\n",
       {"-o"}, {}, [](const Args& a) { return Rewrite(a, false); }},
      {"compile", "quorvel-tool compile MAP -o OUT",
       "Runs the Run menu's Compile (centres the map, rebuilds the sector table), then writes OUT as\n"
       "normalise does.\n",
       {"-o"}, {}, [](const Args& a) { return Rewrite(a, true); }},
      {"render",
       "quorvel-tool render MAP OUT.png [--size WxH] [--zoom 400|200|100|50|25] [--grid N] [--advanced] [--filled] "
       "[--textures DIR]",
       "Draws the map with the editor's own redraw, view centred on the origin as a fresh window has it.\n"
       "--size is the canvas area a user sees, the window less its side panel and bars (default: the canvas\n"
       "area of the window at its first size, 634 x 485); the picture is the same as that area of such a\n"
       "window. OUT must end in .png.\n"
       "--filled draws the View menu's filled view: the polygons in their colours over the map's sky, with\n"
       "the map's texture looked for in DIR (--textures), in the game's \"textures\" folder (the folder above\n"
       "the tool's) and beside the map; a texture not found is said on stderr and the polygons are drawn\n"
       "without it.\n",
       {"--size", "--zoom", "--grid", "--textures"}, {"--advanced", "--filled"},
       [argc, argv](const Args& a) { return Render(a, argc, argv); }},
  };
}

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : "";
  if (first == "--help" || first == "-h") {
    std::cout << kGeneralHelp;
    return kFine;
  }
  if (first == "--version") {
    std::cout << kVersion << "\n";
    return kFine;
  }
  if (argc < 2) return Fail("usage: quorvel-tool info|check|normalise|compile|render ...; try quorvel-tool --help");
  for (const Verb& verb : Verbs(argc, argv)) {
    if (first != verb.name) continue;
    Args args;
    for (int i = 2; i < argc; ++i) {
      const std::string a = argv[i];
      if (a == "--help" || a == "-h") {
        std::cout << "usage: " << verb.usage << "\n" << verb.help;
        return kFine;
      }
      if (a == "--version") {
        std::cout << kVersion << "\n";
        return kFine;
      }
      if (std::find(verb.valueOptions.begin(), verb.valueOptions.end(), a) != verb.valueOptions.end()) {
        if (i + 1 >= argc) return Fail("option " + a + " needs a value; usage: " + verb.usage);
        args.values[a] = argv[++i];
      } else if (std::find(verb.flagOptions.begin(), verb.flagOptions.end(), a) != verb.flagOptions.end()) {
        args.flags[a] = true;
      } else if (a.size() > 1 && a[0] == '-') {
        return Fail("unknown option '" + a + "'; usage: " + verb.usage);
      } else {
        args.positional.push_back(a);
      }
    }
    const int status = verb.run(args);
    return status < 0 ? Fail("usage: " + std::string(verb.usage)) : status;
  }
  return Fail("unknown verb '" + first + "'; try quorvel-tool --help");
}
