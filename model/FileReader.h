#pragma once
// Checked little-endian reads from a file pulled in chunks (see ByteInput), so reading a large
// document needs memory for the document, not for its file too. A regular file's size is known
// before reading, so every count and length is checked against what remains in the file. Other
// files (pipes, devices) have no size: they are read whole first, up to a limit.

#include "model/ByteInput.h"
#include "model/FileBytes.h"
#include "model/FileDescriptor.h"

#include <string>
#include <vector>

namespace plumex {

class FileReader final : public ByteInput {
public:
    static constexpr std::size_t DefaultChunkBytes = std::size_t{1} << 20;

    // Throws ReadError with the system's reason when the file cannot be opened or read, and
    // "File too large" past `maxBytes`.
    explicit FileReader(const std::string& fileName, std::size_t chunkBytes = DefaultChunkBytes,
                        std::size_t maxBytes = MaxFileBytes);

private:
    void refill(std::size_t n) override;

    std::string fileName_;
    FileDescriptor fd_;
    std::size_t chunkBytes_;
    std::vector<std::uint8_t> buffer_;
    std::size_t unreadInFile_ = 0;
};

} // namespace plumex
