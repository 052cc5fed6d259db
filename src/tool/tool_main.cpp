// quorvel-tool: the editor's reading, checks, save and compile for map packs and servers, and its
// redraw into a PNG. Every verb takes --help and --version. Exit status: 0 fine, 1 the check found
// problems, 2 bad usage or a file that cannot be read or written (one line on stderr each).
#include <algorithm>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "tool/tool.h"

namespace quorvel::tool {

int Fail(const std::string& message) {
  std::cerr << "quorvel-tool: " << message << "\n";
  return kError;
}

}  // namespace quorvel::tool

namespace {

using namespace quorvel;
using namespace quorvel::tool;

#define QUORVEL_STR2(x) #x
#define QUORVEL_STR(x) QUORVEL_STR2(x)
const char* const kVersion = "quorvel-tool " QUORVEL_STR(QUORVEL_VERSION_MAJOR) "." QUORVEL_STR(
    QUORVEL_VERSION_MINOR) "." QUORVEL_STR(QUORVEL_VERSION_PATCH);

struct Verb {
  const char* name;
  const char* usage;
  const char* help;
  std::vector<std::string> valueOptions, flagOptions;
  std::function<int(const Args&)> run;
};

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
