#include "game/bot_routes.h"

#include <algorithm>
#include <array>

namespace quorvel {

namespace {

constexpr int kNone = -1;

std::string Name(int i, int path) { return "waypoint " + std::to_string(i) + " (path " + std::to_string(path) + ")"; }

ObjectRef WaypointRef(int i) { return {ObjectRef::Type::Waypoint, i, 0}; }

// The links of one path's waypoints to other waypoints of the same path, as lists of indices.
struct Graph {
  int n = 0;
  std::vector<int> outStart, out, inStart, in;
  int OutDegree(int v) const { return outStart[size_t(v) + 1] - outStart[size_t(v)]; }
  int InDegree(int v) const { return inStart[size_t(v) + 1] - inStart[size_t(v)]; }
};

// Strongly connected pieces (Kosaraju, without recursion): finishing order on the links, then
// pieces on the reversed links in reverse finishing order. Returns each waypoint's piece.
std::vector<int> Pieces(const Graph& g, int& count) {
  std::vector<int> order, piece(size_t(g.n), kNone), stack;
  std::vector<int> next(size_t(g.n));
  std::vector<bool> seen(size_t(g.n), false);
  order.reserve(size_t(g.n));
  for (int s = 0; s < g.n; ++s) {
    if (seen[size_t(s)]) continue;
    seen[size_t(s)] = true;
    next[size_t(s)] = g.outStart[size_t(s)];
    stack.push_back(s);
    while (!stack.empty()) {
      const int v = stack.back();
      if (next[size_t(v)] < g.outStart[size_t(v) + 1]) {
        const int w = g.out[size_t(next[size_t(v)]++)];
        if (!seen[size_t(w)]) {
          seen[size_t(w)] = true;
          next[size_t(w)] = g.outStart[size_t(w)];
          stack.push_back(w);
        }
      } else {
        order.push_back(v);
        stack.pop_back();
      }
    }
  }
  count = 0;
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    if (piece[size_t(*it)] != kNone) continue;
    stack.push_back(*it);
    piece[size_t(*it)] = count;
    while (!stack.empty()) {
      const int v = stack.back();
      stack.pop_back();
      for (int k = g.inStart[size_t(v)]; k < g.inStart[size_t(v) + 1]; ++k) {
        const int w = g.in[size_t(k)];
        if (piece[size_t(w)] == kNone) {
          piece[size_t(w)] = count;
          stack.push_back(w);
        }
      }
    }
    ++count;
  }
  return piece;
}

}  // namespace

void CheckBotRoutes(const MapDocument& d, const AddProblem& add) {
  const int last = std::clamp<int>(d.waypointLast, -1, kMaxWaypoints - 1);
  const int n = last + 1;
  auto onPath = [&](int i) { return d.waypoints[size_t(i)].path == 1 || d.waypoints[size_t(i)].path == 2; };

  // Links first, each fault once per waypoint; the sound links make the graph.
  std::vector<std::pair<int, int>> links;
  for (int i = 0; i < n; ++i) {
    const Waypoint& w = d.waypoints[size_t(i)];
    const std::string here = "waypoint " + std::to_string(i);
    if (!onPath(i)) {
      add(ProblemKind::WaypointLinks, here + ": path " + std::to_string(w.path) + " is not 1 or 2", {WaypointRef(i)});
      continue;
    }
    if (w.connectionCount < 0 || w.connectionCount > kMaxConnections)
      add(ProblemKind::WaypointLinks,
          Name(i, w.path) + ": " + std::to_string(w.connectionCount) + " links, at most " +
              std::to_string(kMaxConnections),
          {WaypointRef(i)});
    // As the editor reads such a count: the first 20 links, or none.
    const int count = std::clamp<int>(w.connectionCount, 0, kMaxConnections);
    bool toItself = false;
    std::array<int32_t, kMaxConnections> bad{};
    int badCount = 0;
    for (int c = 0; c < count; ++c) {
      const int32_t to = w.connections[size_t(c)];
      const bool exists = to >= 1 && to <= n;
      if (exists && to - 1 == i) {
        toItself = true;
        continue;
      }
      if (exists && d.waypoints[size_t(to - 1)].path == w.path) {
        links.emplace_back(i, to - 1);
        continue;
      }
      if (std::find(bad.begin(), bad.begin() + badCount, to) != bad.begin() + badCount) continue;
      bad[size_t(badCount++)] = to;
      add(ProblemKind::WaypointLinks,
          exists ? Name(i, w.path) + ": link to waypoint " + std::to_string(to - 1) + ", which is on path " +
                       std::to_string(d.waypoints[size_t(to - 1)].path)
                 : Name(i, w.path) + ": link to " + std::to_string(to) + ", which is not a waypoint",
          {WaypointRef(i)});
    }
    if (toItself) add(ProblemKind::WaypointLinks, Name(i, w.path) + ": links to itself", {WaypointRef(i)});
  }

  Graph g;
  g.n = n;
  g.outStart.assign(size_t(n) + 1, 0);
  g.inStart.assign(size_t(n) + 1, 0);
  for (const auto& [a, b] : links) {
    ++g.outStart[size_t(a) + 1];
    ++g.inStart[size_t(b) + 1];
  }
  for (int v = 0; v < n; ++v) {
    g.outStart[size_t(v) + 1] += g.outStart[size_t(v)];
    g.inStart[size_t(v) + 1] += g.inStart[size_t(v)];
  }
  g.out.resize(links.size());
  g.in.resize(links.size());
  {
    std::vector<int> o(g.outStart.begin(), g.outStart.end() - 1), p(g.inStart.begin(), g.inStart.end() - 1);
    for (const auto& [a, b] : links) {
      g.out[size_t(o[size_t(a)]++)] = b;
      g.in[size_t(p[size_t(b)]++)] = a;
    }
  }

  for (int i = 0; i < n; ++i) {
    if (!onPath(i) || g.OutDegree(i) > 0) continue;
    const int path = d.waypoints[size_t(i)].path;
    if (g.InDegree(i) > 0)
      add(ProblemKind::DeadEnd, Name(i, path) + ": no way out, bots that reach it get stuck", {WaypointRef(i)});
  }
  for (int i = 0; i < n; ++i) {
    if (!onPath(i) || g.OutDegree(i) > 0 || g.InDegree(i) > 0) continue;
    add(ProblemKind::Unlinked,
        Name(i, d.waypoints[size_t(i)].path) + ": no link to or from another waypoint of its path, bots never use it",
        {WaypointRef(i)});
  }

  // A closed part is a piece no link leaves: bots that reach it stay in it for good. A waypoint
  // without any link is none, since no bot ever gets there.
  int count = 0;
  const std::vector<int> piece = Pieces(g, count);
  std::vector<bool> leaves(size_t(count), false), linked(size_t(count), false);
  for (const auto& [a, b] : links) {
    linked[size_t(piece[size_t(a)])] = linked[size_t(piece[size_t(b)])] = true;
    if (piece[size_t(a)] != piece[size_t(b)]) leaves[size_t(piece[size_t(a)])] = true;
  }
  for (int path = 1; path <= 2; ++path) {
    // Parts in the order of their lowest waypoint, each part's waypoints ascending.
    std::vector<std::vector<int>> parts;
    std::vector<int> partOf(size_t(count), kNone);
    for (int i = 0; i < n; ++i) {
      const int p = piece[size_t(i)];
      if (d.waypoints[size_t(i)].path != path || leaves[size_t(p)] || !linked[size_t(p)]) continue;
      if (partOf[size_t(p)] == kNone) {
        partOf[size_t(p)] = int(parts.size());
        parts.emplace_back();
      }
      parts[size_t(partOf[size_t(p)])].push_back(i);
    }
    if (parts.size() < 2) continue;
    std::string text = "path " + std::to_string(path) + " has " + std::to_string(parts.size()) +
                       " closed parts, bots that reach one never leave it: ";
    std::vector<ObjectRef> objects;
    for (size_t k = 0; k < parts.size(); ++k) {
      if (k > 0) text += "; ";
      text += NameList("waypoint", parts[k]);
      for (int i : parts[k]) objects.push_back(WaypointRef(i));
    }
    add(ProblemKind::RouteSplit, text, std::move(objects));
  }
}

}  // namespace quorvel
