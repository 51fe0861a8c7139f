#pragma once
// The program's cursor table 1 to 10, drawn in code, and the system shapes for the rest.

#include "canvas/CanvasHost.h"

#include <QCursor>

namespace plumex {

QCursor shellCursor(CursorShape shape);

} // namespace plumex
