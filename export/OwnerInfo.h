#pragma once
// The name an exported file is made "For": the user's full name from the password database.

#include <string>

namespace plumex {

struct OwnerInfo {
    std::string owner;
    std::string organization; // the password database has none
};

// The full name of the user running the program; empty texts when there is none.
OwnerInfo RegisteredOwnerInfo();

// The full name in a GECOS field: the text up to the first comma.
std::string ownerFromGecos(const char* gecos);

} // namespace plumex
