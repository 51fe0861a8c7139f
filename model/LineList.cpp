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

std::optional<std::span<const LineList::Written>> LineList::kindsSince(Mark m) const {
    if (m < start_ || m > start_ + log_.size()) return std::nullopt;
    return std::span<const Written>(kinds_).subspan(static_cast<std::size_t>(m - start_));
}

void LineList::touch(size_type i, Written kind) {
    if (!markTaken_ && !log_.empty() && log_.back() == static_cast<int>(i)) {
        // One entry for both writes: a selection after anything else may still be anything.
        if (kinds_.back() != Written::Anything) kinds_.back() = kind;
        return;
    }
    markTaken_ = false;
    if (start_ + log_.size() - stretch_ >= StretchLength - 1) {
        touchAll();
        return;
    }
    // Past this many entries the older half goes: a consumer that synced before it looks at
    // every path, one that keeps up (the hit index after each Select All) still reads its part.
    if (log_.size() >= 2 * lines_.size() + 64) {
        const auto drop = static_cast<std::ptrdiff_t>(log_.size() / 2);
        log_.erase(log_.begin(), log_.begin() + drop);
        kinds_.erase(kinds_.begin(), kinds_.begin() + drop);
        start_ += static_cast<Mark>(drop);
    }
    log_.push_back(static_cast<int>(i));
    kinds_.push_back(kind);
}

void LineList::touchAll() {
    log_.clear();
    kinds_.clear();
    start_ = stretch_ = nextStretch.fetch_add(StretchLength, std::memory_order_relaxed);
}

} // namespace plumex
