#include "commands/ImportPaths.h"

namespace plumex {

bool ImportPaths(TCvDocument& doc, const std::vector<TCvLine>& paths, int penPath) {
    if (paths.empty()) return false;
    doc.Record(penPath);
    doc.DeselectPaths();
    std::vector<TCvLine> added = paths;
    for (TCvLine& line : added) {
        line.locked = 0;
        line.visible = 1;
        line.SelectAll(true);
    }
    doc.Append(added);
    return true;
}

} // namespace plumex
