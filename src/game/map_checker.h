#pragma once
// What will go wrong in the game, found before playing: one checker for the editor's "Map check"
// window and quorvel-tool check. Each problem has a kind, a line a map maker understands (naming
// the objects by index) and the objects it concerns. Nothing here changes the map.
#include <string>
#include <vector>

#include "document/map_document.h"
#include "document/map_file.h"

namespace quorvel {

// In the order the problems are listed.
enum class ProblemKind {
  FileValues,     // values the file holds that the editor or the game cannot use
  Corners,        // the save's coincident-corner warning
  CtfSpawns,      // the save's spawn warnings, and a ctf_ map without both flags
  FlatTriangle,   // a triangle with (nearly) no area
  Outside,        // beyond the sector grid
  SpawnInWall,    // a spawn inside a solid polygon
  SectorGrid,     // a sector table that does not hold the map as it lies
  WaypointLinks,  // links that lead nowhere, to the waypoint itself or to the other path; bad fields
  DeadEnd,        // a waypoint with links in but none out: bots stop there
  Unlinked,       // a waypoint with no links to or from its path
  RouteSplit,     // a path with more than one part bots can reach and never leave
};
inline constexpr int kProblemKinds = 11;

// The kind's name in quorvel-tool's JSON, e.g. "dead-end".
const char* KindName(ProblemKind kind);
// The heading the "Map check" window groups the kind's lines under.
const char* KindHeading(ProblemKind kind);

// An object a problem concerns: a polygon corner, a spawn, a scenery, a collider or a waypoint.
struct ObjectRef {
  enum class Type { Vertex, Spawn, Scenery, Collider, Waypoint };
  Type type = Type::Vertex;
  int index = 0;   // polygon index for a vertex
  int corner = 0;  // vertices only
  bool operator==(const ObjectRef&) const = default;
};

struct Problem {
  ProblemKind kind = ProblemKind::FileValues;
  std::string text;
  std::vector<ObjectRef> objects;
};

// Every problem of the map, by kind in the order above, within a kind by object index. `path`
// names the file (the spawn checks read its name); `report` tells what the reader had to clamp.
std::vector<Problem> CheckMapProblems(const MapDocument& doc, const std::string& path,
                                      const DecodeReport* report = nullptr);

// What a save that writes such a table says on the status line (never in a message box).
inline constexpr const char* kStaleGridNote = "Saved; the sector grid is out of date: use Compile (F9) before playing.";

// True when the sector table does not hold the map as it lies (a sector names a polygon that does
// not exist or is not solid, or leaves out a solid polygon whose box covers it): the game would
// collide with the wrong polygons.
bool SectorGridStale(const MapDocument& doc);

// "waypoint 4", "waypoints 4 and 9", "waypoints 4-6, 9": ascending indices, runs of three or more
// as ranges, so a group of any size stays one short line.
std::string NameList(const char* one, const std::vector<int>& indices);

}  // namespace quorvel
