#include "export/AtomicFileSink.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace plumex {
namespace {

[[noreturn]] void fail(const std::string& what, const std::string& fileName) {
    throw std::system_error(errno, std::generic_category(), what + " \"" + fileName + "\"");
}

constexpr std::size_t BufferBytes = 1 << 16;

} // namespace

AtomicFileSink::AtomicFileSink(const std::string& fileName) : target_(fileName) {
    std::error_code ec;
    if (std::filesystem::is_symlink(fileName, ec)) { // replace what the link points at
        const auto real = std::filesystem::weakly_canonical(fileName, ec);
        if (!ec) target_ = real.string();
    }
    temp_ = target_ + ".XXXXXX";
    fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
    if (fd_ < 0) fail("Cannot create a temporary file beside", target_);
    struct stat st {};
    mode_t mode = 0;
    if (::stat(target_.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd_, mode);
    buffer_.reserve(BufferBytes);
}

AtomicFileSink::~AtomicFileSink() {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(temp_.c_str());
    }
}

void AtomicFileSink::write(std::span<const std::uint8_t> bytes) {
    if (buffer_.size() + bytes.size() > BufferBytes) flushBuffer();
    if (bytes.size() >= BufferBytes) {
        buffer_.assign(bytes.begin(), bytes.end());
        flushBuffer();
        return;
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

void AtomicFileSink::flushBuffer() {
    std::span<const std::uint8_t> rest(buffer_);
    while (!rest.empty()) {
        const ssize_t n = ::write(fd_, rest.data(), rest.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) fail("Cannot write", target_);
        rest = rest.subspan(static_cast<std::size_t>(n));
    }
    buffer_.clear();
}

void AtomicFileSink::commit() {
    flushBuffer();
    if (::fsync(fd_) != 0) fail("Cannot flush", target_);
    const int rc = ::close(fd_);
    fd_ = -1;
    if (rc != 0 || ::rename(temp_.c_str(), target_.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temp_.c_str());
        errno = saved;
        fail(rc != 0 ? "Cannot write" : "Cannot replace", target_);
    }
}

} // namespace plumex
