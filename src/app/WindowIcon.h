#pragma once

#include <QIcon>

namespace kestrel {

// The program's icon, for the window and the notification area: a mouse seen
// from above, drawn at the sizes desktops ask for.
class WindowIcon {
public:
    static QIcon make();
};

} // namespace kestrel
