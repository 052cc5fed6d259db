#pragma once
// The bot routes of a map, path by path: links that lead nowhere, to the waypoint itself or onto
// the other path, waypoints where bots stop or that no bot uses, and paths whose bots split for
// good between parts they can never leave. Healthy routes give no line.
#include <functional>

#include "game/map_checker.h"

namespace quorvel {

using AddProblem = std::function<void(ProblemKind, std::string, std::vector<ObjectRef>)>;

// Adds the route problems in kind order, within a kind by waypoint index.
void CheckBotRoutes(const MapDocument& d, const AddProblem& add);

}  // namespace quorvel
