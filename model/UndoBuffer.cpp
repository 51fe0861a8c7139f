#include "model/UndoBuffer.h"

#include "model/Identical.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <utility>

namespace {

using LinePtr = TUndoInfo::LinePtr;

// The previous snapshot's copy of `line`, looked up at the same index and at the index shifted
// by the change in count (paths inserted or removed before it), or null.
LinePtr sharedCopy(const TUndoInfo& previous, std::size_t i, const TCvLine& line,
                   std::ptrdiff_t shift) {
    const std::size_t n = previous.lineCount();
    if (i < n && plumex::identical(previous.line(i), line)) return previous.linePtr(i);
    const std::ptrdiff_t j = static_cast<std::ptrdiff_t>(i) + shift;
    if (shift != 0 && j >= 0 && static_cast<std::size_t>(j) < n &&
        plumex::identical(previous.line(static_cast<std::size_t>(j)), line))
        return previous.linePtr(static_cast<std::size_t>(j));
    return nullptr;
}

std::uint64_t newSnapshotId() {
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

// The path of the snapshot at i: its value before the edit where the edit changed it.
const TCvLine& snapshotPath(const std::vector<TCvLine>& current, std::span<const TCvLine> before,
                            std::span<const int> at, std::size_t i) {
    const auto k = std::lower_bound(at.begin(), at.end(), static_cast<int>(i));
    if (k != at.end() && static_cast<std::size_t>(*k) == i)
        return before[static_cast<std::size_t>(k - at.begin())];
    return current[i];
}

} // namespace

void TUndoInfo::restoreLines(std::vector<TCvLine>& lines) const {
    lines.resize(count_);
    for (std::size_t i = 0; i < count_; ++i) lines[i] = line(i);
}

std::vector<std::size_t> TUndoInfo::unsharedWith(const TUndoInfo& other) const {
    std::vector<std::size_t> out;
    for (std::size_t b = 0; b < blocks_.size() && b < other.blocks_.size(); ++b) {
        if (blocks_[b] == other.blocks_[b]) continue;
        const Block& mine = *blocks_[b];
        const Block& theirs = *other.blocks_[b];
        for (std::size_t k = 0; k < mine.size() && k < theirs.size(); ++k)
            if (mine[k] != theirs[k]) out.push_back(b * BlockSize + k);
    }
    return out;
}

TUndoInfo TUndoInfo::capture(const std::vector<TCvLine>& lines, const TUndoInfo* previous) {
    return capture(lines, {}, {}, lines.size(), previous);
}

TUndoInfo TUndoInfo::capture(const std::vector<TCvLine>& current, std::span<const TCvLine> before,
                             std::span<const int> at, std::size_t count,
                             const TUndoInfo* previous) {
    // The path of the snapshot at i: an earlier value where the edit changed it.
    std::size_t next = 0;
    const auto pathAt = [&](std::size_t i) -> const TCvLine& {
        while (next < at.size() && static_cast<std::size_t>(at[next]) < i) ++next;
        if (next < at.size() && static_cast<std::size_t>(at[next]) == i) return before[next];
        return current[i];
    };
    TUndoInfo info;
    info.count_ = count;
    const std::ptrdiff_t shift = previous ? static_cast<std::ptrdiff_t>(previous->count_) -
                                                static_cast<std::ptrdiff_t>(count)
                                          : 0;
    for (std::size_t begin = 0; begin < count; begin += BlockSize) {
        const std::size_t end = std::min(count, begin + BlockSize);
        const std::size_t b = begin / BlockSize;
        // Walk the block while it matches the previous one; only a mismatch builds a new one.
        const Block* old =
            previous && b < previous->blocks_.size() ? previous->blocks_[b].get() : nullptr;
        std::size_t i = begin;
        if (old && old->size() == end - begin)
            while (i < end && plumex::identical(*(*old)[i - begin], pathAt(i))) ++i;
        if (i == end && old) {
            info.blocks_.push_back(previous->blocks_[b]);
            continue;
        }
        auto block = std::make_shared<Block>();
        block->reserve(end - begin);
        if (old) block->insert(block->end(), old->begin(), old->begin() + (i - begin));
        for (; i < end; ++i) {
            const TCvLine& line = pathAt(i);
            LinePtr shared = previous ? sharedCopy(*previous, i, line, shift) : nullptr;
            block->push_back(shared ? std::move(shared) : std::make_shared<const TCvLine>(line));
        }
        info.blocks_.push_back(std::move(block));
    }
    return info;
}

TUndoInfo TUndoInfo::captureChanged(const std::vector<TCvLine>& current,
                                    std::span<const TCvLine> before, std::span<const int> at,
                                    std::size_t count, const TUndoInfo& previous,
                                    std::span<const int> changed) {
    TUndoInfo info;
    info.count_ = count;
    info.blocks_ = previous.blocks_;
    auto k = std::lower_bound(changed.begin(), changed.end(), 0);
    const auto end = std::lower_bound(k, changed.end(), static_cast<std::ptrdiff_t>(count),
                                      [](int i, std::ptrdiff_t n) { return i < n; });
    while (k != end) {
        const std::size_t b = static_cast<std::size_t>(*k) / BlockSize;
        const std::size_t begin = b * BlockSize;
        std::shared_ptr<Block> block;
        // Only a changed path makes a new block; the rest stays shared with `previous`.
        for (; k != end && static_cast<std::size_t>(*k) / BlockSize == b; ++k) {
            const std::size_t i = static_cast<std::size_t>(*k);
            const TCvLine& line = snapshotPath(current, before, at, i);
            const Block& now = block ? *block : *info.blocks_[b];
            if (plumex::identical(*now[i - begin], line)) continue;
            if (!block) block = std::make_shared<Block>(*info.blocks_[b]);
            (*block)[i - begin] = std::make_shared<const TCvLine>(line);
        }
        if (block) info.blocks_[b] = std::move(block);
    }
    return info;
}

void TUndoBuffer::Record(const std::vector<TCvLine>& lines, TCvCoord pivot, int penPath) {
    Record(lines, {}, {}, lines.size(), pivot, penPath);
}

void TUndoBuffer::Record(const std::vector<TCvLine>& lines, std::span<const TCvLine> before,
                         std::span<const int> at, std::size_t count, TCvCoord pivot, int penPath) {
    Record(lines, before, at, count, pivot, penPath, Changes{});
}

std::uint64_t TUndoBuffer::Record(const std::vector<TCvLine>& lines,
                                  std::span<const TCvLine> before, std::span<const int> at,
                                  std::size_t count, TCvCoord pivot, int penPath,
                                  const Changes& changes) {
    // The snapshot the changes are known against: the last undoable one, or the one an Undo
    // restored (about to be dropped as a redo state, but its paths can still be shared).
    std::optional<TUndoInfo> base;
    if (changes.since != 0)
        for (std::size_t i = current_ > 0 ? current_ - 1 : 0; i <= current_ && i < history_.size();
             ++i)
            if (history_[i].id == changes.since && history_[i].lineCount() == count)
                base = history_[i];
    history_.resize(std::min(current_, history_.size()));
    const TUndoInfo* previous = history_.empty() ? nullptr : &history_.back();
    TUndoInfo info =
        base ? TUndoInfo::captureChanged(lines, before, at, count, *base, changes.changed)
             : TUndoInfo::capture(lines, before, at, count, previous);
    info.pivot = pivot;
    info.penPath = penPath;
    info.id = newSnapshotId();
    const std::uint64_t id = info.id;
    history_.push_back(std::move(info));
    ++current_;
    return id;
}

bool TUndoBuffer::Undo(std::vector<TCvLine>& lines, TCvCoord& pivot, int& penPath) {
    if (current_ == 0) return false;
    // With no redo state the present is recorded first, so that Redo can come back to it.
    if (current_ + 1 >= history_.size()) {
        Record(lines, pivot, penPath);
        --current_;
    }
    --current_;
    restore(lines, pivot, penPath);
    return true;
}

bool TUndoBuffer::Redo(std::vector<TCvLine>& lines, TCvCoord& pivot, int& penPath) {
    if (!CanRedo()) return false;
    ++current_;
    restore(lines, pivot, penPath);
    return true;
}

void TUndoBuffer::Clear() {
    history_.clear();
    current_ = 0;
    presentId_ = 0;
}

bool TUndoBuffer::Undo(plumex::LineList& lines, TCvCoord& pivot, int& penPath,
                       const Changes& present, Restored* restored) {
    if (current_ == 0) return false;
    if (current_ + 1 >= history_.size()) {
        const plumex::LineList::Mark since = lines.mark();
        Record(lines.vector(), {}, {}, lines.size(), pivot, penPath, present);
        --current_;
        knowPresent(since);
    }
    --current_;
    restore(lines, pivot, penPath, restored);
    return true;
}

bool TUndoBuffer::Redo(plumex::LineList& lines, TCvCoord& pivot, int& penPath, Restored* restored) {
    if (!CanRedo()) return false;
    ++current_;
    restore(lines, pivot, penPath, restored);
    return true;
}

void TUndoBuffer::knowPresent(plumex::LineList::Mark since) {
    presentId_ = history_[current_].id;
    presentMark_ = since;
}

void TUndoBuffer::restore(plumex::LineList& lines, TCvCoord& pivot, int& penPath,
                          Restored* restored) {
    const TUndoInfo& to = history_[current_];
    Restored r;
    const auto include = [&](const TCvLine& line) {
        if (line.points.empty()) return;
        const TCvRect h = line.GetHullBounds();
        r.hull = r.hull ? plumex::unite(*r.hull, h) : h;
    };
    const auto write = [&](std::size_t i) {
        const TCvLine& now = std::as_const(lines)[i];
        const TCvLine& want = to.line(i);
        if (plumex::identical(now, want)) return;
        include(now);
        include(want);
        lines[i] = want;
        ++r.written;
    };
    // What the list is now: a snapshot, except at the paths written since it was restored.
    const TUndoInfo* from = nullptr;
    std::vector<int> dirty;
    const auto known = std::find_if(history_.begin(), history_.end(), [&](const TUndoInfo& info) {
        return presentId_ != 0 && info.id == presentId_;
    });
    if (known != history_.end())
        if (const auto written = lines.changedSince(presentMark_)) {
            from = &*known;
            dirty.assign(written->begin(), written->end());
        }
    const plumex::LineList::Mark since = lines.mark();
    const std::size_t n = to.lineCount();
    if (from && from->lineCount() == n && lines.size() == n) {
        for (std::size_t i : to.unsharedWith(*from)) write(i);
        for (int i : dirty)
            if (static_cast<std::size_t>(i) < n) write(static_cast<std::size_t>(i));
    } else if (from && from->lineCount() == lines.size() && dirty.empty()) {
        // Paths inserted or removed: only the run between the common ends is replaced.
        const std::size_t m = from->lineCount();
        std::size_t head = 0;
        while (head < n && head < m && from->linePtr(head) == to.linePtr(head)) ++head;
        std::size_t tail = 0;
        while (tail < n - head && tail < m - head &&
               from->linePtr(m - 1 - tail) == to.linePtr(n - 1 - tail))
            ++tail;
        for (std::size_t i = head; i < m - tail; ++i) include(std::as_const(lines)[i]);
        std::vector<TCvLine> middle;
        middle.reserve(n - head - tail);
        for (std::size_t i = head; i < n - tail; ++i) {
            middle.push_back(to.line(i));
            include(middle.back());
        }
        auto& v = lines.edit();
        const auto at = v.erase(v.begin() + static_cast<std::ptrdiff_t>(head),
                                v.begin() + static_cast<std::ptrdiff_t>(m - tail));
        v.insert(at, std::make_move_iterator(middle.begin()),
                 std::make_move_iterator(middle.end()));
        r.written = middle.size();
    } else if (lines.size() == n) {
        for (std::size_t i = 0; i < n; ++i) write(i);
    } else {
        to.restoreLines(lines.edit());
        r.whole = true;
        r.written = n;
    }
    pivot = to.pivot;
    penPath = to.penPath;
    knowPresent(since);
    if (restored) *restored = r;
}

void TUndoBuffer::restore(std::vector<TCvLine>& lines, TCvCoord& pivot, int& penPath) const {
    const TUndoInfo& info = history_[current_];
    info.restoreLines(lines);
    pivot = info.pivot;
    penPath = info.penPath;
}
