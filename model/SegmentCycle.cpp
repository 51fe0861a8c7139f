#include "model/SegmentCycle.h"

#include <map>
#include <utility>

namespace plumex {

namespace {

using Key = std::pair<std::pair<double, double>, std::pair<double, double>>;

Key keyOf(TCvCoord a, TCvCoord b) {
    return {{a.x, a.y}, {b.x, b.y}};
}

// A straight segment whose exact reverse is also in the cycle; both indices, or false.
bool findBridge(const SegmentCycle& cycle, std::size_t& i, std::size_t& j) {
    std::map<Key, std::size_t> straight;
    for (std::size_t k = 0; k < cycle.size(); ++k) {
        if (!cycle[k].straight() || equal(cycle[k].a, cycle[k].b)) continue;
        const auto back = straight.find(keyOf(cycle[k].b, cycle[k].a));
        if (back != straight.end()) {
            i = back->second;
            j = k;
            return true;
        }
        straight.emplace(keyOf(cycle[k].a, cycle[k].b), k);
    }
    return false;
}

} // namespace

std::vector<SegmentCycle> splitAtBridges(SegmentCycle all) {
    std::vector<SegmentCycle> done;
    std::vector<SegmentCycle> work{std::move(all)};
    while (!work.empty()) {
        SegmentCycle cycle = std::move(work.back());
        work.pop_back();
        std::size_t i = 0, j = 0;
        if (!findBridge(cycle, i, j)) {
            done.push_back(std::move(cycle));
            continue;
        }
        // Segments i+1..j-1 run from the bridge's far end back to it; the rest closes the
        // other side.
        const auto at = [&](std::size_t k) {
            return cycle.begin() + static_cast<std::ptrdiff_t>(k);
        };
        SegmentCycle inner(at(i + 1), at(j));
        SegmentCycle outer(at(j + 1), cycle.end());
        outer.insert(outer.end(), cycle.begin(), at(i));
        if (!inner.empty()) work.push_back(std::move(inner));
        if (!outer.empty()) work.push_back(std::move(outer));
    }
    return done;
}

} // namespace plumex
