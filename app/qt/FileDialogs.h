#pragma once
// The shell's open and save dialogs with their remembered locations, replaceable in tests.

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace plumex {

struct FileDialogRequest {
    bool save = false;
    std::string title;
    std::string filter; // "Name(*.ext)"
    std::string defaultSuffix;
    std::string initialName; // proposed file; empty: start in the remembered location
};

// Options shown as check boxes below the file list; each `value` is written back when the
// dialog is accepted.
struct FileDialogOption {
    std::string text;
    bool value = false;
};

// Answers a dialog instead of showing it: the chosen full path, or empty for Cancel.
using FileDialogResponder = std::function<std::string(const FileDialogRequest&)>;

class ScopedFileDialogResponder {
public:
    explicit ScopedFileDialogResponder(FileDialogResponder responder);
    ~ScopedFileDialogResponder();
    ScopedFileDialogResponder(const ScopedFileDialogResponder&) = delete;
    ScopedFileDialogResponder& operator=(const ScopedFileDialogResponder&) = delete;

private:
    FileDialogResponder previous_;
};

// Runs the dialog. `remembered` is a folder (the dialog starts there) or else a file name to
// propose; after OK it becomes the chosen file's folder, after Cancel it is unchanged. The
// result is the chosen full path, or empty.
std::string runFileDialog(QWidget* parent, FileDialogRequest request, std::string& remembered,
                          const std::vector<FileDialogOption*>& options = {});

} // namespace plumex
