#pragma once
// The machinery behind formatPovText: runs of consecutive paths (pieces) formatted ahead on
// worker threads into buffers of their own and handed to a sink strictly in order. Pieces may
// be added while earlier ones are already being formatted, so the paths can arrive as a file
// is read.

#include "export/ParallelPovText.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace plumex {

// Paths [begin, end) of `paths`, numbered as the j-th of `count`; a `direct` piece (one path
// too long to buffer) is left to the sink.
struct PovPiece {
    const TCvLine* const* paths = nullptr;
    std::size_t begin = 0, end = 0;
    std::size_t count = 0;
    std::size_t bytes = 0;
    bool direct = false;
};

// Groups paths, in order, into pieces of about `chunkBytes` of text.
class PovPieceCutter {
public:
    using Emit = std::function<void(const PovPiece&)>;
    PovPieceCutter(const PovRequest& request, std::size_t chunkBytes, Emit emit);

    // The path at paths[j]; paths[0, j] must stay in place until the pieces are formatted.
    void add(const TCvLine* const* paths, std::size_t j, std::size_t count);
    // Emits what is still open.
    void finish();

private:
    const PovRequest& request_;
    std::size_t chunkBytes_;
    Emit emit_;
    PovPiece open_;
};

class PovPipeline {
public:
    PovPipeline(const PovRequest& request, unsigned workers);
    ~PovPipeline();
    PovPipeline(const PovPipeline&) = delete;
    PovPipeline& operator=(const PovPipeline&) = delete;

    void add(const PovPiece& piece);
    // No more pieces; with `error`, the run ends with it as soon as the sink asks for more.
    void close(std::exception_ptr error = nullptr);
    // Runs on the calling thread until every piece is handed on or an error ends the run.
    void deliver(const PovTextSink& sink);

private:
    struct Slot {
        std::string text;
        std::exception_ptr error;
        bool ready = false;
    };

    void delivered(std::size_t c);
    void work();

    const PovRequest& request_;
    std::deque<PovPiece> pieces_; // grows at the end only, so a piece stays where it is
    std::vector<Slot> slots_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t claimed_ = 0;   // next piece a worker takes
    std::size_t delivered_ = 0; // pieces handed to the sink
    bool closed_ = false;
    std::exception_ptr error_;
    bool stop_ = false;
    std::vector<std::thread> threads_;
};

// Room for typical numbers; also what decides how paths are grouped.
std::size_t estimatedPovSize(const TCvLine& line, const PovRequest& request);

} // namespace plumex
