#pragma once
// A path: anchors joined by cubic segments, open or closed. Paths are values.
// Segment i runs from points[i] through its outHandle and points[i+1].inHandle to
// points[i+1]; a closed path has one more segment, from the last anchor to the first.

#include "model/Object.h"
#include "model/Point.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace plumex {
class ByteInput;
class ByteWriter;
} // namespace plumex

class TCvLine : public TCvObject {
public:
    std::vector<TCvPoint> points;
    std::uint8_t closed = 0;

    TCvLine() = default;
    TCvLine(const TCvLine&) = default;
    TCvLine& operator=(const TCvLine&) = default;
    TCvLine(TCvLine&&) = default;
    TCvLine& operator=(TCvLine&&) = default;

    int count() const { return static_cast<int>(points.size()); }
    // Number of segments: count - 1 when open, count when closed (0 for an empty path).
    int segmentCount() const;
    // Segment i (see above); i must be below segmentCount().
    plumex::Segment segment(int i) const;

    // Exact curve bounds; (0, 0, 0, 0) for an empty path.
    TCvRect GetBounds() const override;
    void ExtendBounds(TCvRect& r) const override;
    // Resets the states and removes every anchor.
    void Clear() override;
    void Translate(TCvCoord v) override;

    // Rectangle of all anchors and handles, without curve evaluation.
    virtual TCvRect GetHullBounds() const;
    virtual TCvCoord LastAnchor() const;
    // Index of `p` within `points`, or -1 when it does not point into this path.
    virtual int IndexOfPoint(const TCvPoint* p) const;
    // Removes selected anchors that the curve does not need.
    virtual void Minimize();
    // Some anchor lies in the rectangle spanned by the two corners (inclusive).
    virtual bool AnyPointIn(TCvCoord corner1, TCvCoord corner2) const;
    // Replaces name, states and anchors with one path record of a document of `version`.
    // Throws plumex::ReadError; the path is left unchanged then.
    virtual void Read(plumex::ByteInput& in, int version);
    // Maps every anchor and handle by the linear map with axis images xAxis and yAxis.
    virtual void Transform(TCvCoord centre, TCvCoord xAxis, TCvCoord yAxis);
    virtual void TranslateSelected(TCvCoord v);
    // Appends this path's record; throws std::length_error past the format's int32 limits and
    // std::domain_error for a coordinate that is not finite (Read would refuse the record).
    virtual void Write(plumex::ByteWriter& out, int version) const;
    virtual void Scale(double kx, double ky);
    virtual void SelectAll(bool value);
    // Appends segments from POV-Ray bezier_spline text up to `limit`; returns where it stopped.
    // Throws plumex::ReadError("ReadPoint::ReadError") on a malformed point.
    virtual std::size_t ParseSpline(std::string_view text, std::size_t limit);
    virtual TCvCoord FirstAnchor() const;
    virtual void UpdateSelected();

    void Reverse();
    void SwapHandlesOfSelected();
    void RotateStart(int k);
    // Splits the segment from anchor `first` to anchor `second` at t and inserts the new anchor.
    void InsertPoint(int first, int second, double t);
    void DoubleSelected(double t);
    void RemoveSelectedPoints();
    void Append(const TCvLine& other);
    // Joins `inner` into this path by the nearest anchor pair with a straight bridge.
    void MergeHole(TCvLine inner);
    // Index of the nearest anchor (or selected anchor's handle) within tol of p, or -1;
    // `hit` receives the winning position.
    int NearestPoint(TCvCoord p, double tol, bool includeLast, bool includeSelected,
                     bool withHandles, TCvCoord* hit = nullptr) const;

    // Hands the poly-Bezier points to `visit` in order: the first anchor, then out-handle,
    // in-handle and anchor of each curve, the closing curve last when closed.
    template <class Visit> void ForEachBezierPoint(Visit&& visit) const {
        if (points.empty()) return;
        visit(points[0].anchor);
        for (std::size_t i = 1; i < points.size(); ++i) {
            visit(points[i - 1].outHandle);
            visit(points[i].inHandle);
            visit(points[i].anchor);
        }
        if (closed) {
            visit(points.back().outHandle);
            visit(points[0].inHandle);
            visit(points[0].anchor);
        }
    }

    // The poly-Bezier point list (3n - 2 points, 3 more when closed) through `map`.
    template <class Map> auto BezierPointList(Map map) const {
        std::vector<decltype(map(TCvCoord{}))> out;
        out.reserve(points.size() * 3 + 1);
        ForEachBezierPoint([&](const TCvCoord& c) { out.push_back(map(c)); });
        return out;
    }

    // Equal content: closed, locked, visible, name and every anchor; `selected` takes no part.
    friend bool operator==(const TCvLine& a, const TCvLine& b);
};
