#pragma once
// The mesh export dialog's fields as typed, without the dialog; kept for the whole run.

#include "export/MeshOptions.h"

#include <string>

namespace plumex {

struct MeshDlgState {
    MeshForm form = MeshForm::Prism;
    std::string height = "1";
    std::string tolerance = "0"; // 0: automatic
    std::string segments = std::to_string(DefaultLatheSegments);
    std::string mmPerUnit = "1";

    // The options the fields give; false when a field is not a number in its range (the
    // prism's height only counts for a prism, the segments only for a lathe).
    bool options(MeshOptions& out) const;
};

} // namespace plumex
