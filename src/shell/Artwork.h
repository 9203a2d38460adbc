#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures: its logo, and the toolbar icons, taken from the desktop's icon theme
// with a built-in picture where the theme has none.
namespace Artwork {

QPixmap Logo();
QIcon WindowIcon();
// The icon for a toolbar command; a null icon for a command without one.
QIcon CommandIcon(int id);

} // namespace Artwork
