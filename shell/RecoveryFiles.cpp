#include "shell/RecoveryFiles.h"

#include "model/FileBytes.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace plumex {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view Magic = "PlumexRecovery 1\n";
// An info file is a few lines; anything larger is not one of ours.
constexpr std::size_t MaxInfoBytes = 64 * 1024;
constexpr std::string_view Prefix = "plumex-";
constexpr std::string_view InfoSuffix = ".plx.info";

// Reads "<key> <decimal>\n" at `at`, moving past it.
std::optional<std::int64_t> readField(std::string_view text, std::size_t& at,
                                      std::string_view key) {
    if (text.substr(at, key.size()) != key || text.substr(at + key.size(), 1) != " ")
        return std::nullopt;
    const std::size_t begin = at + key.size() + 1;
    const std::size_t end = text.find('\n', begin);
    if (end == std::string_view::npos) return std::nullopt;
    std::int64_t value = 0;
    const auto [p, ec] = std::from_chars(text.data() + begin, text.data() + end, value);
    if (ec != std::errc() || p != text.data() + end || end == begin) return std::nullopt;
    at = end + 1;
    return value;
}

// The process id in "plumex-<pid>..." names, or nothing.
std::optional<std::int64_t> pidOfName(std::string_view name) {
    if (name.substr(0, Prefix.size()) != Prefix) return std::nullopt;
    const char* begin = name.data() + Prefix.size();
    const char* end = name.data() + name.size();
    std::int64_t pid = 0;
    const auto [p, ec] = std::from_chars(begin, end, pid);
    if (ec != std::errc() || p == begin || pid <= 0) return std::nullopt;
    return pid;
}

} // namespace

std::string recoveryFolder(const char* stateHome, const char* home) {
    fs::path base;
    if (stateHome && *stateHome == '/')
        base = stateHome;
    else if (home && *home == '/')
        base = fs::path(home) / ".local" / "state";
    else
        return {};
    return (base / "plumex" / "recovery").string();
}

std::string recoveryFolder() {
    return recoveryFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

std::string formatRecoveryInfo(const RecoveryInfo& info) {
    std::string text(Magic);
    text += "pid " + std::to_string(info.pid) + "\n";
    text += "time " + std::to_string(info.time) + "\n";
    // The path by its length, so that any byte of it, a line break too, comes back.
    text += "original " + std::to_string(info.original.size()) + "\n";
    text += info.original;
    text += "\n";
    return text;
}

std::optional<RecoveryInfo> parseRecoveryInfo(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > MaxInfoBytes) return std::nullopt;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.substr(0, Magic.size()) != Magic) return std::nullopt;
    std::size_t at = Magic.size();
    RecoveryInfo info;
    const auto pid = readField(text, at, "pid");
    const auto time = pid ? readField(text, at, "time") : std::nullopt;
    const auto length = time ? readField(text, at, "original") : std::nullopt;
    if (!length || *pid <= 0 || *length < 0) return std::nullopt;
    // The path and its closing line break must be exactly what is left.
    const auto n = static_cast<std::uint64_t>(*length);
    if (n >= text.size() - at || at + n + 1 != text.size() || text[at + n] != '\n')
        return std::nullopt;
    info.pid = *pid;
    info.time = *time;
    info.original = std::string(text.substr(at, n));
    return info;
}

RecoveryPaths recoveryPaths(const std::string& folder, std::int64_t pid) {
    const std::string base =
        (fs::path(folder) / (std::string(Prefix) + std::to_string(pid))).string();
    return {base + ".plx", base + std::string(InfoSuffix), base + ".crash", base + ".crash-info"};
}

bool processRunning(std::int64_t pid) {
    if (pid <= 0 || pid > 0x7fffffff) return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

std::vector<RecoveryCopy> findRecoveryCopies(const std::string& folder,
                                             const std::function<bool(std::int64_t)>& running) {
    std::vector<RecoveryCopy> copies;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) return copies;
    std::vector<std::string> leftovers;
    for (const fs::directory_entry& entry : it) {
        const std::string name = entry.path().filename().string();
        const auto pid = pidOfName(name);
        if (!pid || running(*pid)) continue;
        const RecoveryPaths paths = recoveryPaths(folder, *pid);
        if (entry.path() == paths.crashCopy || entry.path() == paths.crashInfo) {
            leftovers.push_back(entry.path().string());
            continue;
        }
        if (entry.path() != paths.info || !fs::is_regular_file(paths.copy, ec)) continue;
        std::optional<RecoveryInfo> info;
        try {
            info = parseRecoveryInfo(readFileBytes(paths.info, MaxInfoBytes));
        } catch (const std::exception&) {
            continue;
        }
        // An info file names the process of its own name, or it is not trusted.
        if (info && info->pid == *pid) copies.push_back({paths, std::move(*info)});
    }
    for (const std::string& path : leftovers) fs::remove(path, ec);
    std::sort(copies.begin(), copies.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) {
        return a.info.time != b.info.time ? a.info.time > b.info.time : a.info.pid < b.info.pid;
    });
    return copies;
}

bool removeRecoveryCopy(const RecoveryPaths& paths) {
    std::error_code ec;
    // The info file first: a copy without one is never offered.
    fs::remove(paths.info, ec);
    fs::remove(paths.copy, ec);
    return !fs::exists(paths.info, ec) && !fs::exists(paths.copy, ec);
}

} // namespace plumex
