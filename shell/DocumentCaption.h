#pragma once
// The window caption and the task-bar title of a document.

#include <string>

namespace plumex {

struct DocumentCaption {
    std::string window;      // the file's name without its folder, or the untitled text
    std::string application; // the window caption followed by " -Plumex"
    // The main window's title: the application title with Qt's "[*]" placeholder after the
    // name, where the unsaved-changes mark goes; a "[*]" in the name itself is escaped.
    std::string title;
};

DocumentCaption documentCaption(const std::string& path, const std::string& untitled);

} // namespace plumex
