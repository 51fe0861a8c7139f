#include "app/LanguageKeys.h"
#include "canvas/Window.h"
#include "shell/Menus.h"
#include "shell/ShellHost.h"

namespace plumex {

namespace {

template <CanvasOption N> void toggle(CommandContext& c) {
    c.canvas.SetOption(N, !c.canvas.GetOption(N));
}

template <CanvasOption N> bool option(const CommandContext& c) {
    return c.canvas.GetOption(N);
}

Command optionSwitch(std::string_view name, int key, int shortcut, unsigned flags,
                     CommandAction action, CheckRule checked) {
    return {.name = name,
            .parent = "Option1",
            .key = key,
            .shortcut = shortcut,
            .flags = flags | cfCheckable,
            .checked = checked,
            .action = action};
}

template <CanvasOption N>
Command optionSwitch(std::string_view name, int key, int shortcut = 0, unsigned flags = 0) {
    return optionSwitch(name, key, shortcut, flags, toggle<N>, option<N>);
}

bool draftShown(const CommandContext& c) {
    return c.canvas.GetOption(CanvasOption::ShowDraft);
}

bool draftDim(const CommandContext& c) {
    return c.canvas.GetOption(CanvasOption::DimDraft);
}

} // namespace

std::vector<Command> optionMenu() {
    return {
        {.name = "Option1", .key = M_Option, .flags = cfSubmenu},
        // Captioned by the side the panel would move to.
        {.name = "ToolPanelPos1",
         .parent = "Option1",
         .key = M_ToolBarRight,
         .action = [](CommandContext& c) { c.shell.ToolPanelPos1Click(); }},
        optionSwitch(
            "ShowHint1", M_ShowHint, 0, 0,
            [](CommandContext& c) { c.shell.setHintsShown(!c.shell.hintsShown()); },
            [](const CommandContext& c) { return c.shell.hintsShown(); }),
        optionSwitch(
            "ShowSBar1", M_ShowSBar, 0, 0,
            [](CommandContext& c) {
                TCvOptions& o = c.canvas.Options();
                o.ShowStatusBar = !o.ShowStatusBar;
                c.shell.setStatusBarShown(o.ShowStatusBar);
            },
            [](const CommandContext& c) { return c.canvas.Options().ShowStatusBar; }),
        optionSwitch<CanvasOption::ShowRuler>("ShowRuler1", M_ShowRuler, 'R', cfSeparator),
        optionSwitch<CanvasOption::ShowGrid>("ShowGrid1", M_ShowGrid, 'G'),
        optionSwitch(
            "SnapGrid1", M_SnapGrid, scShift | 'G', 0,
            [](CommandContext& c) {
                toggle<CanvasOption::SnapGrid>(c);
                c.shell.repaintStatusBar();
            },
            option<CanvasOption::SnapGrid>),
        {.name = "GridSize1", .parent = "Option1", .key = M_GridSize, .flags = cfSubmenu},
        {.name = "GridSizeAuto1",
         .parent = "GridSize1",
         .key = M_GridSizeAuto,
         .flags = cfCheckable | cfRadioGrid,
         .checked =
             [](const CommandContext& c) {
                 return !c.canvas.GetOption(CanvasOption::GridSizeFixed);
             },
         .action =
             [](CommandContext& c) { c.canvas.SetOption(CanvasOption::GridSizeFixed, false); }},
        {.name = "GridSizeFixed1",
         .parent = "GridSize1",
         .key = M_GridSizeFixed,
         .flags = cfCheckable | cfRadioGrid,
         .checked = option<CanvasOption::GridSizeFixed>,
         .action =
             [](CommandContext& c) { c.canvas.SetOption(CanvasOption::GridSizeFixed, true); }},
        optionSwitch<CanvasOption::ShowGuides>("ShowGuides1", M_ShowGuides, 'L', cfSeparator),
        optionSwitch<CanvasOption::SnapGuides>("SnapGuides1", M_SnapGuides, scShift | 'L'),
        optionSwitch<CanvasOption::LockGuides>("LockGuides1", M_LockGuides),
        optionSwitch<CanvasOption::ShowAnchor>("ShowAnchor1", M_ShowAnchor, 'A', cfSeparator),
        optionSwitch<CanvasOption::SmallAnchor>("SmallAnchor1", M_SmallAnchor),
        optionSwitch<CanvasOption::ShowHelper>("ShowHelper1", M_ShowHelper, 'E'),
        {.name = "Draft1", .parent = "Option1", .key = M_Draft, .flags = cfSubmenu | cfSeparator},
        {.name = "ShowDraft1",
         .parent = "Draft1",
         .key = M_ShowDraft,
         .shortcut = 'D',
         .flags = cfCheckable | cfRadioDraft,
         .checked = [](const CommandContext& c) { return draftShown(c) && !draftDim(c); },
         .action =
             [](CommandContext& c) {
                 c.canvas.SetOption(CanvasOption::DimDraft, false);
                 c.canvas.SetOption(CanvasOption::ShowDraft, true);
             }},
        {.name = "ShowDimDraft1",
         .parent = "Draft1",
         .key = M_ShowDimDraft,
         .shortcut = 'F',
         .flags = cfCheckable | cfRadioDraft,
         .checked = [](const CommandContext& c) { return draftShown(c) && draftDim(c); },
         .action =
             [](CommandContext& c) {
                 c.canvas.SetOption(CanvasOption::DimDraft, true);
                 c.canvas.SetOption(CanvasOption::ShowDraft, true);
             }},
        {.name = "HideDraft1",
         .parent = "Draft1",
         .key = M_HideDraft,
         .shortcut = scShift | 'D',
         .flags = cfCheckable | cfRadioDraft,
         .checked = [](const CommandContext& c) { return !draftShown(c); },
         .action = [](CommandContext& c) { c.canvas.SetOption(CanvasOption::ShowDraft, false); }},
        {.name = "SetColors1",
         .parent = "Option1",
         .key = M_SetColors,
         .flags = cfSeparator,
         .action = [](CommandContext& c) { c.shell.SetColors1Click(); }},
        optionSwitch(
            "RestoreWinSize1", M_RestoreWinSize, 0, cfSeparator,
            [](CommandContext& c) {
                TCvOptions& o = c.canvas.Options();
                o.RestoreWindowSize = !o.RestoreWindowSize;
            },
            [](const CommandContext& c) { return c.canvas.Options().RestoreWindowSize; }),
    };
}

} // namespace plumex
