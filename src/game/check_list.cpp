#include "game/check_list.h"

#include <array>

#include "editing/selection.h"
#include "editing/tools.h"

namespace quorvel {

CheckList RunMapCheck(const Editor& ed) {
  CheckList list;
  list.problems = CheckMapProblems(ed.doc, ed.doc.info.fileName);
  const int n = static_cast<int>(list.problems.size());
  for (int i = 0; i < n;) {
    const ProblemKind kind = list.problems[static_cast<size_t>(i)].kind;
    int j = i;
    while (j < n && list.problems[static_cast<size_t>(j)].kind == kind) ++j;
    list.lines.push_back({std::string(KindHeading(kind)) + " (" + std::to_string(j - i) + ")", -1});
    for (; i < j; ++i) list.lines.push_back({list.problems[static_cast<size_t>(i)].text, i});
  }
  list.count = n == 0 ? "No problems found" : std::to_string(n) + (n == 1 ? " problem" : " problems");
  return list;
}

namespace {

// The "Show" layer (showFlags entry) each kind of object is drawn and selected on.
int LayerOf(ObjectRef::Type type) {
  switch (type) {
    case ObjectRef::Type::Vertex: return 0;
    case ObjectRef::Type::Spawn: return 1;
    case ObjectRef::Type::Scenery: return 2;
    case ObjectRef::Type::Collider: return 3;
    case ObjectRef::Type::Waypoint: return 4;
  }
  return 0;
}

template <typename List>
void Append(List& list, int16_t& last, int16_t& selLast, int index) {
  if (last + 1 >= static_cast<int>(list.size())) return;
  list[static_cast<size_t>(++last)] = static_cast<typename List::value_type>(index);
  ++selLast;
}

}  // namespace

void ChooseProblem(Editor& ed, const Problem& problem) {
  if (ed.currentTool != 0) SelectTool(ed, 0);
  ClearSelection(ed);
  SelectionState& s = ed.sel;
  const MapDocument& d = ed.doc;
  for (const ObjectRef& o : problem.objects) {
    using T = ObjectRef::Type;
    const int i = o.index;
    const std::array<int, 5> lasts{d.polygonLast, d.spawnLast, d.sceneryLast, d.colliderLast, d.waypointLast};
    if (i < 0 || i > lasts[static_cast<size_t>(o.type)]) continue;
    ed.view.showFlags[static_cast<size_t>(LayerOf(o.type))] = 1;
    switch (o.type) {
      case T::Vertex:
        if (o.corner >= 0 && o.corner <= 2) AppendSelectedVertex(ed, i, o.corner);
        break;
      case T::Spawn: Append(s.selSpawn, s.selSpawnLast, s.selLast, i); break;
      case T::Scenery: Append(s.selScenery, s.selSceneryLast, s.selLast, i); break;
      case T::Collider: Append(s.selCollider, s.selColliderLast, s.selLast, i); break;
      case T::Waypoint:
        // A path the canvas hides would hide the waypoint: both paths are shown again.
        if (ed.pathFilter != 0 && d.waypoints[static_cast<size_t>(i)].path != ed.pathFilter) {
          for (OptionButton& b : ed.ctl.OBbotNayta) b.value = false;
          ed.pathFilter = 0;
        }
        Append(s.selWaypoint, s.selWaypointLast, s.selLast, i);
        break;
    }
  }
  if (s.selLast >= 0) {
    FrameSelection(ed);
    ed.view.viewX = (s.selRect.left + s.selRect.right) / 2;
    ed.view.viewY = (s.selRect.top + s.selRect.bottom) / 2;
  }
  ed.RefreshPanels();
  ed.RedrawCanvas();
}

}  // namespace quorvel
