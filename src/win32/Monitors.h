#pragma once
// The monitors attached now, as the core's placement rule wants them.

#include <vector>

#include "app/Placement.h"

namespace tavrill {

// Every monitor of the desktop with its work area, in the system's order; empty
// only if the system gives none.
std::vector<Monitor> CurrentMonitors();

}  // namespace tavrill
