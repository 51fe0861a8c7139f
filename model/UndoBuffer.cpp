#include "model/UndoBuffer.h"

#include "model/Identical.h"

#include <algorithm>
#include <atomic>

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
    history_.resize(std::min(current_, history_.size()));
    const TUndoInfo* previous = history_.empty() ? nullptr : &history_.back();
    const bool known = previous && changes.since != 0 && previous->id == changes.since &&
                       previous->lineCount() == count;
    TUndoInfo info =
        known ? TUndoInfo::captureChanged(lines, before, at, count, *previous, changes.changed)
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
}

void TUndoBuffer::restore(std::vector<TCvLine>& lines, TCvCoord& pivot, int& penPath) const {
    const TUndoInfo& info = history_[current_];
    info.restoreLines(lines);
    pivot = info.pivot;
    penPath = info.penPath;
}
