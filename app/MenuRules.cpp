#include "app/MenuRules.h"

#include <algorithm>
#include <functional>
#include <string>
#include <unordered_map>

namespace plumex {
namespace {

using Rule = std::function<bool(const MenuState&)>;

constexpr int toolCount = 7;
constexpr int anchorPointTool = 1;

bool anySelected(const MenuState& s) {
    return s.selectedPaths > 0;
}

bool alignable(const MenuState& s) {
    return s.tool == anchorPointTool ? s.selectedAnchors >= 2 : s.selectedPaths >= 2;
}

bool segmentsOfSelection(const MenuState& s) {
    return s.tool == anchorPointTool && s.selectedPaths > 0;
}

const std::unordered_map<std::string_view, Rule>& rules() {
    static const std::unordered_map<std::string_view, Rule> table = [] {
        std::unordered_map<std::string_view, Rule> t;
        t["ClrDraft1"] = [](const MenuState& s) { return s.draftLoaded; };
        t["Export1"] = [](const MenuState& s) { return s.paths > 0; };
        t["Undo1"] = [](const MenuState& s) { return s.canUndo; };
        t["Redo1"] = [](const MenuState& s) { return s.canRedo; };
        for (auto name : {"Copy1",          "Cut1",           "Delete1",       "Lock1",
                          "Hide1",          "Move1",          "Expand1",       "Rotate1",
                          "Shear1",         "Dupe1",          "POVCopy1",      "POVExport1",
                          "Curve1",         "UnCurve1",       "DoubleAnchor1", "MinimizeAnchor1",
                          "ReverseHandle1", "GotoSelCenter1", "GotoSelHome1",  "ZoomFitSel1",
                          "DoubleSize1",    "HalfSize1",      "SizeUnitV1",    "SizeUnitH1"})
            t[name] = anySelected;
        t["Paste1"] = t["PasteNoMove1"] = [](const MenuState& s) { return s.clipboardHasPaths; };
        t["CutSegments1"] = t["DeleteSegments1"] = segmentsOfSelection;
        t["RemoveAnchor1"] = segmentsOfSelection;
        t["UnLock1"] = [](const MenuState& s) { return s.lockedPaths > 0; };
        t["ShowAll1"] = [](const MenuState& s) { return s.hiddenPaths > 0; };
        t["Align1"] = alignable;
        t["Layer1"] = [](const MenuState& s) {
            return s.selectedPaths >= 1 && s.selectedPaths < s.paths;
        };
        t["Intersect1"] = [](const MenuState& s) { return s.selectedPaths >= 2; };
        t["JoinAnchor3"] = [](const MenuState& s) { return s.selectedOpenPath; };
        t["JoinAnchor1"] = t["JoinAnchor2"] = [](const MenuState& s) { return s.joinable; };
        t["CutAnchor1"] = [](const MenuState& s) { return s.separable; };
        t["PasteHandle1"] = [](const MenuState& s) {
            return s.handlesCopied && s.selectedAnchors == 1;
        };
        t["CopyHandle1"] = [](const MenuState& s) { return s.selectedAnchors == 1; };
        t["ZoomFitAll1"] = [](const MenuState& s) { return s.paths > 0; };
        t["Property1"] = anySelected;
        return t;
    }();
    return table;
}

} // namespace

int nextTool(int tool) {
    return ((tool + 1) % toolCount + toolCount) % toolCount;
}

int previousTool(int tool) {
    return ((tool + toolCount - 1) % toolCount + toolCount) % toolCount;
}

// Each group is enabled by the change that builds its commands.
const std::vector<std::string_view>& pendingMenuItems() {
    static const std::vector<std::string_view> items = {// shortcut list
                                                        "AboutKey1"};
    return items;
}

bool isPendingMenuItem(std::string_view name) {
    const auto& items = pendingMenuItems();
    return std::find(items.begin(), items.end(), name) != items.end();
}

bool menuRuleAllows(std::string_view name, const MenuState& state) {
    const auto& table = rules();
    auto it = table.find(name);
    return it == table.end() || it->second(state);
}

bool menuItemEnabled(std::string_view name, const MenuState& state) {
    return !isPendingMenuItem(name) && menuRuleAllows(name, state);
}

} // namespace plumex
