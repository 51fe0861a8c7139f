#pragma once
// The user settings: window placement, recent files and the editor's switches and steps.
// The main window owns the record; the canvas reads and changes its editor fields.

#include "app/ColorTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plumex {

class IniFile;

// The canvas's on/off options, numbered as the option buttons and menus address them.
enum class CanvasOption : int {
    ShowAnchor,
    ShowGrid,
    SnapGrid,
    ShowGuides,
    SnapGuides,
    LockGuides,
    ShowHelper,
    ShowRuler,
    ShowDraft,
    DimDraft,
    SmallAnchor,
    GridSizeFixed,
};
inline constexpr int CanvasOptionCount = 12;

struct TCvOptions {
    std::string Language; // by locale until a file says otherwise
    int32_t WindowLeft = 0;
    int32_t WindowTop = 0;
    int32_t WindowWidth = 0;
    int32_t WindowHeight = 0;
    int32_t MRUMax = 10;
    std::vector<std::string> MRU; // full paths, most recent first
    double Scale = 100.0;
    int32_t KeyMoveSize = 1;
    double JoinSnapRange = 0.0;
    double GridUnits = 0.1;
    int32_t GridKnots = 5;
    bool ToolRight = false;
    bool WindowMaximized = false;
    bool RestoreWindowSize = true;
    bool ShowGrid = true;
    bool SnapGrid = false;
    bool GridSizeFixed = false;
    bool ShowGuides = true;
    bool SnapGuides = true;
    bool LockGuides = true;
    bool ShowHelper = true;
    bool ShowRuler = true;
    bool ShowAnchor = true;
    bool SmallAnchor = false;
    bool ShowDraft = true;
    bool DimDraft = true;
    bool ShowStatusBar = true;
    int32_t AutoSaveSeconds = 30; // recovery copies at most this often; 0 turns them off

    TCvOptions();

    // Canvas option n (0 to 11); false and no effect for other numbers.
    bool option(CanvasOption n) const;
    void setOption(CanvasOption n, bool value);

    // Fills the record and the colour table from the file; missing keys keep their values.
    void Load(const std::string& path, ColorTable& colors = colorTable());
    void Load(const IniFile& ini, ColorTable& colors);
    // Writes the record and the colour table, keeping the file's other keys. A file that
    // cannot be written is left as it was; the result says whether the save happened.
    bool Save(const std::string& path, const ColorTable& colors = colorTable()) const;

    bool operator==(const TCvOptions&) const = default;

private:
    bool* optionField(CanvasOption n);
};

} // namespace plumex
