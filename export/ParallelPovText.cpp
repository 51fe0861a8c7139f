#include "export/ParallelPovText.h"

#include "export/PovPipeline.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
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

} // namespace

PovTextSink streamingPovSink(std::ostream& out, std::string& buffer) {
    return {.piece =
                [&out, &buffer](std::string_view piece) {
                    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
                    buffer.clear();
                    out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
                },
            .path = [&out, &buffer](const TCvLine& line,
                                    const PovRequest& r) { streamPovText(out, buffer, line, r); }};
}

PovRequest numberedRequest(const PovRequest& request, std::size_t j, std::size_t count) {
    if (count < 2 || request.name.empty()) return request;
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.*zu", digitCount(count + 1), j + 1);
    PovRequest numbered = request;
    numbered.name += digits;
    return numbered;
}

bool sameNumbering(const PovRequest& request, std::size_t a, std::size_t b) {
    if (request.name.empty()) return true;
    if (a < 2 || b < 2) return (a < 2) == (b < 2);
    return digitCount(a + 1) == digitCount(b + 1);
}

unsigned povWorkers(PovThreads threads) {
    const unsigned workers =
        threads.threads ? threads.threads : std::thread::hardware_concurrency();
    return std::clamp(workers, 1u, 16u);
}

void formatPovText(const std::vector<const TCvLine*>& exported, const PovRequest& request,
                   const PovTextSink& sink, PovThreads threads) {
    std::vector<PovPiece> pieces;
    PovPieceCutter cutter(request, threads.chunkBytes,
                          [&](const PovPiece& piece) { pieces.push_back(piece); });
    for (std::size_t j = 0; j < exported.size(); ++j)
        cutter.add(exported.data(), j, exported.size());
    cutter.finish();
    const unsigned workers = povWorkers(threads);
    const auto buffered =
        std::count_if(pieces.begin(), pieces.end(), [](const PovPiece& p) { return !p.direct; });
    if (workers < 2 || buffered < 2) {
        // Nothing to share out: every path straight into the sink, as one thread always did.
        for (std::size_t j = 0; j < exported.size(); ++j)
            sink.path(*exported[j], numberedRequest(request, j, exported.size()));
        return;
    }
    PovPipeline pipeline(request, workers);
    for (const PovPiece& piece : pieces) pipeline.add(piece);
    pipeline.close();
    pipeline.deliver(sink);
}

} // namespace plumex
