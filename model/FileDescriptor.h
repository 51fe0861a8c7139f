#pragma once
// An open file descriptor that is closed on every path out of its scope.

#include <cstddef>
#include <cstdint>
#include <string>
#include <unistd.h>
#include <vector>

namespace plumex {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, reporting the error that a deferred write may only show here.
    int close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

private:
    int fd_;
};

// Opens `fileName` for reading; throws ReadError with the system's reason.
FileDescriptor openForReading(const std::string& fileName);

// Everything `fd` still has to give; throws ReadError with the system's reason, and
// "File too large" past `maxBytes`. `fileName` is for the messages.
std::vector<std::uint8_t> readToEnd(int fd, const std::string& fileName, std::size_t maxBytes);

} // namespace plumex
