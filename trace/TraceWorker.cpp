#include "trace/TraceWorker.h"

namespace plumex {

TraceWorker::TraceWorker(Finished finished, Progressed progressed)
    : finished_(std::move(finished)), progressed_(std::move(progressed)),
      thread_([this] { run(); }) {}

TraceWorker::~TraceWorker() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
        pending_.reset();
    }
    ++latest_;
    wake_.notify_all();
    thread_.join();
}

std::uint64_t TraceWorker::start(TraceJob job) {
    std::uint64_t id = 0;
    {
        std::lock_guard lock(mutex_);
        id = ++latest_;
        pending_.emplace(id, std::move(job));
    }
    wake_.notify_all();
    return id;
}

// A job not yet begun still runs, to its first progress report, so every job started is
// answered.
void TraceWorker::cancel() {
    ++latest_;
}

void TraceWorker::run() {
    for (;;) {
        std::pair<std::uint64_t, TraceJob> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || pending_.has_value(); });
            if (stop_) return;
            job = std::move(*pending_);
            pending_.reset();
        }
        const std::uint64_t id = job.first;
        TraceResult result = tracePicture(*job.second.picture, job.second.options,
                                          job.second.placement, [&](double f) {
                                              if (latest_.load() != id) return false;
                                              if (progressed_) progressed_(id, f);
                                              return true;
                                          });
        if (finished_) finished_(id, std::move(result));
    }
}

} // namespace plumex
