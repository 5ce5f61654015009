#pragma once

#include "config/SettingsRecord.h"

#include <QColor>
#include <QFont>

#include <optional>

class QWidget;

namespace kestrel {

// The kinds of native child the main window has.
enum class ChildKind { ListBox, Static, Other };

// How one native child is coloured: its text colour, the colour of its
// background brush, and whether it takes the normal font. An absent colour
// leaves the toolkit's default.
struct ControlColourRule {
    std::optional<QColor> text;
    std::optional<QColor> brush;
    bool normalFont = false;
};

// The main window's control colours: popup lists white on black; the stage
// swatches (statics 71 to 74) in their stage's colour; the lighting value
// boxes (statics 80 to 82) in the skin text colour on black; anything else
// as the toolkit draws it.
class ControlColours {
public:
    static constexpr int kFirstSwatchId = 71;
    static constexpr int kLastSwatchId = 74;
    static constexpr int kFirstValueBoxId = 80;
    static constexpr int kLastValueBoxId = 82;

    // The popup lists' rule, the same for every list.
    static ControlColourRule listBoxRule();
    static ControlColourRule ruleFor(ChildKind kind, int identifier, const SettingsRecord& settings,
                                     const QColor& skinText);
    // Sets the child's palette (and font) from the rule; call again to
    // repaint a swatch after its stage colour changed.
    static void apply(QWidget& child, const ControlColourRule& rule, const QFont& normalFont);
};

} // namespace kestrel
