#include "export/ParallelPovText.h"

#include "export/PovFormat.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <mutex>
#include <thread>

namespace plumex {
namespace {

int digitCount(std::size_t n) {
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

// Room for typical numbers; also what decides how paths are grouped.
std::size_t estimatedSize(const TCvLine& line, const PovRequest& r) {
    const std::size_t perNumber = static_cast<std::size_t>(clampAccuracy(r.accuracy)) + 6;
    return static_cast<std::size_t>(line.segmentCount()) * (8 * perNumber + 16) + 64 +
           r.modifiers.size() + r.name.size();
}

// Consecutive paths formatted as one piece; `direct` ones are left to the sink.
struct Chunk {
    std::size_t begin = 0, end = 0;
    std::size_t bytes = 0;
    bool direct = false;
};

std::vector<Chunk> chunksOf(const std::vector<const TCvLine*>& exported, const PovRequest& r,
                            std::size_t chunkBytes) {
    std::vector<Chunk> chunks;
    Chunk open;
    for (std::size_t j = 0; j < exported.size(); ++j) {
        const std::size_t bytes = estimatedSize(*exported[j], r);
        if (bytes > 4 * chunkBytes) {
            if (open.end > open.begin) chunks.push_back(open);
            chunks.push_back({j, j + 1, bytes, true});
            open = {j + 1, j + 1, 0, false};
            continue;
        }
        open.end = j + 1;
        open.bytes += bytes;
        if (open.bytes >= chunkBytes) {
            chunks.push_back(open);
            open = {j + 1, j + 1, 0, false};
        }
    }
    if (open.end > open.begin) chunks.push_back(open);
    return chunks;
}

class Pipeline {
public:
    Pipeline(const std::vector<const TCvLine*>& exported, const PovRequest& request,
             std::vector<Chunk> chunks, unsigned workers)
        : exported_(exported), request_(request), chunks_(std::move(chunks)),
          slots_(2 * static_cast<std::size_t>(workers)) {
        threads_.reserve(workers);
        for (unsigned i = 0; i < workers; ++i) threads_.emplace_back([this] { work(); });
    }
    ~Pipeline() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        for (std::thread& t : threads_) t.join();
    }

    // Runs on the calling thread: each piece as soon as it is its turn.
    void deliver(const PovTextSink& sink) {
        for (std::size_t c = 0; c < chunks_.size(); ++c) {
            const Chunk& chunk = chunks_[c];
            if (chunk.direct) {
                sink.path(*exported_[chunk.begin],
                          numberedRequest(request_, chunk.begin, exported_.size()));
                finish(c);
                continue;
            }
            Slot& slot = slots_[c % slots_.size()];
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return slot.ready; });
                if (slot.error) std::rethrow_exception(slot.error);
            }
            // No worker takes this slot again before finish(c), so its text is read unlocked.
            sink.piece(slot.text);
            {
                std::lock_guard lock(mutex_);
                slot.ready = false;
            }
            finish(c);
        }
    }

private:
    struct Slot {
        std::string text;
        std::exception_ptr error;
        bool ready = false;
    };

    void finish(std::size_t c) {
        {
            std::lock_guard lock(mutex_);
            delivered_ = c + 1;
        }
        changed_.notify_all();
    }

    void work() {
        for (;;) {
            std::size_t c;
            {
                std::unique_lock lock(mutex_);
                // Skip what the sink writes itself; never run more than the slots ahead.
                changed_.wait(lock, [&] {
                    while (claimed_ < chunks_.size() && chunks_[claimed_].direct) ++claimed_;
                    return stop_ || claimed_ >= chunks_.size() ||
                           claimed_ < delivered_ + slots_.size();
                });
                if (stop_ || claimed_ >= chunks_.size()) return;
                c = claimed_++;
            }
            // The slot is this worker's until it is marked ready: its text keeps its storage
            // from piece to piece, so a long export allocates (and faults in) only a few
            // buffers.
            Slot& slot = slots_[c % slots_.size()];
            std::exception_ptr error;
            try {
                const Chunk& chunk = chunks_[c];
                slot.text.clear();
                slot.text.reserve(chunk.bytes);
                for (std::size_t j = chunk.begin; j < chunk.end; ++j)
                    appendPovText(slot.text, *exported_[j],
                                  numberedRequest(request_, j, exported_.size()));
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

    const std::vector<const TCvLine*>& exported_;
    const PovRequest& request_;
    const std::vector<Chunk> chunks_;
    std::vector<Slot> slots_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t claimed_ = 0;   // next chunk a worker takes
    std::size_t delivered_ = 0; // chunks handed to the sink
    bool stop_ = false;
    std::vector<std::thread> threads_;
};

} // namespace

PovRequest numberedRequest(const PovRequest& request, std::size_t j, std::size_t count) {
    if (count < 2 || request.name.empty()) return request;
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.*zu", digitCount(count + 1), j + 1);
    PovRequest numbered = request;
    numbered.name += digits;
    return numbered;
}

void formatPovText(const std::vector<const TCvLine*>& exported, const PovRequest& request,
                   const PovTextSink& sink, PovThreads threads) {
    const std::size_t chunkBytes = std::max<std::size_t>(threads.chunkBytes, 1);
    std::vector<Chunk> chunks = chunksOf(exported, request, chunkBytes);
    unsigned workers = threads.threads ? threads.threads : std::thread::hardware_concurrency();
    workers = std::clamp(workers, 1u, 16u);
    const auto buffered =
        std::count_if(chunks.begin(), chunks.end(), [](const Chunk& c) { return !c.direct; });
    if (workers < 2 || buffered < 2) {
        // Nothing to share out: every path straight into the sink, as one thread always did.
        for (std::size_t j = 0; j < exported.size(); ++j)
            sink.path(*exported[j], numberedRequest(request, j, exported.size()));
        return;
    }
    Pipeline pipeline(exported, request, std::move(chunks), workers);
    pipeline.deliver(sink);
}

} // namespace plumex
