#include "shell/RecentFiles.h"

#include <algorithm>

namespace plumex {

void RecentFiles::Put(const std::string& path, int max, bool append) {
    if (path.empty()) return;
    const std::size_t limit = static_cast<std::size_t>(std::max(max, 0));
    auto found = std::find(items_.begin(), items_.end(), path);
    if (found != items_.end()) {
        if (found != items_.begin()) {
            std::string entry = std::move(*found);
            items_.erase(found);
            if (append)
                items_.push_back(std::move(entry));
            else
                items_.insert(items_.begin(), std::move(entry));
        }
    } else if (append) {
        items_.push_back(path);
        if (items_.size() > limit) items_.erase(items_.begin());
    } else {
        items_.insert(items_.begin(), path);
        if (items_.size() > limit) items_.erase(items_.begin() + static_cast<long>(limit));
    }
    enabled_ = true;
}

void RecentFiles::Restore(const std::vector<std::string>& stored, int max) {
    for (const std::string& path : stored) Put(path, max, true);
}

} // namespace plumex
