#pragma once
// Random drawings for round-trip and history tests, reproducible from a seed.

#include "model/DocumentSettings.h"
#include "model/Path.h"

#include <random>
#include <string>
#include <vector>

namespace plumex::testing {

class RandomDrawing {
public:
    explicit RandomDrawing(unsigned seed) : rng_(seed) {}

    int integer(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool coin() { return integer(0, 1) == 1; }
    // Full-precision doubles of both signs, with exact zeros and negative zeros mixed in.
    double number() {
        switch (integer(0, 5)) {
        case 0:
            return 0.0;
        case 1:
            return -0.0;
        default:
            return std::uniform_real_distribution<double>(-1e4, 1e4)(rng_);
        }
    }
    TCvCoord coord() { return {number(), number()}; }

    TCvPoint anchor() {
        TCvPoint p(coord(), coord(), coord());
        p.selected = coin();
        p.independent = coin(); // stored as given, not derived from the handles
        return p;
    }

    std::string name() {
        std::string s(static_cast<std::size_t>(integer(0, 3) == 0 ? 0 : integer(1, 12)), '\0');
        for (char& c : s) c = static_cast<char>(integer(1, 255)); // bytes kept unchanged
        return s;
    }

    TCvLine line(int maxAnchors = 8) {
        TCvLine l;
        l.name = name();
        const int n = integer(0, maxAnchors);
        for (int i = 0; i < n; ++i) l.points.push_back(anchor());
        l.closed = coin();
        l.locked = coin();
        l.visible = coin();
        l.UpdateSelected();
        return l;
    }

    std::vector<TCvLine> lines(int maxLines = 10) {
        std::vector<TCvLine> out(static_cast<std::size_t>(integer(0, maxLines)));
        for (TCvLine& l : out) l = line();
        return out;
    }

    DocumentSettings settings() {
        DocumentSettings s;
        s.scale = std::uniform_real_distribution<double>(0.01, 1000)(rng_);
        s.viewCentre = coord();
        for (int i = integer(0, 4); i > 0; --i) s.verticalGuides.push_back(number());
        for (int i = integer(0, 4); i > 0; --i) s.horizontalGuides.push_back(number());
        if (coin()) {
            s.draft.fileName = "/pictures/" + name() + ".png";
            s.draft.position = coord();
            s.draft.factor = std::uniform_real_distribution<double>(0.001, 10)(rng_);
        }
        return s;
    }

private:
    std::mt19937 rng_;
};

} // namespace plumex::testing
