#pragma once
// SVG through the File menu: Import reads a file's shapes into the drawing, Export > SVG
// writes every path. Each remembers its folder while the program runs; Import also remembers
// its "Make holes" and "Filled shapes only" choices.

class QWidget;
class TCvWindow;

namespace plumex {

// Asks for an SVG file and adds its shapes on top, selected, as one undo step. A file that
// cannot be read is reported in an error box and changes nothing. True when paths were added.
bool importSvgDialog(QWidget* parent, TCvWindow& canvas);

// Asks for the file and writes every path of the drawing; a failure is reported and keeps the
// previous file. True when the file was written.
bool exportSvgDialog(QWidget* parent, const TCvWindow& canvas);

} // namespace plumex
