// The Edit and Object menu commands on whole paths. Each ends a pen path in progress first:
// the floating anchor is no real anchor and must not be deleted around, copied or restacked.
#include "canvas/Window.h"

#include "commands/ObjectCommands.h"

using namespace plumex;

template <class Command> bool TCvWindow::runObjectCommand(Command command) {
    EndPenPath();
    if (!command(Document, penPath_)) return false;
    invalidateAll();
    Changed();
    return true;
}

bool TCvWindow::DeleteSelection() {
    return runObjectCommand(plumex::DeleteSelection);
}

bool TCvWindow::DeleteSegments() {
    return runObjectCommand(plumex::DeleteSegments);
}

bool TCvWindow::Dupe() {
    return runObjectCommand(plumex::Dupe);
}

bool TCvWindow::LayerFront() {
    return runObjectCommand(plumex::LayerFront);
}

bool TCvWindow::LayerBack() {
    return runObjectCommand(plumex::LayerBack);
}
