#pragma once
// A closed run of segments, and Make Hole's bridges cut out of it.

#include "model/Segment.h"

#include <vector>

namespace plumex {

using SegmentCycle = std::vector<Segment>;

// The cycle cut at every straight segment whose exact reverse is also in it (Make Hole's bridge
// there and back, which bounds nothing): the outline and its holes as cycles of their own.
std::vector<SegmentCycle> splitAtBridges(SegmentCycle cycle);

} // namespace plumex
