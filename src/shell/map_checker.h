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
  FileValues,      // values the file holds that the editor or the game cannot use
  Corners,         // the save's coincident-corner warning
  CtfSpawns,       // the save's spawn warnings, and a ctf_ map without both flags
  FlatTriangle,    // a triangle with (nearly) no area
  Outside,         // beyond the playable square or the sector grid
  SpawnInWall,     // a spawn inside a solid polygon
  SectorGrid,      // a sector table that names missing polygons or is not what Compile builds now
  WaypointLinks,   // links that lead nowhere, or a waypoint's own fields out of range
  DeadEnd,         // a waypoint that leads to no other of its path
  NoWayIn,         // a waypoint no other of its path leads to
  RouteTrap,       // a piece of a path bots can enter but never leave
  RouteUnreached,  // a piece of a path bots can leave but never reach
  RouteIsland,     // a piece of a path cut off both ways
  FarWaypoint,     // a waypoint far from every other of its path
};
inline constexpr int kProblemKinds = 14;

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

// True when the sector table names polygons that do not exist or differs from what Compile would
// build now: the game would collide with the wrong polygons.
bool SectorGridStale(const MapDocument& doc);

}  // namespace quorvel
