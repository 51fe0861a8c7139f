#include "app/SettingsPath.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace plumex {

namespace {

std::string userConfigFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute()) return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config";
}

} // namespace

std::string executablePath() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string programFolder() {
    return fs::path(executablePath()).parent_path().string();
}

std::string settingsPath(const std::string& exePath) {
    if (!exePath.empty()) {
        fs::path beside = fs::path(exePath).replace_extension(".ini");
        std::error_code ec;
        fs::path folder = beside.parent_path();
        if (fs::exists(beside, ec) || ::access(folder.c_str(), W_OK) == 0) return beside.string();
    }
    return userConfigFolder() + "/plumex/plumex.ini";
}

std::string settingsPath() {
    return settingsPath(executablePath());
}

} // namespace plumex
