// quorvel-tool's verbs that read maps: info, check, normalise and compile.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iostream>
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
#include "tool/tool.h"

namespace quorvel::tool {

namespace {

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

}  // namespace

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

namespace {

std::string JsonObject(const ObjectRef& o) {
  static const char* const kTypes[] = {"vertex", "spawn", "scenery", "collider", "waypoint"};
  std::string out = "{\"type\": \"" + std::string(kTypes[static_cast<int>(o.type)]) + "\", ";
  if (o.type == ObjectRef::Type::Vertex)
    return out + "\"polygon\": " + std::to_string(o.index) + ", \"corner\": " + std::to_string(o.corner) + "}";
  return out + "\"index\": " + std::to_string(o.index) + "}";
}

}  // namespace

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

}  // namespace quorvel::tool
