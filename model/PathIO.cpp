// The path record of document files and the clipboard.

#include "model/ByteInput.h"
#include "model/ByteWriter.h"
#include "model/ModelMessages.h"
#include "model/Path.h"
#include "model/ReadError.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr std::size_t AnchorRecordSize = 50; // three coords, selected, independent

enum : std::int32_t { FlagClosed = 1, FlagSelected = 2, FlagLocked = 4, FlagVisible = 8 };

bool finite(const TCvPoint& p) {
    return std::isfinite(p.anchor.x) && std::isfinite(p.anchor.y) && std::isfinite(p.inHandle.x) &&
           std::isfinite(p.inHandle.y) && std::isfinite(p.outHandle.x) &&
           std::isfinite(p.outHandle.y);
}

TCvPoint decodeAnchor(const std::uint8_t* b) {
    TCvPoint p;
    p.anchor = {plumex::loadDouble(b), plumex::loadDouble(b + 8)};
    p.inHandle = {plumex::loadDouble(b + 16), plumex::loadDouble(b + 24)};
    p.outHandle = {plumex::loadDouble(b + 32), plumex::loadDouble(b + 40)};
    p.selected = b[48] != 0;
    p.independent = b[49] != 0;
    return p;
}

void encodeAnchor(std::uint8_t* b, const TCvPoint& p) {
    plumex::storeDouble(b, p.anchor.x);
    plumex::storeDouble(b + 8, p.anchor.y);
    plumex::storeDouble(b + 16, p.inHandle.x);
    plumex::storeDouble(b + 24, p.inHandle.y);
    plumex::storeDouble(b + 32, p.outHandle.x);
    plumex::storeDouble(b + 40, p.outHandle.y);
    b[48] = p.selected ? 1 : 0;
    b[49] = p.independent ? 1 : 0;
}

} // namespace

// The record is the same in versions 4 and 5.
void TCvLine::Read(plumex::ByteInput& in, int /*version*/) {
    std::string newName = in.readText();
    const std::int32_t flags = in.readInt32();
    const std::size_t n = in.readCount(AnchorRecordSize);
    std::vector<TCvPoint> anchors(n);
    for (std::size_t i = 0; i < n; ++i) {
        anchors[i] = decodeAnchor(in.take(AnchorRecordSize).data());
        // Model code divides and compares coordinates; NaN or infinity would spread silently.
        if (!finite(anchors[i])) throw plumex::ReadError(plumex::InvalidData);
    }
    name = std::move(newName);
    closed = (flags & FlagClosed) != 0;
    selected = (flags & FlagSelected) != 0;
    locked = (flags & FlagLocked) != 0;
    visible = (flags & FlagVisible) != 0;
    points = std::move(anchors);
}

void TCvLine::Write(plumex::ByteWriter& out, int /*version*/) const {
    // Read refuses such a record, so writing it would leave data that cannot be opened.
    if (!std::all_of(points.begin(), points.end(), [](const TCvPoint& p) { return finite(p); }))
        throw std::domain_error("A path has a point that is not a finite number");
    out.writeText(name);
    out.writeInt32((closed ? FlagClosed : 0) | (selected ? FlagSelected : 0) |
                   (locked ? FlagLocked : 0) | (visible ? FlagVisible : 0));
    out.writeCount(points.size());
    std::uint8_t* bytes = out.extend(points.size() * AnchorRecordSize);
    for (const TCvPoint& p : points) {
        encodeAnchor(bytes, p);
        bytes += AnchorRecordSize;
    }
}
