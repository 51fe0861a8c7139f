#include "app/qt/SvgTransfer.h"

#include "app/qt/FileDialogs.h"
#include "app/qt/MessageBoxes.h"
#include "canvas/Window.h"
#include "commands/ImportPaths.h"
#include "export/SvgExport.h"
#include "model/ReadError.h"
#include "svg/SvgImport.h"

namespace plumex {
namespace {

constexpr const char* SvgFilter = "SVG File(*.svg)";

struct SvgDialogState {
    std::string importFolder;
    std::string exportFolder;
    FileDialogOption makeHoles{"Make holes", true};
};

SvgDialogState& state() {
    static SvgDialogState s;
    return s;
}

} // namespace

bool importSvgDialog(QWidget* parent, TCvWindow& canvas) {
    const FileDialogRequest request{false, "Import SVG", SvgFilter, "svg", {}};
    const std::string path =
        runFileDialog(parent, request, state().importFolder, &state().makeHoles);
    if (path.empty()) return false;
    std::vector<TCvLine> paths;
    try {
        paths = ImportSvgFile(path, {.makeHoles = state().makeHoles.value});
    } catch (const ReadError& e) {
        showError(parent, e.what());
        return false;
    }
    if (paths.empty()) {
        showError(parent, "No shapes found in the SVG file");
        return false;
    }
    // As the canvas's own commands do: a pen path in progress ends before the drawing changes.
    canvas.EndPenPath();
    if (!ImportPaths(canvas.Document, paths, canvas.PenPath())) return false;
    canvas.Invalidate();
    canvas.Changed();
    return true;
}

bool exportSvgDialog(QWidget* parent, const TCvWindow& canvas) {
    const std::vector<TCvLine>& lines = canvas.Document.Lines;
    if (lines.empty()) return false;
    FileDialogRequest request{true, "SVG File", SvgFilter, "svg", {}};
    const std::string path = runFileDialog(parent, request, state().exportFolder);
    if (path.empty()) return false;
    std::string error;
    if (SvgExportFile(path, lines, &error)) return true;
    showError(parent, error);
    return false;
}

} // namespace plumex
