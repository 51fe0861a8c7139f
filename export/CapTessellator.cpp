#include "export/CapTessellator.h"

#include <GL/glu.h>

#include <stdexcept>

namespace plumex {

// What the callbacks fill in; the polygon data of every callback points here.
struct CapTessellator::Glu {
    GLUtesselator* tess = nullptr;
    std::deque<Vertex> vertices; // stable addresses for the tessellator's pointers
    std::uint32_t fed = 0;       // vertices that came from the contours
    bool failed = false;
    // Boundary mode.
    std::vector<MeshContour> loops;
    // Triangle mode.
    std::vector<std::uint32_t> corners;
    std::vector<TCvCoord>* added = nullptr;
};

namespace {

using Glu = CapTessellator::Glu;
using Vertex = CapTessellator::Vertex;

Glu& self(void* data) {
    return *static_cast<Glu*>(data);
}

void GLAPIENTRY onBegin(GLenum type, void* data) {
    if (type == GL_LINE_LOOP) self(data).loops.emplace_back();
}

void GLAPIENTRY onVertex(void* vertex, void* data) {
    Glu& g = self(data);
    const auto* v = static_cast<const Vertex*>(vertex);
    if (g.added)
        g.corners.push_back(v->index);
    else if (!g.loops.empty())
        g.loops.back().push_back({v->xyz[0], v->xyz[1]});
}

// Only registered so that the tessellator gives separate triangles, never fans or strips.
void GLAPIENTRY onEdgeFlag(GLboolean, void*) {}

void GLAPIENTRY onCombine(GLdouble coords[3], void* near[4], GLfloat weight[4], void** out,
                          void* data) {
    Glu& g = self(data);
    const double x = toFloat(coords[0]), y = toFloat(coords[1]);
    // Points that meet exactly (contours touching at a corner) stay one point.
    for (int i = 0; i < 4; ++i) {
        auto* v = static_cast<Vertex*>(near[i]);
        if (v && weight[i] > 0 && v->xyz[0] == x && v->xyz[1] == y) {
            *out = v;
            return;
        }
    }
    auto index = static_cast<std::uint32_t>(g.vertices.size());
    if (g.added) {
        index = g.fed + static_cast<std::uint32_t>(g.added->size());
        g.added->push_back({x, y});
    }
    g.vertices.push_back({{x, y, 0}, index});
    *out = &g.vertices.back();
}

void GLAPIENTRY onError(GLenum, void* data) {
    self(data).failed = true;
}

template <class F> void set(GLUtesselator* tess, GLenum which, F* f) {
    // GLU takes every callback as void (*)(void), the one function type that may stand for any.
    gluTessCallback(tess, which, reinterpret_cast<_GLUfuncptr>(f));
}

} // namespace

CapTessellator::CapTessellator() : glu_(std::make_unique<Glu>()) {
    glu_->tess = gluNewTess();
    if (!glu_->tess) throw std::bad_alloc();
    GLUtesselator* t = glu_->tess;
    gluTessProperty(t, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    gluTessNormal(t, 0, 0, 1);
    set(t, GLU_TESS_BEGIN_DATA, onBegin);
    set(t, GLU_TESS_VERTEX_DATA, onVertex);
    set(t, GLU_TESS_COMBINE_DATA, onCombine);
    set(t, GLU_TESS_ERROR_DATA, onError);
}

CapTessellator::~CapTessellator() {
    gluDeleteTess(glu_->tess);
}

void CapTessellator::feed(const std::vector<MeshContour>& contours) {
    Glu& g = *glu_;
    g.vertices.clear();
    g.failed = false;
    std::uint32_t index = 0;
    for (const MeshContour& c : contours)
        for (TCvCoord p : c) g.vertices.push_back({{p.x, p.y, 0}, index++});
    g.fed = index;
    gluTessBeginPolygon(g.tess, &g);
    auto it = g.vertices.begin();
    for (const MeshContour& c : contours) {
        gluTessBeginContour(g.tess);
        for (std::size_t i = 0; i < c.size(); ++i, ++it) gluTessVertex(g.tess, it->xyz, &*it);
        gluTessEndContour(g.tess);
    }
    gluTessEndPolygon(g.tess);
    if (g.failed) throw std::runtime_error("The mesh tessellator refused an outline");
}

std::vector<MeshContour> CapTessellator::boundary(const std::vector<MeshContour>& contours) {
    Glu& g = *glu_;
    g.loops.clear();
    g.added = nullptr;
    gluTessProperty(g.tess, GLU_TESS_BOUNDARY_ONLY, GL_TRUE);
    set(g.tess, GLU_TESS_EDGE_FLAG_DATA, static_cast<void(GLAPIENTRY*)(GLboolean, void*)>(nullptr));
    feed(contours);
    std::vector<MeshContour> out;
    for (MeshContour& loop : g.loops) {
        tidyContour(loop);
        if (!loop.empty()) out.push_back(std::move(loop));
    }
    g.loops.clear();
    return out;
}

std::vector<MeshTriangle> CapTessellator::triangulate(const std::vector<MeshContour>& contours,
                                                      std::vector<TCvCoord>& added) {
    Glu& g = *glu_;
    g.corners.clear();
    g.added = &added;
    gluTessProperty(g.tess, GLU_TESS_BOUNDARY_ONLY, GL_FALSE);
    set(g.tess, GLU_TESS_EDGE_FLAG_DATA, onEdgeFlag);
    try {
        feed(contours);
    } catch (...) {
        g.added = nullptr;
        throw;
    }
    g.added = nullptr;
    // Every point by index, for the orientation check.
    std::vector<TCvCoord> at;
    at.reserve(g.fed + added.size());
    for (const MeshContour& c : contours) at.insert(at.end(), c.begin(), c.end());
    at.insert(at.end(), added.begin(), added.end());
    std::vector<MeshTriangle> out;
    out.reserve(g.corners.size() / 3);
    for (std::size_t i = 0; i + 2 < g.corners.size(); i += 3) {
        MeshTriangle t{g.corners[i], g.corners[i + 1], g.corners[i + 2]};
        const TCvCoord a = at[t[0]], b = at[t[1]], c = at[t[2]];
        const double area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        if (t[0] == t[1] || t[1] == t[2] || t[0] == t[2]) continue;
        // A sliver of three distinct points on one line stays: its edges close the ones
        // beside it.
        if (area < 0) std::swap(t[1], t[2]);
        out.push_back(t);
    }
    g.corners.clear();
    return out;
}

} // namespace plumex
