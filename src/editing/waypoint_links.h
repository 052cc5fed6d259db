#pragma once
// Rewriting waypoint links when waypoints get new numbers (Paste) or disappear (Delete). A link is
// the `id` of the waypoint it leads to; a map from old id values to what becomes of the links that
// hold them is built once and applied to every waypoint in one pass.
#include <cstdint>
#include <utility>
#include <vector>

#include "document/records.h"

namespace quorvel {

class LinkMap {
 public:
  LinkMap();
  // Links holding `id` will hold `to`. The first decision for an id stands: later calls for the
  // same id are ignored.
  void Renumber(int32_t id, int32_t to);
  // Links holding `id` will disappear. Like Renumber, the first decision for an id stands.
  void Remove(int32_t id);
  bool Mapped(int32_t id) const { return Find(id) != kUnmapped; }
  bool Removed(int32_t id) const { return Find(id) == kRemoved; }
  // What a link holding `id` becomes: its new id, or `id` itself when unmapped. Call only for ids
  // that are not removed.
  int32_t Apply(int32_t id) const;
  // Rewrites the counted links of w (count held to 0..20): removed links disappear, the following
  // ones move up an entry and the count decreases, freed entries become 0; the rest are renumbered.
  void Apply(Waypoint& w) const;

 private:
  static constexpr int64_t kUnmapped = INT64_MIN;
  static constexpr int64_t kRemoved = INT64_MIN + 1;
  int64_t Find(int32_t id) const;
  void Set(int32_t id, int64_t to);
  // Ids 0..500 (every id the editor makes) are looked up directly, others in a sorted list.
  std::vector<int64_t> direct_;
  std::vector<std::pair<int32_t, int64_t>> others_;
};

}  // namespace quorvel
