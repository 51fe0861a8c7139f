#include "model/UndoBuffer.h"

#include "model/Identical.h"

#include <algorithm>

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

void TUndoBuffer::Record(const std::vector<TCvLine>& lines, TCvCoord pivot, int penPath) {
    Record(lines, {}, {}, lines.size(), pivot, penPath);
}

void TUndoBuffer::Record(const std::vector<TCvLine>& lines, std::span<const TCvLine> before,
                         std::span<const int> at, std::size_t count, TCvCoord pivot, int penPath) {
    history_.resize(std::min(current_, history_.size()));
    const TUndoInfo* previous = history_.empty() ? nullptr : &history_.back();
    TUndoInfo info = TUndoInfo::capture(lines, before, at, count, previous);
    info.pivot = pivot;
    info.penPath = penPath;
    history_.push_back(std::move(info));
    ++current_;
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
