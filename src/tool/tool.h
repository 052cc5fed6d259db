#pragma once
// Inside quorvel-tool: the arguments of a verb, the reading of the maps and the verbs themselves.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "document/map_document.h"
#include "document/map_file.h"

namespace quorvel::tool {

inline constexpr int kFine = 0, kFound = 1, kError = 2;

// The arguments of one verb: positionals, and options that take a value or stand alone.
struct Args {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;
  std::map<std::string, bool> flags;
};

// One line on stderr; returns kError.
int Fail(const std::string& message);

// The map as the editor opens it, or a one-line reason.
bool LoadMap(const std::string& path, MapDocument& doc, DecodeReport& report, std::string& error);
// Reads each map named and hands it on; a map that cannot be read is reported and the rest still
// run. The status is the worst of all: 2 for a file error, else what `use` returned.
int EachMap(const Args& a, const std::function<int(const std::string&, const MapDocument&, const DecodeReport&)>& use);

// The verbs; -1 is bad usage.
int Info(const Args& a);
int Check(const Args& a);
int Rewrite(const Args& a, bool compile);
int Render(const Args& a, int argc, char** argv);

}  // namespace quorvel::tool
