#include "export/PovPipeline.h"

#include "export/PovFormat.h"

#include <algorithm>

namespace plumex {

std::size_t estimatedPovSize(const TCvLine& line, const PovRequest& r) {
    const std::size_t perNumber = static_cast<std::size_t>(clampAccuracy(r.accuracy)) + 6;
    return static_cast<std::size_t>(line.segmentCount()) * (8 * perNumber + 16) + 64 +
           r.modifiers.size() + r.name.size();
}

PovPieceCutter::PovPieceCutter(const PovRequest& request, std::size_t chunkBytes, Emit emit)
    : request_(request), chunkBytes_(std::max<std::size_t>(chunkBytes, 1)), emit_(std::move(emit)) {
}

void PovPieceCutter::add(const TCvLine* const* paths, std::size_t j, std::size_t count) {
    const std::size_t bytes = estimatedPovSize(*paths[j], request_);
    if (open_.end == open_.begin) open_ = {paths, j, j, count, 0, false};
    if (bytes > 4 * chunkBytes_) {
        if (open_.end > open_.begin) emit_(open_);
        emit_({paths, j, j + 1, count, bytes, true});
        open_ = {paths, j + 1, j + 1, count, 0, false};
        return;
    }
    open_.end = j + 1;
    open_.bytes += bytes;
    if (open_.bytes >= chunkBytes_) {
        emit_(open_);
        open_ = {paths, j + 1, j + 1, count, 0, false};
    }
}

void PovPieceCutter::finish() {
    if (open_.end > open_.begin) emit_(open_);
    open_ = {};
}

PovPipeline::PovPipeline(const PovRequest& request, unsigned workers)
    : request_(request), slots_(2 * static_cast<std::size_t>(std::max(workers, 1u))) {
    threads_.reserve(workers);
    for (unsigned i = 0; i < std::max(workers, 1u); ++i) threads_.emplace_back([this] { work(); });
}

PovPipeline::~PovPipeline() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    for (std::thread& t : threads_) t.join();
}

void PovPipeline::add(const PovPiece& piece) {
    {
        std::lock_guard lock(mutex_);
        pieces_.push_back(piece);
    }
    changed_.notify_all();
}

void PovPipeline::close(std::exception_ptr error) {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        error_ = error;
    }
    changed_.notify_all();
}

void PovPipeline::deliver(const PovTextSink& sink) {
    for (std::size_t c = 0;; ++c) {
        const PovPiece* piece = nullptr;
        Slot& slot = slots_[c % slots_.size()];
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return error_ || c < pieces_.size() || closed_; });
            if (error_) std::rethrow_exception(error_);
            if (c >= pieces_.size()) return;
            piece = &pieces_[c];
            if (!piece->direct) {
                changed_.wait(lock, [&] { return slot.ready || error_; });
                if (error_) std::rethrow_exception(error_);
                if (slot.error) std::rethrow_exception(slot.error);
            }
        }
        if (piece->direct) {
            sink.path(*piece->paths[piece->begin],
                      numberedRequest(request_, piece->begin, piece->count));
        } else {
            // No worker takes this slot again before delivered(c), so it is read unlocked.
            sink.piece(slot.text);
            std::lock_guard lock(mutex_);
            slot.ready = false;
        }
        delivered(c);
    }
}

void PovPipeline::delivered(std::size_t c) {
    {
        std::lock_guard lock(mutex_);
        delivered_ = c + 1;
    }
    changed_.notify_all();
}

void PovPipeline::work() {
    for (;;) {
        std::size_t c;
        const PovPiece* piece = nullptr;
        {
            std::unique_lock lock(mutex_);
            // Skip what the sink writes itself; never run more than the slots ahead.
            changed_.wait(lock, [&] {
                while (claimed_ < pieces_.size() && pieces_[claimed_].direct) ++claimed_;
                return stop_ || (closed_ && claimed_ >= pieces_.size()) ||
                       (claimed_ < pieces_.size() && claimed_ < delivered_ + slots_.size());
            });
            if (stop_ || claimed_ >= pieces_.size()) return;
            c = claimed_++;
            piece = &pieces_[c];
        }
        // The slot is this worker's until it is marked ready: its text keeps its storage from
        // piece to piece, so a long export allocates (and faults in) only a few buffers.
        Slot& slot = slots_[c % slots_.size()];
        std::exception_ptr error;
        try {
            slot.text.clear();
            slot.text.reserve(piece->bytes);
            for (std::size_t j = piece->begin; j < piece->end; ++j)
                appendPovText(slot.text, *piece->paths[j],
                              numberedRequest(request_, j, piece->count));
        } catch (...) {
            error = std::current_exception();
        }
        {
            std::lock_guard lock(mutex_);
            slot.error = error;
            slot.ready = true;
        }
        changed_.notify_all();
    }
}

} // namespace plumex
