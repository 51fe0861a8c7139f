#include "app/LanguageKeys.h"
#include "app/Languages.h"
#include "canvas/Window.h"
#include "commands/BooleanCommands.h"
#include "model/Document.h"
#include "shell/Menus.h"
#include "shell/ShellHost.h"

namespace plumex {

namespace {

bool alignable(const MenuState& s) {
    return s.tool == ToolKind::Anchor ? s.selectedAnchors >= 2 : s.selectedPaths >= 2;
}

void povCopy(CommandContext& c) {
    c.shell.POVCopy1Click(c.command.tag);
}

void exportFile(CommandContext& c) {
    c.shell.ExportFileClick(c.command.tag);
}

bool combinable(const MenuState& s) {
    return s.combinable;
}

bool unitable(const MenuState& s) {
    return s.combinable || s.resolvable;
}

// Big outlines take a while: the busy cursor shows meanwhile, and goes whatever happens.
class BusyCursor {
public:
    explicit BusyCursor(ShellHost& shell) : shell_(shell) { shell_.setBusy(true); }
    ~BusyCursor() { shell_.setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    ShellHost& shell_;
};

void pathOperation(CommandContext& c) {
    BooleanOutcome outcome;
    {
        const BusyCursor busy(c.shell);
        outcome = CombineSelected(c.canvas.Document, static_cast<BooleanOperation>(c.command.tag));
    }
    if (outcome.changed) edited(c.canvas);
    c.shell.showNote(outcome.emptyResult         ? message(msgPathResultEmpty)
                     : outcome.openPathsLeft > 0 ? message(msgOpenPathsLeft)
                                                 : std::string());
}

} // namespace

std::vector<Command> objectMenu() {
    return {
        {.name = "Object1", .key = M_Object, .flags = cfSubmenu},
        {.name = "Lock1",
         .parent = "Object1",
         .key = M_Lock,
         .shortcut = scCtrl | 'L',
         .flags = cfEndsPenPath,
         .enabled = anySelected,
         .action =
             [](CommandContext& c) {
                 c.canvas.Document.Lock();
                 edited(c.canvas);
             }},
        {.name = "UnLock1",
         .parent = "Object1",
         .key = M_UnLock,
         .shortcut = scShift | scCtrl | 'L',
         .flags = cfEndsPenPath,
         .enabled = [](const MenuState& s) { return s.lockedPaths > 0; },
         .action =
             [](CommandContext& c) {
                 c.canvas.Document.UnlockAll();
                 edited(c.canvas);
             }},
        {.name = "Hide1",
         .parent = "Object1",
         .key = M_Hide,
         .shortcut = scCtrl | 'H',
         .flags = cfEndsPenPath,
         .enabled = anySelected,
         .action =
             [](CommandContext& c) {
                 c.canvas.Document.Hide();
                 edited(c.canvas);
             }},
        {.name = "ShowAll1",
         .parent = "Object1",
         .key = M_ShowAll,
         .shortcut = scShift | scCtrl | 'H',
         .flags = cfEndsPenPath,
         .enabled = [](const MenuState& s) { return s.hiddenPaths > 0; },
         .action =
             [](CommandContext& c) {
                 c.canvas.Document.ShowAll();
                 edited(c.canvas);
             }},
        {.name = "Layer1",
         .parent = "Object1",
         .key = M_Layer,
         .flags = cfSubmenu | cfSeparator,
         .enabled =
             [](const MenuState& s) { return s.selectedPaths >= 1 && s.selectedPaths < s.paths; }},
        {.name = "LayerFront1",
         .parent = "Layer1",
         .key = M_LayerFront,
         .shortcut = scCtrl | vk::Prior,
         .flags = cfEndsPenPath,
         .action = [](CommandContext& c) { c.canvas.LayerFront(); }},
        {.name = "LayerBack1",
         .parent = "Layer1",
         .key = M_LayerBack,
         .shortcut = scCtrl | vk::Next,
         .flags = cfEndsPenPath,
         .action = [](CommandContext& c) { c.canvas.LayerBack(); }},
        {.name = "Align1",
         .parent = "Object1",
         .key = M_Align,
         .shortcut = vk::Tab,
         .enabled = alignable,
         .action = [](CommandContext& c) { c.canvas.AlignDialog(); }},

        {.name = "Move1",
         .parent = "Object1",
         .key = M_Move,
         .flags = cfSubmenu | cfSeparator,
         .enabled = anySelected},
        {.name = "MoveToCenter1",
         .parent = "Move1",
         .key = M_MoveToCenter,
         .shortcut = scCtrl | vk::Home,
         .action = [](CommandContext& c) { c.canvas.PresetMove(0); }},
        {.name = "MoveToHome1",
         .parent = "Move1",
         .key = M_MoveToHome,
         .shortcut = scCtrl | vk::End,
         .action = [](CommandContext& c) { c.canvas.PresetMove(1); }},
        {.name = "InputMove1",
         .parent = "Move1",
         .key = M_InputMove,
         .shortcut = scCtrl | 'M',
         .action = [](CommandContext& c) { c.canvas.MoveDialog(); }},

        {.name = "Expand1",
         .parent = "Object1",
         .key = M_Expand,
         .flags = cfSubmenu,
         .enabled = anySelected},
        {.name = "DoubleSize1",
         .parent = "Expand1",
         .key = M_DoubleSize,
         .shortcut = scCtrl | vk::Add,
         .action = [](CommandContext& c) { c.canvas.PresetExpand(0); }},
        {.name = "HalfSize1",
         .parent = "Expand1",
         .key = M_HalfSize,
         .shortcut = scCtrl | vk::Subtract,
         .action = [](CommandContext& c) { c.canvas.PresetExpand(1); }},
        {.name = "SizeUnitV1",
         .parent = "Expand1",
         .key = M_SizeUnitV,
         .action = [](CommandContext& c) { c.canvas.PresetExpand(2); }},
        {.name = "SizeUnitH1",
         .parent = "Expand1",
         .key = M_SizeUnitH,
         .action = [](CommandContext& c) { c.canvas.PresetExpand(3); }},
        {.name = "InputExpand1",
         .parent = "Expand1",
         .key = M_InputExpand,
         .shortcut = scCtrl | 'E',
         .action = [](CommandContext& c) { c.canvas.ExpandDialog(); }},

        {.name = "Rotate1",
         .parent = "Object1",
         .key = M_Rotate,
         .flags = cfSubmenu,
         .enabled = anySelected},
        {.name = "RotateL90",
         .parent = "Rotate1",
         .key = M_RotateL90,
         .shortcut = scCtrl | vk::OemOpen,
         .action = [](CommandContext& c) { c.canvas.PresetRotate(0); }},
        {.name = "RotateR90",
         .parent = "Rotate1",
         .key = M_RotateR90,
         .shortcut = scCtrl | vk::OemClose,
         .action = [](CommandContext& c) { c.canvas.PresetRotate(1); }},
        {.name = "FlipX1",
         .parent = "Rotate1",
         .key = M_FlipX,
         .shortcut = scShift | scCtrl | vk::OemOpen,
         .action = [](CommandContext& c) { c.canvas.FlipSelection(FlipAxis::Horizontal); }},
        {.name = "FlipY1",
         .parent = "Rotate1",
         .key = M_FlipY,
         .shortcut = scShift | scCtrl | vk::OemClose,
         .action = [](CommandContext& c) { c.canvas.FlipSelection(FlipAxis::Vertical); }},
        {.name = "InputRotate1",
         .parent = "Rotate1",
         .key = M_InputRotate,
         .shortcut = scCtrl | 'R',
         .action = [](CommandContext& c) { c.canvas.RotateDialog(); }},
        {.name = "Shear1",
         .parent = "Object1",
         .key = M_Shear,
         .enabled = anySelected,
         .action = [](CommandContext& c) { c.canvas.ShearDialog(); }},

        {.name = "Dupe1",
         .parent = "Object1",
         .key = M_Dupe,
         .shortcut = scCtrl | 'D',
         .flags = cfSeparator | cfEndsPenPath,
         .enabled = anySelected,
         .action = [](CommandContext& c) { c.canvas.Dupe(); }},
        {.name = "Intersect1",
         .parent = "Object1",
         .key = M_Intersect,
         .shortcut = scCtrl | 'I',
         .flags = cfEndsPenPath,
         .enabled = [](const MenuState& s) { return s.selectedPaths >= 2; },
         .action =
             [](CommandContext& c) {
                 if (c.canvas.Document.MakeHole()) edited(c.canvas);
             }},
        {.name = "Path1",
         .parent = "Object1",
         .key = M_Path,
         .flags = cfSubmenu,
         .enabled = unitable},
        {.name = "Union1",
         .parent = "Path1",
         .key = M_Union,
         .shortcut = scCtrl | scAlt | 'U',
         .flags = cfEndsPenPath,
         .tag = static_cast<int>(BooleanOperation::Union),
         .enabled = unitable,
         .action = pathOperation},
        {.name = "Difference1",
         .parent = "Path1",
         .key = M_Difference,
         .shortcut = scCtrl | scAlt | 'D',
         .flags = cfEndsPenPath,
         .tag = static_cast<int>(BooleanOperation::Difference),
         .enabled = combinable,
         .action = pathOperation},
        {.name = "Intersection1",
         .parent = "Path1",
         .key = M_Intersection,
         .shortcut = scCtrl | scAlt | 'I',
         .flags = cfEndsPenPath,
         .tag = static_cast<int>(BooleanOperation::Intersection),
         .enabled = combinable,
         .action = pathOperation},
        {.name = "Exclusion1",
         .parent = "Path1",
         .key = M_Exclusion,
         .shortcut = scCtrl | scAlt | 'X',
         .flags = cfEndsPenPath,
         .tag = static_cast<int>(BooleanOperation::Exclusion),
         .enabled = combinable,
         .action = pathOperation},
        {.name = "Division1",
         .parent = "Path1",
         .key = M_Division,
         .shortcut = scCtrl | scAlt | 'V',
         .flags = cfEndsPenPath,
         .tag = static_cast<int>(BooleanOperation::Division),
         .enabled = combinable,
         .action = pathOperation},

        {.name = "POVCopy1",
         .parent = "Object1",
         .key = M_POVCopy,
         .flags = cfSubmenu | cfSeparator,
         .enabled = anySelected},
        {.name = "Prism1",
         .parent = "POVCopy1",
         .key = M_Prism,
         .shortcut = scAlt | 'P',
         .tag = 0,
         .action = povCopy},
        {.name = "Lathe1",
         .parent = "POVCopy1",
         .key = M_Lathe,
         .shortcut = scAlt | 'L',
         .tag = 1,
         .action = povCopy},
        {.name = "Array1",
         .parent = "POVCopy1",
         .key = M_Array,
         .shortcut = scAlt | 'A',
         .tag = 2,
         .action = povCopy},
        {.name = "ConicPrism1",
         .parent = "POVCopy1",
         .key = M_ConicPrism,
         .tag = 3,
         .action = povCopy},
        {.name = "SphereSweep1",
         .parent = "POVCopy1",
         .key = M_SphereSweep,
         .tag = 4,
         .action = povCopy},
        {.name = "Sor1", .parent = "POVCopy1", .key = M_Sor, .tag = 5, .action = povCopy},
        {.name = "POVExport1",
         .parent = "Object1",
         .key = M_POVExport,
         .flags = cfSubmenu,
         .enabled = anySelected},
        {.name = "Prism2",
         .parent = "POVExport1",
         .key = M_Prism,
         .shortcut = scShift | scAlt | 'P',
         .tag = 0,
         .action = exportFile},
        {.name = "Lathe2",
         .parent = "POVExport1",
         .key = M_Lathe,
         .shortcut = scShift | scAlt | 'L',
         .tag = 1,
         .action = exportFile},
        {.name = "Array2",
         .parent = "POVExport1",
         .key = M_Array,
         .shortcut = scShift | scAlt | 'A',
         .tag = 2,
         .action = exportFile},
        {.name = "ConicPrism2",
         .parent = "POVExport1",
         .key = M_ConicPrism,
         .tag = 3,
         .action = exportFile},
        {.name = "SphereSweep2",
         .parent = "POVExport1",
         .key = M_SphereSweep,
         .tag = 4,
         .action = exportFile},
        {.name = "Sor2", .parent = "POVExport1", .key = M_Sor, .tag = 5, .action = exportFile},
        {.name = "Property1",
         .parent = "Object1",
         .key = M_Property,
         .shortcut = scAlt | vk::Return,
         .enabled = anySelected,
         .action = [](CommandContext& c) { c.shell.Property1Click(); }},
    };
}

} // namespace plumex
