#include "skin/ControlColours.h"

#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(ControlColoursTest, TheTableColoursListsSwatchesAndValueBoxes)
{
    SettingsRecord settings;
    settings.setDpiColor(0, {255, 0, 0});
    settings.setDpiColor(3, {1, 2, 3});
    const QColor skinText(230, 230, 230);

    const ControlColourRule list = ControlColours::ruleFor(ChildKind::ListBox, 41, settings, skinText);
    EXPECT_EQ(list.text, QColor(Qt::white));
    EXPECT_EQ(list.brush, QColor(Qt::black));
    EXPECT_TRUE(list.normalFont);

    const ControlColourRule first = ControlColours::ruleFor(ChildKind::Static, 71, settings, skinText);
    EXPECT_FALSE(first.text);
    EXPECT_EQ(first.brush, QColor(255, 0, 0));
    EXPECT_EQ(ControlColours::ruleFor(ChildKind::Static, 74, settings, skinText).brush, QColor(1, 2, 3));

    for (const int box : {80, 81, 82}) {
        const ControlColourRule value = ControlColours::ruleFor(ChildKind::Static, box, settings, skinText);
        EXPECT_EQ(value.text, skinText);
        EXPECT_EQ(value.brush, QColor(Qt::black));
        EXPECT_TRUE(value.normalFont);
    }
    for (const int other : {70, 75, 79, 83}) {
        const ControlColourRule plain = ControlColours::ruleFor(ChildKind::Static, other, settings, skinText);
        EXPECT_FALSE(plain.text || plain.brush || plain.normalFont) << other;
    }
    const ControlColourRule edit = ControlColours::ruleFor(ChildKind::Other, 71, settings, skinText);
    EXPECT_FALSE(edit.text || edit.brush);
}

TEST(ControlColoursTest, ApplyingARuleSetsPaletteAndFont)
{
    QFont normal;
    normal.setPixelSize(17);
    QLabel swatch;
    ControlColours::apply(swatch, {std::nullopt, QColor(9, 8, 7), false}, normal);
    EXPECT_EQ(swatch.palette().color(QPalette::Window), QColor(9, 8, 7));
    EXPECT_TRUE(swatch.autoFillBackground());
    EXPECT_NE(swatch.font().pixelSize(), 17);

    QLabel value;
    ControlColours::apply(value, {QColor(44, 0, 0), QColor(Qt::black), true}, normal);
    EXPECT_EQ(value.palette().color(QPalette::WindowText), QColor(44, 0, 0));
    EXPECT_EQ(value.font().pixelSize(), 17);
}

} // namespace
} // namespace kestrel
