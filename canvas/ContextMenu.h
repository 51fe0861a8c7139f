#pragma once
// The canvas's context menu: entries captioned from the language's command texts.

#include "canvas/CanvasHost.h"
#include "commands/AnchorCommands.h"

#include <string>
#include <vector>

class TCvWindow;

namespace plumex {

// Text numbers of the commands the context menu offers.
enum MenuCommand : int {
    cmLock = 40,
    cmUnlock = 41,
    cmHide = 42,
    cmShowAll = 43,
    cmFront = 45,
    cmBack = 46,
    cmMove = 48,
    cmMoveByAnchor = 52,
    cmExpand = 53,
    cmRotate = 59,
    cmShear = 65,
    cmDupe = 66,
    cmJoin = 75,
    cmJoinStraight = 76,
    cmJoinNear = 77,
    cmSeparate = 78,
    cmCopyHandles = 87,
    cmPasteHandles = 88,
    cmZoomIn = 90,
    cmZoomOut = 91,
    cmFitSelected = 100,
};

// A caption cut before its first opening parenthesis, ASCII or full-width, so that an
// accelerator suffix such as "(&M)" disappears.
std::string menuCaption(const std::string& text);

// An entry for command `command` captioned from the current language.
MenuEntry menuEntry(int command, bool enabled = true);
MenuEntry menuSeparator();

// The anchor under the mouse when it is selected: the anchor the handle items act on. Empty
// means the single selected anchor.
std::optional<AnchorRef> hoveredSelectedAnchor(const TCvWindow& window);

// Adds a separator unless the list is empty or already ends in one.
void addSeparator(std::vector<MenuEntry>& entries);

} // namespace plumex
