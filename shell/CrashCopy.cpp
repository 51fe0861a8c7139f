#include "shell/CrashCopy.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace plumex {

namespace {

constexpr std::array<int, 4> FatalSignals = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE};

// Everything the handler reads is fixed storage, filled before the handlers go in.
struct Target {
    int copyFd = -1;
    int infoFd = -1;
    std::array<char, PATH_MAX> crashCopy{};
    std::array<char, PATH_MAX> crashInfo{};
    std::array<char, PATH_MAX> copy{};
    std::array<char, PATH_MAX> info{};
};
Target target;
std::atomic<const CrashImage*> current{nullptr};
std::atomic<bool> entered{false};
std::array<struct sigaction, FatalSignals.size()> previous{};
bool installed = false;

// A stack of its own, since a stack overflow is one of the faults.
alignas(16) std::array<char, 64 * 1024> altStack;

std::mutex publishMutex;
std::shared_ptr<const CrashImage> kept[2];

int termPipe[2] = {-1, -1};

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return ::fsync(fd) == 0;
}

extern "C" void onFatalSignal(int signal) {
    // A second fault inside the handler goes straight to the default action.
    if (!entered.exchange(true)) {
        const CrashImage* image = current.load();
        if (image && !image->copy.empty() && target.copyFd >= 0 && target.infoFd >= 0 &&
            writeAll(target.copyFd, image->copy.data(), image->copy.size()) &&
            writeAll(target.infoFd, image->info.data(), image->info.size()) &&
            ::rename(target.crashCopy.data(), target.copy.data()) == 0)
            ::rename(target.crashInfo.data(), target.info.data());
    }
    // SA_RESETHAND has put the default action back; it ends the process once we return.
    ::raise(signal);
}

extern "C" void onTermination(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(termPipe[1], &byte, 1);
    errno = saved;
}

bool copyPath(std::array<char, PATH_MAX>& to, const std::string& from) {
    if (from.size() >= to.size()) return false;
    std::memcpy(to.data(), from.c_str(), from.size() + 1);
    return true;
}

int openCrashFile(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
}

} // namespace

bool CrashCopy::install(const RecoveryPaths& paths) {
    if (installed) return false;
    if (!copyPath(target.crashCopy, paths.crashCopy) ||
        !copyPath(target.crashInfo, paths.crashInfo) || !copyPath(target.copy, paths.copy) ||
        !copyPath(target.info, paths.info))
        return false;
    target.copyFd = openCrashFile(paths.crashCopy);
    target.infoFd = openCrashFile(paths.crashInfo);
    if (target.copyFd < 0 || target.infoFd < 0) {
        uninstall();
        installed = false;
        return false;
    }
    stack_t stack{};
    stack.ss_sp = altStack.data();
    stack.ss_size = altStack.size();
    ::sigaltstack(&stack, nullptr);
    struct sigaction action {};
    action.sa_handler = onFatalSignal;
    action.sa_flags = SA_RESETHAND | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < FatalSignals.size(); ++i)
        ::sigaction(FatalSignals[i], &action, &previous[i]);
    entered = false;
    installed = true;
    return true;
}

void CrashCopy::uninstall() {
    if (installed)
        for (std::size_t i = 0; i < FatalSignals.size(); ++i)
            ::sigaction(FatalSignals[i], &previous[i], nullptr);
    installed = false;
    current = nullptr;
    for (int* fd : {&target.copyFd, &target.infoFd})
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    if (target.crashCopy[0]) ::unlink(target.crashCopy.data());
    if (target.crashInfo[0]) ::unlink(target.crashInfo.data());
    target.crashCopy[0] = target.crashInfo[0] = '\0';
    const std::lock_guard lock(publishMutex);
    kept[0] = kept[1] = nullptr;
}

void CrashCopy::publish(std::shared_ptr<const CrashImage> image) {
    const std::lock_guard lock(publishMutex);
    current = image.get();
    kept[1] = std::move(kept[0]);
    kept[0] = std::move(image);
}

int CrashCopy::terminationPipe() {
    if (termPipe[0] >= 0) return termPipe[0];
    if (::pipe2(termPipe, O_CLOEXEC | O_NONBLOCK) != 0) return termPipe[0] = termPipe[1] = -1;
    struct sigaction action {};
    action.sa_handler = onTermination;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
    return termPipe[0];
}

} // namespace plumex
