#pragma once
// The recent-files list of the File menu: most recent first, at most MRUMax entries.

#include <string>
#include <vector>

namespace plumex {

class RecentFiles {
public:
    const std::vector<std::string>& items() const { return items_; }
    // The menu stays disabled until the first entry was ever put on it.
    bool enabled() const { return enabled_; }

    // Puts `path` on the list. An entry already on it moves to the front (or to the end with
    // `append`); a new one is inserted there and the list is cut back to `max` entries by
    // dropping from the other end. A negative `max` counts as 0. Empty paths are ignored.
    void Put(const std::string& path, int max, bool append = false);

    // The stored list (most recent first) as it is appended at start-up.
    void Restore(const std::vector<std::string>& stored, int max);

private:
    std::vector<std::string> items_;
    bool enabled_ = false;
};

} // namespace plumex
