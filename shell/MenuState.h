#pragma once
// What the menus' enabling rules look at, gathered when a menu opens or a shortcut arrives.

#include "canvas/ToolKind.h"

class TCvDocument;
class TCvWindow;

namespace plumex {
class ShellHost;

struct MenuState {
    int paths = 0;
    int selectedPaths = 0;
    int lockedPaths = 0;
    int hiddenPaths = 0;
    ToolKind tool = ToolKind::Object;
    bool canUndo = false;
    bool canRedo = false;
    bool clipboardHasPaths = false;
    // A draft picture is shown, or the document names one that did not load (Delete Draft
    // is the way to drop that reference).
    bool draftLoaded = false;
    bool draftShown = false; // a picture is there to trace
    bool recentFiles = false;
    int selectedAnchors = 0; // selected anchors of selected paths
    bool selectedOpenPath = false;
    // Some selected anchor is not an end of an open path, so separating it splits something.
    bool separable = false;
    bool joinable = false;      // two end anchors can be joined
    bool handlesCopied = false; // the handle clipboard holds a pair
    // Path operations: two or more closed paths selected; Union also resolves one
    // self-overlapping path.
    bool combinable = false;
    bool resolvable = false;
};

MenuState menuStateOf(const TCvWindow& canvas, const ShellHost& shell);
// The two halves of it. The facts of the paths (counts, the selection, what the anchor and
// path operations could do) read only the drawing, so they stand while its path list's mark
// does; the rest (tool, history, clipboard, draft) is cheap and gathered every time.
void gatherPathFacts(MenuState& s, const TCvDocument& doc);
void gatherViewFacts(MenuState& s, const TCvWindow& canvas, const ShellHost& shell);

// The tool after and before `tool` in the cycle of the seven tools.
ToolKind nextTool(ToolKind tool);
ToolKind previousTool(ToolKind tool);

// The rules shared by several commands.
bool anySelected(const MenuState& s);
bool anyPaths(const MenuState& s);
bool segmentsOfSelection(const MenuState& s); // the anchor tool with a path selected
bool never(const MenuState& s);

} // namespace plumex
