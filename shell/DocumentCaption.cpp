#include "shell/DocumentCaption.h"

namespace plumex {

DocumentCaption documentCaption(const std::string& path, const std::string& untitled) {
    DocumentCaption caption;
    if (path.empty()) {
        caption.window = untitled;
    } else {
        const auto slash = path.find_last_of('/');
        caption.window = slash == std::string::npos ? path : path.substr(slash + 1);
    }
    caption.application = caption.window + " -Plumex";
    return caption;
}

} // namespace plumex
