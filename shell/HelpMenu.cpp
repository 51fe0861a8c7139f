#include "app/LanguageKeys.h"
#include "canvas/Window.h"
#include "shell/Menus.h"
#include "shell/ShellHost.h"

namespace plumex {

std::vector<Command> helpMenu() {
    return {
        {.name = "Help1", .key = M_Help, .flags = cfSubmenu},
        {.name = "AboutKey1",
         .parent = "Help1",
         .key = M_AboutKey,
         .shortcut = scShift | vk::F1,
         .action = [](CommandContext& c) { c.shell.AboutKey1Click(); }},
        {.name = "About1",
         .parent = "Help1",
         .key = M_About,
         .action = [](CommandContext& c) { c.shell.About1Click(); }},
    };
}

} // namespace plumex
