#include "skin/ControlColours.h"

#include <QPalette>
#include <QWidget>

namespace kestrel {

ControlColourRule ControlColours::listBoxRule() { return {QColor(Qt::white), QColor(Qt::black), true}; }

ControlColourRule ControlColours::ruleFor(ChildKind kind, int identifier, const SettingsRecord& settings,
                                          const QColor& skinText)
{
    switch (kind) {
    case ChildKind::ListBox:
        return listBoxRule();
    case ChildKind::Static:
        if (identifier >= kFirstSwatchId && identifier <= kLastSwatchId) {
            const Rgb colour = settings.dpiColor(identifier - kFirstSwatchId);
            return {std::nullopt, QColor(colour.r, colour.g, colour.b), false};
        }
        if (identifier >= kFirstValueBoxId && identifier <= kLastValueBoxId)
            return {skinText, QColor(Qt::black), true};
        return {};
    case ChildKind::Other:
        return {};
    }
    return {};
}

void ControlColours::apply(QWidget& child, const ControlColourRule& rule, const QFont& normalFont)
{
    QPalette palette = child.palette();
    if (rule.text) {
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
            palette.setColor(role, *rule.text);
    }
    if (rule.brush) {
        for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base})
            palette.setColor(role, *rule.brush);
        child.setAutoFillBackground(true);
    }
    child.setPalette(palette);
    if (rule.normalFont)
        child.setFont(normalFont);
}

} // namespace kestrel
