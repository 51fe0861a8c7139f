#include "app/MenuTree.h"

#include <algorithm>

namespace plumex {
namespace {

constexpr unsigned Sub = MenuSubmenu;
constexpr unsigned Sep = MenuSeparator;
constexpr unsigned Chk = MenuCheckable;

std::vector<MenuItemDef> buildMenu() {
    return {
        {"File1", "", M_File, "", "", 0, Sub},
        {"New1", "File1", M_New, "", "Ctrl+N"},
        {"Open1", "File1", M_Open, "", "Ctrl+O"},
        {"OpenNew1", "File1", M_OpenNew, "", "Shift+Ctrl+O"},
        {"Save1", "File1", M_Save, "", "Ctrl+S", 0, Sep},
        {"SaveAs1", "File1", M_SaveAs, "", "Shift+Ctrl+S"},
        {"MRU1", "File1", M_MRU, "", "", 0, Sub | Sep},
        {"Import1", "File1", M_Import, "", "", 0, Sep},
        {"Export1", "File1", M_Export, "", "", 0, Sub | Sep},
        {"ExportAi1", "Export1", -1, "Adobe Illustrator 88", "", 11},
        {"ExportBmp1", "Export1", -1, "Bitmap", "", 12},
        {"ExportSvg1", "Export1", -1, "SVG...", "", 13},
        {"LoadDraft1", "File1", M_LoadDraft, "", "", 0, Sep},
        {"ClrDraft1", "File1", M_ClrDraft, "", ""},
        {"Exit1", "File1", M_Exit, "", "Ctrl+Q", 0, Sep},

        {"Edit1", "", M_Edit, "", "", 0, Sub},
        {"Undo1", "Edit1", M_Undo, "", "Ctrl+Z"},
        {"Redo1", "Edit1", M_Redo, "", "Shift+Ctrl+Z"},
        {"Cut1", "Edit1", M_Cut, "", "Ctrl+X", 0, Sep},
        {"CutSegments1", "Edit1", M_CutSegments, "", "Shift+Ctrl+X"},
        {"Copy1", "Edit1", M_Copy, "", "Ctrl+C"},
        {"Paste1", "Edit1", M_Paste, "", "Ctrl+V"},
        {"PasteNoMove1", "Edit1", M_PasteNoMove, "", "Shift+Ctrl+V"},
        {"Delete1", "Edit1", M_Delete, "", "Del", 0, Sep},
        {"DeleteSegments1", "Edit1", M_DeleteSegments, "", "Shift+Del"},
        {"SelectAll1", "Edit1", M_SelectAll, "", "Ctrl+A", 0, Sep},
        {"NextTool1", "Edit1", M_NextTool, "", "T", 0, Sep},
        {"PrevTool1", "Edit1", M_PrevTool, "", "Shift+T"},

        {"Object1", "", M_Object, "", "", 0, Sub},
        {"Lock1", "Object1", M_Lock, "", "Ctrl+L"},
        {"UnLock1", "Object1", M_UnLock, "", "Shift+Ctrl+L"},
        {"Hide1", "Object1", M_Hide, "", "Ctrl+H"},
        {"ShowAll1", "Object1", M_ShowAll, "", "Shift+Ctrl+H"},
        {"Layer1", "Object1", M_Layer, "", "", 0, Sub | Sep},
        {"LayerFront1", "Layer1", M_LayerFront, "", "Ctrl+PgUp"},
        {"LayerBack1", "Layer1", M_LayerBack, "", "Ctrl+PgDown"},
        {"Align1", "Object1", M_Align, "", "Tab"},
        {"Move1", "Object1", M_Move, "", "", 0, Sub | Sep},
        {"MoveToCenter1", "Move1", M_MoveToCenter, "", "Ctrl+Home"},
        {"MoveToHome1", "Move1", M_MoveToHome, "", "Ctrl+End"},
        {"InputMove1", "Move1", M_InputMove, "", "Ctrl+M"},
        {"Expand1", "Object1", M_Expand, "", "", 0, Sub},
        {"DoubleSize1", "Expand1", M_DoubleSize, "", "Ctrl+Num+"},
        {"HalfSize1", "Expand1", M_HalfSize, "", "Ctrl+Num-"},
        {"SizeUnitV1", "Expand1", M_SizeUnitV, "", ""},
        {"SizeUnitH1", "Expand1", M_SizeUnitH, "", ""},
        {"InputExpand1", "Expand1", M_InputExpand, "", "Ctrl+E"},
        {"Rotate1", "Object1", M_Rotate, "", "", 0, Sub},
        {"RotateL90", "Rotate1", M_RotateL90, "", "Ctrl+["},
        {"RotateR90", "Rotate1", M_RotateR90, "", "Ctrl+]"},
        {"FlipX1", "Rotate1", M_FlipX, "", "Shift+Ctrl+["},
        {"FlipY1", "Rotate1", M_FlipY, "", "Shift+Ctrl+]"},
        {"InputRotate1", "Rotate1", M_InputRotate, "", "Ctrl+R"},
        {"Shear1", "Object1", M_Shear, "", ""},
        {"Dupe1", "Object1", M_Dupe, "", "Ctrl+D", 0, Sep},
        {"Intersect1", "Object1", M_Intersect, "", "Ctrl+I"},
        {"POVCopy1", "Object1", M_POVCopy, "", "", 0, Sub | Sep},
        {"Prism1", "POVCopy1", M_Prism, "", "Alt+P", 0},
        {"Lathe1", "POVCopy1", M_Lathe, "", "Alt+L", 1},
        {"Array1", "POVCopy1", M_Array, "", "Alt+A", 2},
        {"POVExport1", "Object1", M_POVExport, "", "", 0, Sub},
        {"Prism2", "POVExport1", M_Prism, "", "Shift+Alt+P", 0},
        {"Lathe2", "POVExport1", M_Lathe, "", "Shift+Alt+L", 1},
        {"Array2", "POVExport1", M_Array, "", "Shift+Alt+A", 2},
        {"Property1", "Object1", M_Property, "", "Alt+Return"},

        {"Anchor1", "", M_Anchor, "", "", 0, Sub},
        {"JoinAnchor1", "Anchor1", M_JoinAnchor, "", "J"},
        {"JoinAnchor2", "Anchor1", M_JoinAnchorS, "", "Shift+J"},
        {"JoinAnchor3", "Anchor1", M_JoinAnchorI, "", "Shift+Ctrl+J"},
        {"CutAnchor1", "Anchor1", M_CutAnchor, "", "K", 0, Sep},
        {"RemoveAnchor1", "Anchor1", M_RemoveAnchor, "", "Ctrl+Del"},
        {"DoubleAnchor1", "Anchor1", M_DoubleAnchor, "", "", 0, Sep},
        {"MinimizeAnchor1", "Anchor1", M_MinimizeAnchor, "", ""},
        {"Curve1", "Anchor1", M_Curve, "", "", 0, Sep},
        {"UnCurve1", "Anchor1", M_UnCurve, "", ""},
        {"ReverseHandle1", "Anchor1", M_RevHandle, "", ""},
        {"CopyHandle1", "Anchor1", M_CopyHandle, "", "", 0, Sep},
        {"PasteHandle1", "Anchor1", M_PasteHandle, "", ""},

        {"Show1", "", M_Show, "", "", 0, Sub},
        {"ZoomIn1", "Show1", M_ZoomIn, "", "Num+"},
        {"ZoomOut1", "Show1", M_ZoomOut, "", "Num-"},
        {"Scale1", "Show1", M_Scale, "", "", 0, Sub},
        {"N1000001", "Scale1", -1, "100,000", "", 100000},
        {"N100001", "Scale1", -1, "10,000", "", 10000},
        {"N10001", "Scale1", -1, "1,000", "", 1000},
        {"StdScale1", "Scale1", M_StdScale, "", "F4", 100},
        {"N101", "Scale1", -1, "10", ""},
        {"N13", "Scale1", -1, "1", ""},
        {"N011", "Scale1", -1, "0.1", ""},
        {"N0011", "Scale1", -1, "0.01", ""},
        {"InputZoom1", "Show1", M_InputZoom, "", ""},
        {"GotoCenter1", "Show1", M_GotoCenter, "", "Home", 0, Sep},
        {"GotoHome1", "Show1", M_GotoHome, "", "End"},
        {"GotoSelCenter1", "Show1", M_GotoSelCenter, "", "Shift+Home"},
        {"GotoSelHome1", "Show1", M_GotoSelHome, "", "Shift+End"},
        {"ZoomFitAll1", "Show1", M_ZoomFitAll, "", "Ctrl+F", 0, Sep},
        {"ZoomFitSel1", "Show1", M_ZoomFitSel, "", "Shift+Ctrl+F"},
        {"PovPreview1", "Show1", -1, "POV-Ray Preview", "", 0, Chk | Sep},

        {"Option1", "", M_Option, "", "", 0, Sub},
        {"ToolPanelPos1", "Option1", M_ToolBarRight, "", ""},
        {"ShowHint1", "Option1", M_ShowHint, "", "", 0, Chk},
        {"ShowSBar1", "Option1", M_ShowSBar, "", "", 0, Chk},
        {"ShowRuler1", "Option1", M_ShowRuler, "", "R", 0, Chk | Sep},
        {"ShowGrid1", "Option1", M_ShowGrid, "", "G", 0, Chk},
        {"SnapGrid1", "Option1", M_SnapGrid, "", "Shift+G", 0, Chk},
        {"GridSize1", "Option1", M_GridSize, "", "", 0, Sub},
        {"GridSizeAuto1", "GridSize1", M_GridSizeAuto, "", "", 0, Chk | MenuRadioGrid},
        {"GridSizeFixed1", "GridSize1", M_GridSizeFixed, "", "", 0, Chk | MenuRadioGrid},
        {"ShowGuides1", "Option1", M_ShowGuides, "", "L", 0, Chk | Sep},
        {"SnapGuides1", "Option1", M_SnapGuides, "", "Shift+L", 0, Chk},
        {"LockGuides1", "Option1", M_LockGuides, "", "", 0, Chk},
        {"ShowAnchor1", "Option1", M_ShowAnchor, "", "A", 0, Chk | Sep},
        {"SmallAnchor1", "Option1", M_SmallAnchor, "", "", 0, Chk},
        {"ShowHelper1", "Option1", M_ShowHelper, "", "E", 0, Chk},
        {"Draft1", "Option1", M_Draft, "", "", 0, Sub | Sep},
        {"ShowDraft1", "Draft1", M_ShowDraft, "", "D", 0, Chk | MenuRadioDraft},
        {"ShowDimDraft1", "Draft1", M_ShowDimDraft, "", "F", 0, Chk | MenuRadioDraft},
        {"HideDraft1", "Draft1", M_HideDraft, "", "Shift+D", 0, Chk | MenuRadioDraft},
        {"SetColors1", "Option1", M_SetColors, "", "", 0, Sep},
        {"RestoreWinSize1", "Option1", M_RestoreWinSize, "", "", 0, Chk | Sep},

        {"Help1", "", M_Help, "", "", 0, Sub},
        {"AboutKey1", "Help1", M_AboutKey, "", "Shift+F1"},
        {"About1", "Help1", M_About, "", ""},

        {"ObjectMove1", "", M_ObjectMove, "", "", 0, Sub | MenuHidden},
        {"Left1", "ObjectMove1", M_Left, "", "Ctrl+Left", 0},
        {"Right1", "ObjectMove1", M_Right, "", "Ctrl+Right", 2},
        {"Up1", "ObjectMove1", M_Up, "", "Ctrl+Up", 1},
        {"Down1", "ObjectMove1", M_Down, "", "Ctrl+Down", 3},
        {"FineLeft1", "ObjectMove1", M_FineLeft, "", "Shift+Ctrl+Left", 0},
        {"FineRight1", "ObjectMove1", M_FineRight, "", "Shift+Ctrl+Right", 2},
        {"FineUp1", "ObjectMove1", M_FineUp, "", "Shift+Ctrl+Up", 1},
        {"FineDown1", "ObjectMove1", M_FineDown, "", "Shift+Ctrl+Down", 3},
    };
}

} // namespace

const std::vector<MenuItemDef>& mainMenuItems() {
    static const std::vector<MenuItemDef> items = buildMenu();
    return items;
}

const MenuItemDef* findMenuItem(std::string_view name) {
    const auto& items = mainMenuItems();
    auto it = std::find_if(items.begin(), items.end(),
                           [name](const MenuItemDef& item) { return item.name == name; });
    return it == items.end() ? nullptr : &*it;
}

std::vector<std::string_view> menuItemsOfKey(int key) {
    std::vector<std::string_view> names;
    for (const MenuItemDef& item : mainMenuItems())
        if (item.key == key) names.push_back(item.name);
    if (key == M_ToolBarLeft) names.push_back("ToolPanelPos1");
    return names;
}

} // namespace plumex
