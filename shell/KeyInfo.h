#pragma once
// The shortcut list: every key the program answers, read from the command table, so the list
// can never disagree with the keys that work.

#include <string>
#include <string_view>
#include <vector>

namespace plumex {

struct Command;

struct TKeyInfo {
    int shortcut = 0; // key code | scShift | scCtrl | scAlt
    std::string path; // "File/Open File...", or "*Scroll/1 Grid Left" for keys no menu has
    std::string hint;
    const Command* command = nullptr; // none for the scroll keys the canvas handles itself
};

// Cuts a caption before its first "(" (or full-width "（"), then drops every "&".
std::string stripCaption(std::string_view caption);

// Key order: key code first, then without Shift before with, then Ctrl, then Alt.
bool keyOrderLess(int a, int b);

// The eight canvas scroll keys, then every menu item with a shortcut in menu order (the hidden
// key-move menu first, marked "*"), captions in the current language.
std::vector<TKeyInfo> collectKeyInfo();

// The four key columns of one entry: "Shift+", "Ctrl+", "Alt+" (or empty) and the key's name.
struct KeyColumns {
    std::string shift, ctrl, alt, key;
};
KeyColumns keyColumns(int shortcut);

} // namespace plumex
