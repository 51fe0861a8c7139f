#include "shell/DocumentCaption.h"

#include <string_view>

namespace plumex {
namespace {

constexpr std::string_view placeholder = "[*]";

// Qt reads a doubled placeholder as a literal one.
std::string escapePlaceholder(const std::string& text) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, from)) {
        out.append(text, from, at - from).append(placeholder).append(placeholder);
        from = at + placeholder.size();
    }
    return out.append(text, from);
}

} // namespace

DocumentCaption documentCaption(const std::string& path, const std::string& untitled) {
    DocumentCaption caption;
    if (path.empty()) {
        caption.window = untitled;
    } else {
        const auto slash = path.find_last_of('/');
        caption.window = slash == std::string::npos ? path : path.substr(slash + 1);
    }
    caption.application = caption.window + " -Plumex";
    caption.title = escapePlaceholder(caption.window) + std::string(placeholder) + " -Plumex";
    return caption;
}

} // namespace plumex
