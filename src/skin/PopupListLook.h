#pragma once

class QFont;
class QListWidget;

namespace kestrel {

// How the popup lists look, in keeping with the skin: a thin border in the
// artwork's grey, a dark scroll bar shown only when the rows do not all fit,
// and rows that share the list's height so that every row fits when it can;
// rows too wide for the list are set smaller, all alike, rather than cut.
// The main window's lists mark the chosen row in the artwork's dark grey; the
// sub-dialogs' lists in the system's highlight, with a rounded scroll handle.
class PopupListLook {
public:
    static void forWindow(QListWidget& list, const QFont& font);
    static void forDialog(QListWidget& list, const QFont& font);
};

} // namespace kestrel
