#pragma once
// The scene that shows the export of a selection in POV-Ray: the objects as the export writes
// them, with a fixed camera, light and floor placed from their size.

#include "export/PovOptions.h"

#include <string>
#include <vector>

namespace plumex {

// Where the objects of a preview lie in POV-Ray's space (x right, y up, z away from the camera).
struct PovBox {
    double minX = 0, minY = 0, minZ = 0;
    double maxX = 1, maxY = 1, maxZ = 1;
};

// The objects as the dialog state would export them, but always direct (named declarations
// would show nothing). Empty when the selection gives no object; an array is shown as a prism.
std::string PovPreviewObjects(const std::vector<TCvLine>& selection, PovMode mode,
                              const PovDlgState& dlg);

// A box around every control point of the objects: a prism stands between its two sweep
// heights with the drawing's y along z, a lathe turns its profile about its axis.
PovBox PovPreviewBounds(const std::vector<TCvLine>& selection, PovMode mode,
                        const PovDlgState& dlg);

// The whole scene text: a prism seen from above and in front, a lathe from the side, a light
// from the upper left and a chequered floor under the objects. The picture's proportions come
// from POV-Ray's +W and +H.
std::string PovPreviewScene(const std::vector<TCvLine>& selection, PovMode mode,
                            const PovDlgState& dlg);

} // namespace plumex
