#include "export/OwnerInfo.h"

#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace plumex {

std::string ownerFromGecos(const char* gecos) {
    if (!gecos) return {};
    std::string text(gecos);
    return text.substr(0, text.find(','));
}

OwnerInfo RegisteredOwnerInfo() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {};
    return {ownerFromGecos(found->pw_gecos), {}};
}

} // namespace plumex
