// The bot routes, path by path: healthy patterns give no line, each fault exactly one, and which
// lines a map gets does not depend on how its waypoints are numbered.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "fixtures/map_builder.h"
#include "game/map_checker.h"

namespace quorvel {
namespace {

using K = ProblemKind;

struct Line {
  K kind;
  std::string text;
  bool operator==(const Line&) const = default;
};
void PrintTo(const Line& l, std::ostream* os) { *os << KindName(l.kind) << ": " << l.text; }

// A map of waypoints only: no polygons, so nothing but the routes is checked. "n" waypoints of
// the path given, 100 units apart; links a -> b; "both" links both ways.
struct Route {
  std::unique_ptr<MapDocument> d = std::make_unique<MapDocument>(fixtures::NewMap());
  // As Compile leaves a map without polygons: no grid, so no object is off it.
  Route() { d->info.sectorSize = -667; }
  Route& Points(int n, int path = 1, float x0 = 0) {
    for (int i = 0; i < n; ++i) fixtures::AddWaypoint(*d, x0 + 100.f * float(d->waypointLast + 1), 0, path);
    return *this;
  }
  Route& To(int a, int b) {
    fixtures::Link(*d, a, b);
    return *this;
  }
  Route& Both(int a, int b) { return To(a, b).To(b, a); }
  Route& Loop(std::initializer_list<int> ws) {
    for (auto it = ws.begin(); it != ws.end(); ++it) To(*it, it + 1 == ws.end() ? *ws.begin() : *(it + 1));
    return *this;
  }
  Route& Raw(int a, int32_t value) {
    Waypoint& w = d->waypoints[size_t(a)];
    w.connections[size_t(w.connectionCount++)] = value;
    return *this;
  }
};

std::vector<Line> Lines(const MapDocument& d) {
  std::vector<Line> lines;
  for (const Problem& p : CheckMapProblems(d, "a.pmp")) lines.push_back({p.kind, p.text});
  return lines;
}

// The same map with waypoint i renumbered order[i]; links follow.
std::unique_ptr<MapDocument> Renumbered(const MapDocument& d, const std::vector<int>& order) {
  auto out = std::make_unique<MapDocument>(d);
  for (size_t i = 0; i < order.size(); ++i) {
    Waypoint w = d.waypoints[i];
    for (int c = 0; c < w.connectionCount; ++c) {
      const int32_t to = w.connections[size_t(c)];
      if (to >= 1 && to <= int32_t(order.size())) w.connections[size_t(c)] = order[size_t(to - 1)] + 1;
    }
    out->waypoints[size_t(order[i])] = w;
  }
  return out;
}

TEST(BotRoutes, HealthyPatternsGiveNoLineAndEachFaultExactlyOne) {
  struct Case {
    const char* name;
    Route route;
    std::vector<Line> lines;
  };
  std::vector<Case> cases;
  auto add = [&](const char* name, Route& r, std::vector<Line> lines) { cases.push_back({name, std::move(r), std::move(lines)}); };
  {
    Route r;
    r.Points(3).Loop({0, 1, 2});
    add("a loop", r, {});
  }
  {
    Route r;
    r.Points(3).Both(0, 1).Both(1, 2);
    add("a two-way chain", r, {});
  }
  {
    Route r;
    r.Points(5).Loop({0, 1, 2}).To(3, 0).To(4, 3).To(4, 1);
    add("entry waypoints that lead into a loop", r, {});
  }
  {
    Route r;
    r.Points(5).To(0, 1).To(1, 2).Loop({2, 3, 4});
    add("a one-way chain that ends in a loop", r, {});
  }
  {
    Route r;
    r.Points(2).Both(0, 1);
    r.d->waypoints[1].x = 9000 * 256;
    add("a two-way link over a long jump", r, {});
  }
  {
    Route r;
    r.Points(6).Loop({0, 1, 2}).Loop({3, 4, 5}).Both(2, 3);
    add("two loops linked both ways", r, {});
  }
  {
    Route r;
    r.Points(3).Loop({0, 1, 2}).Points(2, 2).Both(3, 4);
    add("a loop on each path", r, {});
  }
  {
    Route r;
    r.Points(3).Loop({0, 1, 2}).Raw(1, 99).Raw(1, 99);
    add("a link to a waypoint that does not exist", r,
        {{K::WaypointLinks, "waypoint 1 (path 1): link to 99, which is not a waypoint"}});
  }
  {
    Route r;
    r.Points(3).Loop({0, 1, 2}).Points(2, 2).Both(3, 4).To(0, 4);
    add("a link onto the other path", r, {{K::WaypointLinks, "waypoint 0 (path 1): link to waypoint 4, which is on path 2"}});
  }
  {
    Route r;
    r.Points(3).Loop({0, 1, 2}).To(2, 2).To(2, 2);
    add("a waypoint linked to itself", r, {{K::WaypointLinks, "waypoint 2 (path 1): links to itself"}});
  }
  {
    Route r;
    r.Points(4).Loop({0, 1, 2}).To(1, 3);
    add("links in but none out", r, {{K::DeadEnd, "waypoint 3 (path 1): no way out, bots that reach it get stuck"}});
  }
  {
    Route r;
    r.Points(4).Loop({0, 1, 2});
    add("a waypoint with no links at all", r,
        {{K::Unlinked, "waypoint 3 (path 1): no link to or from another waypoint of its path, bots never use it"}});
  }
  {
    Route r;
    r.Points(7).Loop({0, 1, 2}).Loop({3, 4, 5}).To(6, 0).To(6, 3);
    add("two loops bots split between for good", r,
        {{K::RouteSplit, "path 1 has 2 closed parts, bots that reach one never leave it: waypoints 0-2; waypoints 3-5"}});
  }
  {
    Route r;
    r.Points(3).Both(0, 1).Points(2, 2).Both(3, 4).Points(3, 1).Both(5, 7);
    add("two separate pieces of one path, and a lone waypoint", r,
        {{K::Unlinked, "waypoint 2 (path 1): no link to or from another waypoint of its path, bots never use it"},
         {K::Unlinked, "waypoint 6 (path 1): no link to or from another waypoint of its path, bots never use it"},
         {K::RouteSplit, "path 1 has 2 closed parts, bots that reach one never leave it: waypoints 0 and 1; waypoints 5 and 7"}});
  }
  {
    Route r;
    r.Points(5).Loop({0, 1, 2}).To(3, 0).To(3, 4);
    add("a loop with no way out beside a dead end", r,
        {{K::DeadEnd, "waypoint 4 (path 1): no way out, bots that reach it get stuck"},
         {K::RouteSplit, "path 1 has 2 closed parts, bots that reach one never leave it: waypoints 0-2; waypoint 4"}});
  }

  std::mt19937 rng(23);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Lines(*c.route.d), c.lines);
    // Numbered backwards and shuffled: the same kinds of line for the same waypoints.
    const int n = c.route.d->waypointLast + 1;
    for (int round = 0; round < 2; ++round) {
      std::vector<int> order(static_cast<size_t>(n));
      for (int i = 0; i < n; ++i) order[size_t(i)] = round == 0 ? n - 1 - i : i;
      if (round == 1) std::shuffle(order.begin(), order.end(), rng);
      auto renumbered = Renumbered(*c.route.d, order);
      std::vector<std::pair<K, std::vector<int>>> before, after;
      for (const Problem& p : CheckMapProblems(*c.route.d, "a.pmp")) {
        std::vector<int> named;
        for (const ObjectRef& o : p.objects) named.push_back(order[size_t(o.index)]);
        std::sort(named.begin(), named.end());
        before.emplace_back(p.kind, named);
      }
      for (const Problem& p : CheckMapProblems(*renumbered, "a.pmp")) {
        std::vector<int> named;
        for (const ObjectRef& o : p.objects) named.push_back(o.index);
        std::sort(named.begin(), named.end());
        after.emplace_back(p.kind, named);
      }
      std::sort(before.begin(), before.end());
      std::sort(after.begin(), after.end());
      EXPECT_EQ(before, after);
    }
  }
}

}  // namespace
}  // namespace quorvel
