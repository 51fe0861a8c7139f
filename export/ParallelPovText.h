#pragma once
// The export run's text made on several threads: paths are independent, so runs of them are
// formatted ahead into buffers of their own and handed over strictly in drawing order, which
// keeps the text byte for byte what one thread writes and the memory in flight bounded.

#include "export/PovText.h"

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace plumex {

struct PovThreads {
    unsigned threads = 0;                          // 0: one per core
    std::size_t chunkBytes = std::size_t{1} << 18; // text formatted ahead per piece, about
};

// Where the text goes: `piece` takes finished text; `path` writes one path itself, for paths
// too long to buffer whole (a stream sink streams it in 64 KiB pieces).
struct PovTextSink {
    std::function<void(std::string_view piece)> piece;
    std::function<void(const TCvLine& line, const PovRequest& request)> path;
};

// A sink writing into `out`: a path streamed by the calling thread collects in `buffer`, which
// is written out before the next piece; whatever it holds at the end is the caller's to write.
PovTextSink streamingPovSink(std::ostream& out, std::string& buffer);

// The request of the j-th exported path of `count`: with several paths a named object gets
// its number (from 1), zero-padded to the digit count of count + 1.
PovRequest numberedRequest(const PovRequest& request, std::size_t j, std::size_t count);
// Whether every name numbered as one of `a` paths reads as it would as one of `b`.
bool sameNumbering(const PovRequest& request, std::size_t a, std::size_t b);

// The worker threads `threads` asks for (one per core for 0), at least 1.
unsigned povWorkers(PovThreads threads);

// Every path of `exported` (all of which give text) into `sink`, in order.
void formatPovText(const std::vector<const TCvLine*>& exported, const PovRequest& request,
                   const PovTextSink& sink, PovThreads threads = {});

} // namespace plumex
