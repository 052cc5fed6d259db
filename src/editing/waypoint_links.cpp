#include "editing/waypoint_links.h"

#include <algorithm>

namespace quorvel {

LinkMap::LinkMap() : direct_(kMaxWaypoints + 1, kUnmapped) {}

int64_t LinkMap::Find(int32_t id) const {
  if (id >= 0 && id <= kMaxWaypoints) return direct_[static_cast<size_t>(id)];
  auto it = std::lower_bound(others_.begin(), others_.end(), id,
                             [](const std::pair<int32_t, int64_t>& e, int32_t v) { return e.first < v; });
  return it != others_.end() && it->first == id ? it->second : kUnmapped;
}

void LinkMap::Set(int32_t id, int64_t to) {
  if (id >= 0 && id <= kMaxWaypoints) {
    int64_t& slot = direct_[static_cast<size_t>(id)];
    if (slot == kUnmapped) slot = to;
    return;
  }
  auto it = std::lower_bound(others_.begin(), others_.end(), id,
                             [](const std::pair<int32_t, int64_t>& e, int32_t v) { return e.first < v; });
  if (it != others_.end() && it->first == id) return;
  others_.insert(it, {id, to});
}

void LinkMap::Renumber(int32_t id, int32_t to) {
  Set(id, to);
}
void LinkMap::Remove(int32_t id) {
  Set(id, kRemoved);
}

int32_t LinkMap::Apply(int32_t id) const {
  const int64_t to = Find(id);
  return to == kUnmapped || to == kRemoved ? id : static_cast<int32_t>(to);
}

void LinkMap::Apply(Waypoint& w) const {
  const int count = std::clamp<int32_t>(w.connectionCount, 0, kMaxConnections);
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    const int32_t link = w.connections[static_cast<size_t>(i)];
    const int64_t to = Find(link);
    if (to == kRemoved) continue;
    w.connections[static_cast<size_t>(kept++)] = to == kUnmapped ? link : static_cast<int32_t>(to);
  }
  if (kept == count) return;  // nothing removed: a count from a file is left as it was
  for (int i = kept; i < count; ++i) w.connections[static_cast<size_t>(i)] = 0;
  w.connectionCount = kept;
}

}  // namespace quorvel
