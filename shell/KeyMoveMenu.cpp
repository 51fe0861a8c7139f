#include "app/LanguageKeys.h"
#include "canvas/Window.h"
#include "shell/Menus.h"

namespace plumex {

// Never shown: its items exist for their shortcuts, which move the selection by the grid (or
// by a pixel with Shift).
std::vector<Command> keyMoveMenu() {
    return {
        {.name = "ObjectMove1", .key = M_ObjectMove, .flags = cfSubmenu | cfHidden},
        {.name = "Left1",
         .parent = "ObjectMove1",
         .key = M_Left,
         .shortcut = scCtrl | vk::Left,
         .action =
             [](CommandContext& c) {
                 c.canvas.MoveSelectionByKey(KeyMove::Left, KeyStep::Normal);
             }},
        {.name = "Right1",
         .parent = "ObjectMove1",
         .key = M_Right,
         .shortcut = scCtrl | vk::Right,
         .action =
             [](CommandContext& c) {
                 c.canvas.MoveSelectionByKey(KeyMove::Right, KeyStep::Normal);
             }},
        {.name = "Up1",
         .parent = "ObjectMove1",
         .key = M_Up,
         .shortcut = scCtrl | vk::Up,
         .action =
             [](CommandContext& c) { c.canvas.MoveSelectionByKey(KeyMove::Up, KeyStep::Normal); }},
        {.name = "Down1",
         .parent = "ObjectMove1",
         .key = M_Down,
         .shortcut = scCtrl | vk::Down,
         .action =
             [](CommandContext& c) {
                 c.canvas.MoveSelectionByKey(KeyMove::Down, KeyStep::Normal);
             }},
        {.name = "FineLeft1",
         .parent = "ObjectMove1",
         .key = M_FineLeft,
         .shortcut = scShift | scCtrl | vk::Left,
         .action =
             [](CommandContext& c) { c.canvas.MoveSelectionByKey(KeyMove::Left, KeyStep::Fine); }},
        {.name = "FineRight1",
         .parent = "ObjectMove1",
         .key = M_FineRight,
         .shortcut = scShift | scCtrl | vk::Right,
         .action =
             [](CommandContext& c) { c.canvas.MoveSelectionByKey(KeyMove::Right, KeyStep::Fine); }},
        {.name = "FineUp1",
         .parent = "ObjectMove1",
         .key = M_FineUp,
         .shortcut = scShift | scCtrl | vk::Up,
         .action =
             [](CommandContext& c) { c.canvas.MoveSelectionByKey(KeyMove::Up, KeyStep::Fine); }},
        {.name = "FineDown1",
         .parent = "ObjectMove1",
         .key = M_FineDown,
         .shortcut = scShift | scCtrl | vk::Down,
         .action =
             [](CommandContext& c) { c.canvas.MoveSelectionByKey(KeyMove::Down, KeyStep::Fine); }},
    };
}

} // namespace plumex
