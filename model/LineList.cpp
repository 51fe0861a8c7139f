#include "model/LineList.h"

#include <atomic>

namespace plumex {

namespace {

// Each stretch of the log numbers its marks from a start no other stretch of any list shares,
// so a mark kept from an earlier stretch, another list or a copy is never taken for a mark of
// this one.
constexpr LineList::Mark StretchLength = LineList::Mark{1} << 32;
std::atomic<LineList::Mark> nextStretch{StretchLength};

} // namespace

LineList::LineList(Vector lines) : lines_(std::move(lines)) {
    touchAll();
}

LineList::LineList(LineList&& other) noexcept : lines_(std::move(other.lines_)) {
    touchAll();
    other.touchAll();
}

LineList& LineList::operator=(const LineList& other) {
    if (this != &other) lines_ = other.lines_;
    touchAll();
    return *this;
}

LineList& LineList::operator=(LineList&& other) noexcept {
    if (this != &other) {
        lines_ = std::move(other.lines_);
        other.touchAll();
    }
    touchAll();
    return *this;
}

LineList& LineList::operator=(Vector lines) {
    lines_ = std::move(lines);
    touchAll();
    return *this;
}

std::optional<std::span<const int>> LineList::changedSince(Mark m) const {
    if (m < start_ || m > start_ + log_.size()) return std::nullopt;
    return std::span<const int>(log_).subspan(static_cast<std::size_t>(m - start_));
}

void LineList::touch(size_type i) {
    if (!markTaken_ && !log_.empty() && log_.back() == static_cast<int>(i)) return;
    markTaken_ = false;
    // Past this many entries the consumers may as well look at every path.
    if (log_.size() >= 2 * lines_.size() + 64) {
        touchAll();
        return;
    }
    log_.push_back(static_cast<int>(i));
}

void LineList::touchAll() {
    log_.clear();
    start_ = nextStretch.fetch_add(StretchLength, std::memory_order_relaxed);
}

} // namespace plumex
