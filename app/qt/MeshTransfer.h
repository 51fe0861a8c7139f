#pragma once
// File > Export > Mesh: every path as a closed prism or lathe mesh, binary STL or OBJ by the
// file name. The mesh is made on a worker thread with a progress dialog and Cancel; the
// dialog's fields and the folder are remembered while the program runs.

class QWidget;
class TCvWindow;

namespace plumex {

// Asks for the file, then the options, and writes it; a failure is reported and keeps the
// previous file. True when the file was written.
bool exportMeshDialog(QWidget* parent, const TCvWindow& canvas);

} // namespace plumex
