#pragma once

#include "skin/HoverItems.h"

#include "config/KeyGroup.h"
#include "config/TextTable.h"

#include <QString>

namespace kestrel {

class MainWindowSkin;
class SkinPainter;

// The fixed frame of the basic settings page, drawn in the order the page
// build composes it: the page artwork, the window and captioned buttons,
// the key drop-downs with their digits and captions, the page title and
// section headings, and the two key group buttons (the shown one hovered).
// The report-rate, DPI and lighting sections are drawn by their own page.
class BasicPageFrame {
public:
    static void draw(SkinPainter& painter, const MainWindowSkin& skin, const TextTable& texts, KeyGroup shownGroup);
    // "Mode A" and "Mode B", the shown group's button with its hover image.
    static void drawKeyGroupButtons(SkinPainter& painter, KeyGroup shownGroup);
    // The caption of "OK", "Apply", "Cancel" or "Default"; empty for other items.
    static QString buttonCaption(const TextTable& texts, HoverId id);
};

} // namespace kestrel
