#include "app/LanguageKeys.h"
#include "app/NumberText.h"
#include "canvas/Window.h"
#include "shell/Menus.h"
#include "shell/ShellHost.h"

namespace plumex {

namespace {

// A preset with a tag zooms to the tag, one without to its caption read as a number.
void zoomPreset(CommandContext& c) {
    const double scale = c.command.tag != 0
                             ? c.command.tag
                             : parseDecimal(c.command.fixed).value_or(c.canvas.Scale());
    c.canvas.ZoomTo(scale);
}

Command preset(std::string_view name, std::string_view fixed, int tag) {
    return {.name = name, .parent = "Scale1", .fixed = fixed, .tag = tag, .action = zoomPreset};
}

} // namespace

std::vector<Command> viewMenu() {
    return {
        {.name = "Show1", .key = M_Show, .flags = cfSubmenu},
        {.name = "ZoomIn1",
         .parent = "Show1",
         .key = M_ZoomIn,
         .shortcut = vk::Add,
         .action = [](CommandContext& c) { c.canvas.ZoomTo(c.canvas.Scale() * 2); }},
        {.name = "ZoomOut1",
         .parent = "Show1",
         .key = M_ZoomOut,
         .shortcut = vk::Subtract,
         .action = [](CommandContext& c) { c.canvas.ZoomTo(c.canvas.Scale() * 0.5); }},
        {.name = "Scale1", .parent = "Show1", .key = M_Scale, .flags = cfSubmenu},
        preset("N1000001", "100,000", 100000),
        preset("N100001", "10,000", 10000),
        preset("N10001", "1,000", 1000),
        {.name = "StdScale1",
         .parent = "Scale1",
         .key = M_StdScale,
         .shortcut = vk::F1 + 3,
         .tag = 100,
         .action = zoomPreset},
        preset("N101", "10", 0),
        preset("N13", "1", 0),
        preset("N011", "0.1", 0),
        preset("N0011", "0.01", 0),
        {.name = "InputZoom1",
         .parent = "Show1",
         .key = M_InputZoom,
         .action = [](CommandContext& c) { c.canvas.InputScale(); }},
        {.name = "GotoCenter1",
         .parent = "Show1",
         .key = M_GotoCenter,
         .shortcut = vk::Home,
         .flags = cfSeparator,
         .action = [](CommandContext& c) { c.canvas.GoOriginCenter(); }},
        {.name = "GotoHome1",
         .parent = "Show1",
         .key = M_GotoHome,
         .shortcut = vk::End,
         .action = [](CommandContext& c) { c.canvas.GoOriginHome(); }},
        {.name = "GotoSelCenter1",
         .parent = "Show1",
         .key = M_GotoSelCenter,
         .shortcut = scShift | vk::Home,
         .enabled = anySelected,
         .action = [](CommandContext& c) { c.canvas.GoSelectionCenter(); }},
        {.name = "GotoSelHome1",
         .parent = "Show1",
         .key = M_GotoSelHome,
         .shortcut = scShift | vk::End,
         .enabled = anySelected,
         .action = [](CommandContext& c) { c.canvas.GoSelectionHome(); }},
        {.name = "ZoomFitAll1",
         .parent = "Show1",
         .key = M_ZoomFitAll,
         .shortcut = scCtrl | 'F',
         .flags = cfSeparator,
         .enabled = anyPaths,
         .action = [](CommandContext& c) { c.canvas.FitAll(); }},
        {.name = "ZoomFitSel1",
         .parent = "Show1",
         .key = M_ZoomFitSel,
         .shortcut = scShift | scCtrl | 'F',
         .enabled = anySelected,
         .action = [](CommandContext& c) { c.canvas.FitSelection(); }},
        {.name = "PovPreview1",
         .parent = "Show1",
         .fixed = "POV-Ray Preview",
         .flags = cfCheckable | cfSeparator,
         .checked = [](const CommandContext& c) { return c.shell.povPreviewShown(); },
         .action =
             [](CommandContext& c) { c.shell.setPovPreviewShown(!c.shell.povPreviewShown()); }},
    };
}

} // namespace plumex
