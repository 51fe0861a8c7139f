#pragma once
// The pictures of the tool and option buttons (small SVG files built into the program, sharp
// at any screen density), the language icon and the window icon (drawn in code).

#include <QIcon>
#include <QPixmap>

namespace plumex {

// Tools 0 to 6 (the text tool shows a letter instead and gets an empty icon).
QIcon toolIcon(int tool);
// Option buttons by tag 1 to 12 (4, the grid size button, shows a caption instead).
QIcon optionIcon(int tag);
// The globe drawn in the language panel of the status bar.
QPixmap earthPicture();
QIcon programIcon();

} // namespace plumex
