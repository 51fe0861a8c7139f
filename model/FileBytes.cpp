#include "model/FileBytes.h"

#include "model/FileDescriptor.h"
#include "model/ReadError.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <ostream>
#include <streambuf>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace plumex {

namespace {

[[noreturn]] void fail(const std::string& what, const std::string& fileName) {
    throw std::system_error(errno, std::generic_category(), what + " \"" + fileName + "\"");
}

// An output buffer that goes to a descriptor; the first failed write is kept with its errno and
// makes every later write fail, so the stream turns bad and the caller can tell why.
class DescriptorBuffer : public std::streambuf {
public:
    explicit DescriptorBuffer(int fd) : fd_(fd), buffer_(Size) {
        setp(buffer_.data(), buffer_.data() + buffer_.size());
    }
    int error() const { return error_; }

protected:
    int_type overflow(int_type ch) override {
        if (!drain()) return traits_type::eof();
        if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
        *pptr() = traits_type::to_char_type(ch);
        pbump(1);
        return ch;
    }

    // Large pieces skip the buffer instead of being copied through it.
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        if (n < epptr() - pptr()) {
            traits_type::copy(pptr(), s, static_cast<std::size_t>(n));
            pbump(static_cast<int>(n));
            return n;
        }
        if (!drain() || !put(s, static_cast<std::size_t>(n))) return 0;
        return n;
    }

    int sync() override { return drain() ? 0 : -1; }

    // Writers that learn a count only at the end (a binary STL's triangle count) go back and
    // patch it; the buffer is drained first so the bytes land where they were meant to.
    pos_type seekoff(off_type off, std::ios_base::seekdir dir,
                     std::ios_base::openmode which) override {
        if (!(which & std::ios_base::out) || !drain()) return pos_type(off_type(-1));
        const int whence = dir == std::ios_base::beg   ? SEEK_SET
                           : dir == std::ios_base::cur ? SEEK_CUR
                                                       : SEEK_END;
        const off_t at = ::lseek(fd_, static_cast<off_t>(off), whence);
        return at < 0 ? pos_type(off_type(-1)) : pos_type(static_cast<off_type>(at));
    }
    pos_type seekpos(pos_type pos, std::ios_base::openmode which) override {
        return seekoff(off_type(pos), std::ios_base::beg, which);
    }

private:
    static constexpr std::size_t Size = std::size_t{1} << 16;
    static constexpr std::size_t WritebackBytes = std::size_t{8} << 20;

    bool put(const char* s, std::size_t n) {
        while (error_ == 0 && n > 0) {
            const ssize_t done = ::write(fd_, s, n);
            if (done < 0 && errno == EINTR) continue;
            if (done <= 0) {
                error_ = done < 0 ? errno : EIO;
                break;
            }
            s += done;
            n -= static_cast<std::size_t>(done);
            written_ += static_cast<std::size_t>(done);
            startWriteback();
        }
        return error_ == 0;
    }

    // A large file starts on its way to the disk while the rest is still being made, so the
    // final fsync has only the tail left; a hint only, so a refusal changes nothing.
    void startWriteback() {
        if (written_ - kicked_ < WritebackBytes) return;
#ifdef SYNC_FILE_RANGE_WRITE
        ::sync_file_range(fd_, static_cast<off_t>(kicked_), static_cast<off_t>(written_ - kicked_),
                          SYNC_FILE_RANGE_WRITE);
#endif
        kicked_ = written_;
    }

    bool drain() {
        const bool ok = put(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        setp(buffer_.data(), buffer_.data() + buffer_.size());
        return ok;
    }

    int fd_;
    std::size_t written_ = 0; // bytes that reached the descriptor
    std::size_t kicked_ = 0;  // of them, those whose writeback was started
    std::vector<char> buffer_;
    int error_ = 0;
};

// The mode the new file gets: the old file's, or what the umask allows for a new file.
mode_t modeFor(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string resolveTarget(const std::string& fileName) {
    std::error_code ec;
    if (std::filesystem::is_symlink(fileName, ec)) {
        auto real = std::filesystem::weakly_canonical(fileName, ec);
        if (!ec) return real.string();
    }
    return fileName;
}

void streamTemporary(FileDescriptor& fd, const std::string& target,
                     const std::function<void(std::ostream&)>& write) {
    if (::fchmod(fd.get(), modeFor(target)) != 0) fail("Cannot set the mode of", target);
    DescriptorBuffer buffer(fd.get());
    std::ostream stream(&buffer);
    write(stream);
    stream.flush();
    if (!stream || buffer.error() != 0) {
        errno = buffer.error() != 0 ? buffer.error() : EIO;
        fail("Cannot write", target);
    }
    if (::fsync(fd.get()) != 0) fail("Cannot flush", target);
    if (fd.close() != 0) fail("Cannot write", target);
}

// Makes the rename itself durable; a failure here leaves a complete file either way.
void syncFolderOf(const std::string& target) {
    const auto folder = std::filesystem::path(target).parent_path();
    FileDescriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY));
    if (dir.get() >= 0) ::fsync(dir.get());
}

} // namespace

FileDescriptor openForReading(const std::string& fileName) {
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw ReadError("Cannot open \"" + fileName + "\": " + std::strerror(errno));
    return FileDescriptor(fd);
}

std::vector<std::uint8_t> readToEnd(int fd, const std::string& fileName, std::size_t maxBytes) {
    std::vector<std::uint8_t> bytes;
    struct stat st {};
    // A sparse file may claim far more than it holds: the reservation is only a hint.
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(std::min<off_t>(st.st_size, off_t{1} << 28)));
    std::uint8_t buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw ReadError("Cannot read \"" + fileName + "\": " + std::strerror(errno));
        if (n == 0) return bytes;
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes)
            throw ReadError("File too large: \"" + fileName + "\"");
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
}

std::vector<std::uint8_t> readFileBytes(const std::string& fileName, std::size_t maxBytes) {
    const FileDescriptor fd = openForReading(fileName);
    return readToEnd(fd.get(), fileName, maxBytes);
}

void writeFileAtomically(const std::string& fileName, std::span<const std::uint8_t> bytes) {
    writeFileAtomically(fileName, [bytes](std::ostream& out) {
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    });
}

void writeFileAtomically(const std::string& fileName,
                         const std::function<void(std::ostream&)>& write) {
    const std::string target = resolveTarget(fileName);
    std::string temp = target + ".XXXXXX";
    FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) fail("Cannot create a temporary file beside", target);
    try {
        streamTemporary(fd, target, write);
        if (::rename(temp.c_str(), target.c_str()) != 0) fail("Cannot replace", target);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    syncFolderOf(target);
}

} // namespace plumex
