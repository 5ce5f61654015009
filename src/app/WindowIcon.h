#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

namespace kestrel {

// The program's icon, for the window, the notification area and the desktop's
// menus: a mouse seen from above. One set of shapes gives both the pixel
// images and the scalable (SVG) form.
class WindowIcon {
public:
    static QIcon make();
    static QImage draw(int size);
    static QString svg();
};

} // namespace kestrel
