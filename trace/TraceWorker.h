#pragma once
// One background thread that traces the latest job it was given. Each job holds its own copy
// of what it traces (the picture is shared read-only); a newer job or cancel() makes the
// running one stop at its next progress report, and its result is then Cancelled. Every job
// started is answered by `finished` once.

#include "trace/Trace.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace plumex {

struct TraceJob {
    std::shared_ptr<const RasterImage> picture;
    TraceOptions options;
    TracePlacement placement;
};

class TraceWorker {
public:
    // Both are called on the worker thread, with the number start() answered for the job.
    using Finished = std::function<void(std::uint64_t job, TraceResult result)>;
    using Progressed = std::function<void(std::uint64_t job, double fraction)>;

    explicit TraceWorker(Finished finished, Progressed progressed = {});
    TraceWorker(const TraceWorker&) = delete;
    TraceWorker& operator=(const TraceWorker&) = delete;
    ~TraceWorker(); // cancels and waits for the thread

    std::uint64_t start(TraceJob job);
    void cancel();

private:
    void run();

    Finished finished_;
    Progressed progressed_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<std::pair<std::uint64_t, TraceJob>> pending_;
    std::atomic<std::uint64_t> latest_{0};
    bool stop_ = false;
    std::thread thread_; // last, so it starts after everything it uses
};

} // namespace plumex
