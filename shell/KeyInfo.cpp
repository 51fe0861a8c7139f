#include "shell/KeyInfo.h"

#include "app/LanguageKeys.h"
#include "app/Languages.h"
#include "shell/CommandTable.h"
#include "shell/Shortcut.h"

#include <utility>

namespace plumex {
namespace {

std::string itemCaption(const Command& c) {
    return stripCaption(c.key >= 0 ? std::string_view(caption(c.key)) : c.fixed);
}

bool inMainMenu(const Command& c) {
    return !(c.flags & cfContextOnly);
}

void addIfShortcut(std::vector<TKeyInfo>& out, const Command& c, const std::string& path) {
    if (c.shortcut != 0) out.push_back({c.shortcut, path, {}, &c});
}

} // namespace

std::string stripCaption(std::string_view caption) {
    constexpr std::string_view FullWidthParen = "\xEF\xBC\x88"; // U+FF08 in UTF-8
    std::size_t cut = caption.find('(');
    if (cut == std::string_view::npos) cut = caption.find(FullWidthParen);
    std::string out;
    for (char ch : caption.substr(0, cut))
        if (ch != '&') out += ch;
    return out;
}

bool keyOrderLess(int a, int b) {
    if (shortcutKey(a) != shortcutKey(b)) return shortcutKey(a) < shortcutKey(b);
    for (int modifier : {scShift, scCtrl, scAlt})
        if ((a & modifier) != (b & modifier)) return !(a & modifier);
    return false;
}

std::vector<TKeyInfo> collectKeyInfo() {
    const std::string scroll = "*" + caption(M_Scroll) + "/";
    std::vector<TKeyInfo> out;
    for (auto [key, text] : {std::pair{vk::Left, M_Left},
                             {vk::Right, M_Right},
                             {vk::Up, M_Up},
                             {vk::Down, M_Down},
                             {scShift | vk::Prior, M_PageLeft},
                             {scShift | vk::Next, M_PageRight},
                             {vk::Prior, M_PageUp},
                             {vk::Next, M_PageDown}})
        out.push_back({key, scroll + caption(text), {}, nullptr});
    const std::vector<Command>& table = commandTable();
    bool first = true;
    for (const Command& top : table) {
        if (!top.parent.empty() || !inMainMenu(top) || !(top.flags & cfSubmenu)) continue;
        const std::string label = (first ? "*" : "") + itemCaption(top);
        first = false;
        for (const Command& child : table) {
            if (child.parent != top.name || !inMainMenu(child)) continue;
            const std::string path = label + "/" + itemCaption(child);
            addIfShortcut(out, child, path);
            for (const Command& grandchild : table)
                if (grandchild.parent == child.name && inMainMenu(grandchild))
                    addIfShortcut(out, grandchild, path + "/" + itemCaption(grandchild));
        }
    }
    return out;
}

KeyColumns keyColumns(int shortcut) {
    return {shortcut & scShift ? "Shift+" : "", shortcut & scCtrl ? "Ctrl+" : "",
            shortcut & scAlt ? "Alt+" : "", keyName(shortcutKey(shortcut))};
}

} // namespace plumex
