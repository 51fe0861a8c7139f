#include "export/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace plumex {
namespace {

// Closes the descriptor and removes the temporary file unless released.
class TempFile {
public:
    explicit TempFile(std::string target) : name_(std::move(target) + ".XXXXXX") {
        std::vector<char> buf(name_.begin(), name_.end());
        buf.push_back('\0');
        fd_ = ::mkstemp(buf.data());
        name_.assign(buf.data());
    }
    ~TempFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!released_) ::unlink(name_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return fd_; }
    const std::string& name() const { return name_; }
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void release() { released_ = true; }

private:
    std::string name_;
    int fd_ = -1;
    bool released_ = false;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// New files get the usual permissions (0666 less the umask), not mkstemp's 0600.
void setCreatedMode(int fd, const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        ::fchmod(fd, st.st_mode & 07777);
        return;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
}

bool fail(std::string* error, const std::string& path) {
    if (error) *error = "Cannot write " + path + ": " + std::strerror(errno);
    return false;
}

} // namespace

bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    TempFile temp(path);
    if (temp.fd() < 0) return fail(error, path);
    setCreatedMode(temp.fd(), path);
    if (!writeAll(temp.fd(), bytes) || ::fsync(temp.fd()) != 0 || !temp.close())
        return fail(error, path);
    if (::rename(temp.name().c_str(), path.c_str()) != 0) return fail(error, path);
    temp.release();
    return true;
}

} // namespace plumex
