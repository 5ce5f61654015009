#pragma once

#include "config/KeyGroup.h"

#include <QPoint>

namespace kestrel {

// The main window's own buttons, answered by the main window.
class WindowClickActions {
public:
    virtual ~WindowClickActions() = default;
    virtual void ok() = 0;
    virtual void apply() = 0;
    virtual void openSkins() = 0;
    virtual void minimise() = 0;
    virtual void closeProgram() = 0;
    virtual void buildBasicPage() = 0;
    virtual void cancel() = 0;
};

// The hot rectangles of the basic page, answered by the page. Indices are
// 1-based as the page shows them: drop-down 1..7, mark 1..4, stage 1..4,
// DPI cell step 1..12 (1 is the bottom one).
class PageClickActions {
public:
    virtual ~PageClickActions() = default;
    virtual void showKeyGroup(KeyGroup group) = 0;
    virtual void defaultKeys() = 0;
    virtual void keyDropDown(int k) = 0;
    virtual void reportRateMark(int mark) = 0;
    virtual void stageSelectBox(int stage) = 0;
    virtual void colourSwatch(int stage) = 0;
    virtual void modeBox() = 0;
    virtual void parameterBox() = 0;
    virtual void effectBox() = 0;
    virtual void dpiCell(int stage, int step) = 0;
};

// What the surface itself does with a click: close the popup lists the
// click is not on, and move the window with the pointer.
class SurfaceActions {
public:
    virtual ~SurfaceActions() = default;
    virtual void closeListsAwayFrom(QPoint point) = 0;
    virtual void startDrag(QPoint point) = 0;
};

// Who answers a click. The page is absent until one has been built.
struct ClickTargets {
    WindowClickActions& window;
    PageClickActions* page;
    SurfaceActions& surface;
};

} // namespace kestrel
