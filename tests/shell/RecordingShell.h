#pragma once
// The main window's side of the commands, noting every call by name.

#include "canvas/Window.h"
#include "shell/ShellHost.h"

#include <string>
#include <vector>

namespace plumex::testing {

class RecordingShell : public ShellHost {
public:
    explicit RecordingShell(TCvWindow& w) : w_(w) {}
    std::vector<std::string> calls;
    std::vector<std::string> errors;
    bool clipboard = false;

    void New1Click() override { calls.push_back("New1Click"); }
    void Open1Click() override { calls.push_back("Open1Click"); }
    void OpenNew1Click() override { calls.push_back("OpenNew1Click"); }
    void Save1Click() override { calls.push_back("Save1Click"); }
    void SaveAs1Click() override { calls.push_back("SaveAs1Click"); }
    void Exit1Click() override { calls.push_back("Exit1Click"); }
    void LoadDraft1Click() override { calls.push_back("LoadDraft1Click"); }
    void TraceDraft1Click() override { calls.push_back("TraceDraft1Click"); }
    void Import1Click() override { calls.push_back("Import1Click"); }
    void ExportSvg1Click() override { calls.push_back("ExportSvg1Click"); }
    void SetColors1Click() override { calls.push_back("SetColors1Click"); }
    void Property1Click() override { calls.push_back("Property1Click"); }
    bool POVCopy1Click(int tag) override {
        calls.push_back("POVCopy1Click " + std::to_string(tag));
        return true;
    }
    bool ExportFileClick(int tag) override {
        calls.push_back("ExportFileClick " + std::to_string(tag));
        return true;
    }
    void SelectTool(ToolKind tool) override {
        calls.push_back("SelectTool " + std::to_string(toolIndex(tool)));
        w_.SetTool(tool);
    }
    void ToolPanelPos1Click() override { calls.push_back("ToolPanelPos1Click"); }
    bool hintsShown() const override { return hints; }
    void setHintsShown(bool on) override { hints = on; }
    void setStatusBarShown(bool on) override { calls.push_back(on ? "bar on" : "bar off"); }
    void repaintStatusBar() override { calls.push_back("repaintStatusBar"); }
    bool povPreviewShown() const override { return false; }
    void setPovPreviewShown(bool) override {}
    void About1Click() override { calls.push_back("About1Click"); }
    void AboutKey1Click() override { calls.push_back("AboutKey1Click"); }
    bool clipboardHasPaths() const override { return clipboard; }
    bool recentFilesEnabled() const override { return false; }
    void reportError(const std::string& text) override { errors.push_back(text); }
    void showNote(const std::string& text) override { note = text; }
    void setBusy(bool on) override { busy = on; }
    std::string note;
    bool busy = false;
    bool hints = true;

private:
    TCvWindow& w_;
};

} // namespace plumex::testing
