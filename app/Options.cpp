#include "app/Options.h"

#include "app/IniFile.h"
#include "app/Locale.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <map>
#include <system_error>

namespace plumex {

namespace {

constexpr std::string_view Global = "Global";
constexpr std::string_view Menu = "Menu";
constexpr std::string_view Editor = "Editor";
constexpr std::string_view Colors = "Colors";

// The editor switches, in file order.
struct BoolKey {
    std::string_view key;
    bool TCvOptions::*field;
    bool loaded; // GridSizeFixed is written but every start begins with the automatic grid
};

constexpr BoolKey EditorBools[] = {
    {"ShowGrid", &TCvOptions::ShowGrid, true},
    {"SnapGrid", &TCvOptions::SnapGrid, true},
    {"GridSizeFixed", &TCvOptions::GridSizeFixed, false},
    {"ShowGuides", &TCvOptions::ShowGuides, true},
    {"SnapGuides", &TCvOptions::SnapGuides, true},
    {"LockGuides", &TCvOptions::LockGuides, true},
    {"ShowHelper", &TCvOptions::ShowHelper, true},
    {"ShowRuler", &TCvOptions::ShowRuler, true},
    {"ShowAnchor", &TCvOptions::ShowAnchor, true},
    {"SmallAnchor", &TCvOptions::SmallAnchor, true},
    {"ShowDraft", &TCvOptions::ShowDraft, true},
    {"DimDraft", &TCvOptions::DimDraft, true},
    {"ShowStatusBar", &TCvOptions::ShowStatusBar, true},
};

// The index of a key "File<n>" (n in decimal without leading zeros), or -1.
int64_t fileKeyIndex(std::string_view key) {
    if (key.size() < 5 || key.size() > 15) return -1;
    std::string prefix(key.substr(0, 4));
    std::transform(prefix.begin(), prefix.end(), prefix.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    std::string_view digits = key.substr(4);
    if (prefix != "file" || (digits.size() > 1 && digits[0] == '0')) return -1;
    int64_t index = -1;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (ec != std::errc() || end != digits.data() + digits.size() || index < 0) return -1;
    return index;
}

bool isExistingFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// Reads "File0" .. "File<count-1>" in index order. Walking the keys that exist instead of
// every index keeps a huge MRUCount from stalling the start.
std::vector<std::string> readRecentFiles(const IniFile& ini, int32_t count) {
    std::map<int64_t, std::string> byIndex;
    for (const std::string& key : ini.keys(Menu)) {
        int64_t index = fileKeyIndex(key);
        if (index >= 0 && index < count) byIndex.emplace(index, ini.readString(Menu, key, ""));
    }
    std::vector<std::string> files;
    for (auto& [index, path] : byIndex)
        if (!path.empty() && isExistingFile(path)) files.push_back(std::move(path));
    return files;
}

void loadGlobal(TCvOptions& o, const IniFile& ini) {
    o.Language = ini.readString(Global, "Language", o.Language);
    o.ToolRight = ini.readBool(Global, "ToolRight", o.ToolRight);
    o.WindowLeft = ini.readInteger(Global, "WindowLeft", o.WindowLeft);
    o.WindowTop = ini.readInteger(Global, "WindowTop", o.WindowTop);
    o.WindowWidth = ini.readInteger(Global, "WindowWidth", o.WindowWidth);
    o.WindowHeight = ini.readInteger(Global, "WindowHeight", o.WindowHeight);
    o.WindowMaximized = ini.readBool(Global, "WindowMaximized", o.WindowMaximized);
    o.RestoreWindowSize = ini.readBool(Global, "RestoreWindowSize", o.RestoreWindowSize);
}

void loadMenu(TCvOptions& o, const IniFile& ini) {
    // A negative limit would make the recent-files list index out of range.
    int32_t max = ini.readInteger(Menu, "MRUMax", o.MRUMax);
    if (max >= 0) o.MRUMax = max;
    o.MRU = readRecentFiles(ini, ini.readInteger(Menu, "MRUCount", 0));
}

void loadEditor(TCvOptions& o, const IniFile& ini) {
    o.KeyMoveSize = ini.readInteger(Editor, "KeyMoveSize", o.KeyMoveSize);
    o.JoinSnapRange = ini.readDecimal(Editor, "JoinSnapRange", o.JoinSnapRange);
    // The grid needs a positive step and at least one step between step lines.
    double units = ini.readDecimal(Editor, "GridUnits", o.GridUnits);
    if (units > 0) o.GridUnits = units;
    int32_t knots = ini.readInteger(Editor, "GridKnots", o.GridKnots);
    if (knots >= 1) o.GridKnots = knots;
    int32_t autoSave = ini.readInteger(Editor, "AutoSaveSeconds", o.AutoSaveSeconds);
    if (autoSave >= 0) o.AutoSaveSeconds = autoSave;
    for (const BoolKey& b : EditorBools)
        if (b.loaded) o.*b.field = ini.readBool(Editor, b.key, o.*b.field);
}

void saveRecord(const TCvOptions& o, IniFile& ini) {
    ini.writeString(Global, "Language", o.Language);
    ini.writeBool(Global, "ToolRight", o.ToolRight);
    ini.writeInteger(Global, "WindowLeft", o.WindowLeft);
    ini.writeInteger(Global, "WindowTop", o.WindowTop);
    ini.writeInteger(Global, "WindowWidth", o.WindowWidth);
    ini.writeInteger(Global, "WindowHeight", o.WindowHeight);
    ini.writeBool(Global, "WindowMaximized", o.WindowMaximized);
    ini.writeBool(Global, "RestoreWindowSize", o.RestoreWindowSize);

    // A path with a line break cannot be stored on one line; it is left out.
    std::vector<std::string_view> files;
    for (const std::string& f : o.MRU)
        if (f.find_first_of("\r\n") == std::string::npos) files.push_back(f);
    ini.writeInteger(Menu, "MRUMax", o.MRUMax);
    ini.writeInteger(Menu, "MRUCount", static_cast<int64_t>(files.size()));
    for (std::size_t i = 0; i < files.size(); ++i)
        ini.writeString(Menu, "File" + std::to_string(i), files[i]);

    ini.writeDecimal(Editor, "Scale", o.Scale);
    ini.writeInteger(Editor, "KeyMoveSize", o.KeyMoveSize);
    ini.writeDecimal(Editor, "JoinSnapRange", o.JoinSnapRange);
    ini.writeDecimal(Editor, "GridUnits", o.GridUnits);
    ini.writeInteger(Editor, "GridKnots", o.GridKnots);
    ini.writeInteger(Editor, "AutoSaveSeconds", o.AutoSaveSeconds);
    for (const BoolKey& b : EditorBools) ini.writeBool(Editor, b.key, o.*b.field);
}

} // namespace

TCvOptions::TCvOptions() : Language(defaultLanguageName()) {}

bool* TCvOptions::optionField(CanvasOption n) {
    switch (n) {
    case CanvasOption::ShowAnchor:
        return &ShowAnchor;
    case CanvasOption::ShowGrid:
        return &ShowGrid;
    case CanvasOption::SnapGrid:
        return &SnapGrid;
    case CanvasOption::ShowGuides:
        return &ShowGuides;
    case CanvasOption::SnapGuides:
        return &SnapGuides;
    case CanvasOption::LockGuides:
        return &LockGuides;
    case CanvasOption::ShowHelper:
        return &ShowHelper;
    case CanvasOption::ShowRuler:
        return &ShowRuler;
    case CanvasOption::ShowDraft:
        return &ShowDraft;
    case CanvasOption::DimDraft:
        return &DimDraft;
    case CanvasOption::SmallAnchor:
        return &SmallAnchor;
    case CanvasOption::GridSizeFixed:
        return &GridSizeFixed;
    }
    return nullptr;
}

bool TCvOptions::option(CanvasOption n) const {
    const bool* field = const_cast<TCvOptions*>(this)->optionField(n);
    return field && *field;
}

void TCvOptions::setOption(CanvasOption n, bool value) {
    if (bool* field = optionField(n)) *field = value;
}

void TCvOptions::Load(const std::string& path, ColorTable& colors) {
    Load(IniFile::fromFile(path), colors);
}

void TCvOptions::Load(const IniFile& ini, ColorTable& colors) {
    loadGlobal(*this, ini);
    loadMenu(*this, ini);
    loadEditor(*this, ini);
    readColors(ini, Colors, colors);
}

bool TCvOptions::Save(const std::string& path, const ColorTable& colors) const {
    IniFile ini = IniFile::fromFile(path);
    if (ini.status() == IniFile::Status::Unreadable) return false;
    saveRecord(*this, ini);
    writeColors(ini, Colors, colors);
    std::error_code ec;
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    return ini.save(path);
}

} // namespace plumex
