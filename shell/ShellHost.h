#pragma once
// What the commands need of the main window beyond the canvas: the document files, the
// dialogs of the shell, the clipboard, the panels. The Qt main window implements it.

#include "canvas/ToolKind.h"

#include <string>

namespace plumex {

class ShellHost {
public:
    virtual ~ShellHost() = default;

    // File menu.
    virtual void New1Click() = 0;
    virtual void Open1Click() = 0;
    virtual void OpenNew1Click() = 0;
    virtual void Save1Click() = 0;
    virtual void SaveAs1Click() = 0;
    virtual void Exit1Click() = 0;
    virtual void LoadDraft1Click() = 0;
    virtual void TraceDraft1Click() = 0; // the draft's dark areas into paths
    virtual void Import1Click() = 0;     // SVG shapes into the drawing
    virtual void ExportSvg1Click() = 0;  // every path as an SVG file
    // POV-Ray text to the clipboard (0 prism, 1 lathe, 2 array) and the export dispatcher.
    virtual bool POVCopy1Click(int tag) = 0;
    virtual bool ExportFileClick(int tag) = 0;

    // The tool buttons follow the tool.
    virtual void SelectTool(ToolKind tool) = 0;

    // Option menu: the panels of the window.
    virtual void ToolPanelPos1Click() = 0; // the tool panel to the other side
    virtual bool hintsShown() const = 0;
    virtual void setHintsShown(bool on) = 0;
    virtual void setStatusBarShown(bool on) = 0;
    virtual void repaintStatusBar() = 0;
    virtual bool povPreviewShown() const = 0;
    virtual void setPovPreviewShown(bool on) = 0;
    virtual void SetColors1Click() = 0; // the colour scheme dialog
    virtual void Property1Click() = 0;  // the property panel of the selection

    // Help menu.
    virtual void About1Click() = 0;
    virtual void AboutKey1Click() = 0; // the shortcut list

    // What the menus' rules ask of the shell.
    virtual bool clipboardHasPaths() const = 0;
    virtual bool recentFilesEnabled() const = 0;

    // An error that no command handled: reported, and the program goes on.
    virtual void reportError(const std::string& text) = 0;
    // A word in the status bar about the last command; empty clears it.
    virtual void showNote(const std::string& text) = 0;
    // A long command runs: the busy cursor shows until it ends.
    virtual void setBusy(bool busy) = 0;
};

} // namespace plumex
