#include "model/FileReader.h"

#include "model/ModelMessages.h"
#include "model/ReadError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace plumex {

FileReader::FileReader(const std::string& fileName, std::size_t chunkBytes, std::size_t maxBytes)
    : fileName_(fileName), fd_(openForReading(fileName)),
      chunkBytes_(std::max<std::size_t>(chunkBytes, 1)) {
    struct stat st {};
    if (::fstat(fd_.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        buffer_ = readToEnd(fd_.get(), fileName_, maxBytes);
        setWindow(buffer_.data(), buffer_.data() + buffer_.size(), 0);
        return;
    }
    // A sparse file can claim any size without holding it; the limit keeps the counts it may
    // claim, and so what they make the reader allocate, as bounded as a file read whole.
    if (static_cast<std::uintmax_t>(st.st_size) > maxBytes)
        throw ReadError("File too large: \"" + fileName_ + "\"");
    unreadInFile_ = static_cast<std::size_t>(st.st_size);
    setWindow(nullptr, nullptr, unreadInFile_);
}

void FileReader::refill(std::size_t n) {
    const std::span<const std::uint8_t> kept = unread();
    const std::size_t wanted = std::max(n, chunkBytes_);
    if (buffer_.size() < wanted) {
        std::vector<std::uint8_t> larger(wanted);
        std::copy(kept.begin(), kept.end(), larger.begin());
        buffer_.swap(larger);
    } else {
        if (!kept.empty()) std::memmove(buffer_.data(), kept.data(), kept.size());
    }
    std::size_t filled = kept.size();
    const std::size_t target = std::min(buffer_.size(), filled + unreadInFile_);
    while (filled < target) {
        const ssize_t got = ::read(fd_.get(), buffer_.data() + filled, target - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw ReadError("Cannot read \"" + fileName_ + "\": " + std::strerror(errno));
        // The file shrank since its size was taken: its end came early, as in a cut-off file.
        if (got == 0) throw ReadError(StreamReadError);
        filled += static_cast<std::size_t>(got);
        unreadInFile_ -= static_cast<std::size_t>(got);
    }
    setWindow(buffer_.data(), buffer_.data() + filled, unreadInFile_);
}

} // namespace plumex
