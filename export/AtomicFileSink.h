#pragma once
// A file written as a stream: the bytes go to a temporary file beside the target, which
// replaces the target only on commit(); dropped unfinished, the target is untouched.

#include "raster/BmpWriter.h"

#include <string>
#include <vector>

namespace plumex {

class AtomicFileSink : public ByteSink {
public:
    // Throws std::system_error when the temporary file cannot be made.
    explicit AtomicFileSink(const std::string& fileName);
    ~AtomicFileSink() override;
    AtomicFileSink(const AtomicFileSink&) = delete;
    AtomicFileSink& operator=(const AtomicFileSink&) = delete;

    // Throws std::system_error.
    void write(std::span<const std::uint8_t> bytes) override;
    // Flushes to disk and renames over the target. Throws std::system_error.
    void commit();

private:
    void flushBuffer();

    std::string target_, temp_;
    int fd_ = -1;
    std::vector<std::uint8_t> buffer_;
};

} // namespace plumex
