#include "PageTestRig.h"

#include "skin/MainWindowLayout.h"
#include "skin/PopupListSet.h"

#include <QImage>
#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::test;

namespace {

SettingsRecord withLighting(std::uint8_t mode, std::uint8_t brightness, std::uint8_t period)
{
    SettingsRecord settings = defaultSettingsRecord();
    settings.setLedMode(mode);
    settings.setLedBrightness(brightness);
    settings.setLedPeriod(period);
    for (int effect = 0; effect < SettingsRecord::kEffectCount; ++effect)
        settings.setEffect(effect, 0);
    return settings;
}

struct LightingRig : PageTestRig {
    QString text(const QRect& box)
    {
        const QLabel* label = labelAt(box);
        return label == nullptr ? QStringLiteral("<none>") : label->text();
    }
    QString mode() { return text(mainlayout::kModeValue); }
    QString parameter() { return text(mainlayout::kParameterValue); }
    QString effect() { return text(mainlayout::kEffectValue); }
    // Opens the mode list from its box and chooses the row.
    void chooseMode(int row)
    {
        click(mainlayout::kModeBox.center());
        chooseRow(PopupListId::lightingModeList(), row);
    }
    QColor swatchColour(int stage)
    {
        return labelAt(mainlayout::colourSwatch(stage))->palette().color(QPalette::Window);
    }
};

TEST(LightingPanel, TheBoxesShowTheStoredMode)
{
    LightingRig rig;
    rig.startWith(withLighting(1, 9, 0));
    EXPECT_EQ(rig.mode(), "Standard");
    EXPECT_EQ(rig.parameter(), "100%");
    EXPECT_EQ(rig.effect(), "Non-Disolay");
    const QLabel* box = rig.labelAt(mainlayout::kModeValue);
    EXPECT_EQ(box->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(box->palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_EQ(box->alignment(), Qt::AlignCenter);
    EXPECT_TRUE(box->testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST(LightingPanel, ValuesOutsideTheirTablesShowEmptyTexts)
{
    SettingsRecord settings = withLighting(1, 20, 0);
    settings.setEffect(0, 9);
    LightingRig rig;
    rig.startWith(settings);
    EXPECT_EQ(rig.parameter(), "");
    EXPECT_EQ(rig.effect(), "");
}

TEST(LightingPanel, NeonIsShownButCannotBeChosen)
{
    SettingsRecord settings = withLighting(3, 0, 0);
    settings.setNeonPeriod(4);
    settings.setEffect(2, 3);
    LightingRig rig;
    rig.startWith(settings);
    EXPECT_EQ(rig.mode(), "Neon");
    EXPECT_EQ(rig.parameter(), "2.5S");
    EXPECT_EQ(rig.effect(), "RGB Fixed On");
    rig.click(mainlayout::kModeBox.center());
    QListWidget* list = rig.list(PopupListId::lightingModeList());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->geometry(), mainlayout::kModeList);
    EXPECT_EQ(list->count(), 3);
    // Neither the parameter nor the effect box reacts in Neon.
    rig.click(mainlayout::kParameterBox.center());
    EXPECT_EQ(rig.list(PopupListId::lightingParameterList()), nullptr);
    rig.click(mainlayout::kEffectBox.center());
    EXPECT_EQ(rig.effect(), "RGB Fixed On");
}

TEST(LightingPanel, ChoosingAModeShowsItsStoredParameterAndTheRgbEffect)
{
    LightingRig rig;
    rig.startWith(withLighting(1, 9, 2));
    rig.chooseMode(2);
    EXPECT_EQ(rig.list(PopupListId::lightingModeList()), nullptr);
    EXPECT_EQ(rig.settings().ledMode(), 2);
    EXPECT_EQ(rig.mode(), "Respiration");
    EXPECT_EQ(rig.parameter(), "6S");
    EXPECT_EQ(rig.effect(), "RGB Effect");
    // The effect byte is only shown, never changed.
    EXPECT_EQ(rig.settings().effect(1), 0);
}

TEST(LightingPanel, OffEmptiesTheBoxesAndOpensNoParameterList)
{
    LightingRig rig;
    rig.startWith(withLighting(2, 0, 1));
    rig.chooseMode(0);
    EXPECT_EQ(rig.mode(), "Off");
    EXPECT_EQ(rig.parameter(), "");
    EXPECT_EQ(rig.effect(), "");
    rig.click(mainlayout::kParameterBox.center());
    EXPECT_EQ(rig.list(PopupListId::lightingParameterList()), nullptr);
    rig.click(mainlayout::kEffectBox.center());
    EXPECT_EQ(rig.effect(), "");
}

TEST(LightingPanel, OffAtBuildShowsSunkenEmptyBoxes)
{
    LightingRig rig;
    rig.startWith(withLighting(0, 3, 3));
    EXPECT_EQ(rig.mode(), "Off");
    EXPECT_EQ(rig.parameter(), "");
    EXPECT_EQ(rig.labelAt(mainlayout::kParameterValue)->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(rig.labelAt(mainlayout::kEffectValue)->frameShadow(), QFrame::Sunken);
    EXPECT_EQ(rig.labelAt(mainlayout::kModeValue)->frameShape(), QFrame::NoFrame);
}

TEST(LightingPanel, OffBoxesAreVisiblyInsetInTheirRectangles)
{
    LightingRig rig;
    rig.startWith(withLighting(0, 3, 3));
    for (const QRect& rect : {mainlayout::kParameterValue, mainlayout::kEffectValue}) {
        QLabel* box = rig.labelAt(rect);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->geometry(), rect);
        const QImage look = box->grab().toImage();
        const auto grey = [&look](int x, int y) { return qGray(look.pixel(x, y)); };
        const int middle = look.width() / 2;
        const int centre = grey(middle, look.height() / 2);
        const int upper = grey(middle, 0);
        const int left = grey(0, look.height() / 2);
        const int lower = grey(middle, look.height() - 1);
        const int right = grey(look.width() - 1, look.height() / 2);
        // The upper and left edges show against the black floor...
        EXPECT_GE(upper - centre, 40);
        EXPECT_GE(left - centre, 40);
        // ...darker than the lit lower and right ones, as the walls of a well.
        EXPECT_GE(lower - upper, 60);
        EXPECT_GE(right - left, 60);
        // Two pixels deep: the inner walls lie between the outer ones and the floor.
        EXPECT_LT(grey(middle, 1), upper);
        EXPECT_LT(grey(middle, look.height() - 2), lower);
    }
}

TEST(LightingPanel, AnUnknownModeMakesTheBoxesOnceAModeIsChosen)
{
    LightingRig rig;
    rig.startWith(withLighting(9, 4, 0));
    EXPECT_EQ(rig.mode(), "");
    EXPECT_EQ(rig.parameter(), "<none>");
    rig.chooseMode(1);
    EXPECT_EQ(rig.mode(), "Standard");
    EXPECT_EQ(rig.parameter(), "45%");
    EXPECT_EQ(rig.effect(), "RGB Effect");
}

TEST(LightingPanel, TheParameterListFollowsTheMode)
{
    LightingRig rig;
    rig.startWith(withLighting(1, 9, 0));
    rig.click(mainlayout::kParameterBox.center());
    QListWidget* list = rig.list(PopupListId::lightingParameterList());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->geometry(), mainlayout::kParameterListLong);
    EXPECT_EQ(list->count(), 10);
    rig.chooseRow(PopupListId::lightingParameterList(), 3);
    EXPECT_EQ(rig.settings().ledBrightness(), 3);
    EXPECT_EQ(rig.parameter(), "35%");
    EXPECT_EQ(rig.list(PopupListId::lightingParameterList()), nullptr);

    rig.chooseMode(2);
    rig.click(mainlayout::kParameterBox.center());
    list = rig.list(PopupListId::lightingParameterList());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->geometry(), mainlayout::kParameterListShort);
    EXPECT_EQ(list->count(), 5);
    rig.chooseRow(PopupListId::lightingParameterList(), 4);
    EXPECT_EQ(rig.settings().ledPeriod(), 4);
    EXPECT_EQ(rig.settings().ledBrightness(), 3);
    EXPECT_EQ(rig.parameter(), "4S");

    // A second press on its box closes a list.
    rig.click(mainlayout::kParameterBox.center());
    rig.click(mainlayout::kParameterBox.center());
    EXPECT_EQ(rig.list(PopupListId::lightingParameterList()), nullptr);
    rig.click(mainlayout::kModeBox.center());
    rig.click(mainlayout::kModeBox.center());
    EXPECT_EQ(rig.list(PopupListId::lightingModeList()), nullptr);
}

TEST(LightingPanel, TheEffectBoxShowsTheRgbEffectInStandardAndRespiration)
{
    LightingRig rig;
    rig.startWith(withLighting(1, 0, 0));
    EXPECT_EQ(rig.effect(), "Non-Disolay");
    rig.click(mainlayout::kEffectBox.center());
    EXPECT_EQ(rig.effect(), "RGB Effect");
    EXPECT_EQ(rig.settings().effect(0), 0);
}

TEST(LightingPanel, SwatchesPickColoursOnlyForStagesInUse)
{
    SettingsRecord settings = defaultSettingsRecord();
    settings.setDpiEnabled(1, 0);
    LightingRig rig;
    rig.startWith(settings);
    EXPECT_EQ(rig.swatchColour(1), QColor(255, 0, 0));
    EXPECT_EQ(rig.swatchColour(2), QColor(0, 255, 0));

    rig.prompter.colours = {QColor(10, 20, 30)};
    rig.click(mainlayout::colourSwatch(2).center());
    EXPECT_EQ(rig.prompter.colours.size(), 1u);
    EXPECT_EQ(rig.settings().dpiColor(1), (Rgb{0, 255, 0}));

    rig.click(mainlayout::stageSelectBox(2).center());
    rig.click(mainlayout::colourSwatch(2).center());
    EXPECT_TRUE(rig.prompter.colours.empty());
    EXPECT_EQ(rig.settings().dpiColor(1), (Rgb{10, 20, 30}));
    EXPECT_EQ(rig.swatchColour(2), QColor(10, 20, 30));

    // A cancelled chooser changes nothing.
    rig.prompter.colours = {std::nullopt};
    rig.click(mainlayout::colourSwatch(1).center());
    EXPECT_EQ(rig.settings().dpiColor(0), (Rgb{255, 0, 0}));
    rig.prompter.colours = {QColor(255, 0, 0)};
    rig.settings().setDpiColor(0, Rgb{1, 1, 1});
    rig.click(mainlayout::colourSwatch(1).center());
    EXPECT_EQ(rig.settings().dpiColor(0), (Rgb{255, 0, 0}));
    EXPECT_EQ(rig.swatchColour(1), QColor(255, 0, 0));
}

TEST(LightingPanel, ARebuildMakesEachControlOnce)
{
    LightingRig rig;
    rig.startWith();
    const auto count = rig.dlg().findChildren<QLabel*>(Qt::FindDirectChildrenOnly).size();
    EXPECT_GE(count, 7);
    rig.click(mainlayout::kModeBox.center());
    rig.dlg().pages().rebuild();
    EXPECT_EQ(rig.dlg().findChildren<QLabel*>(Qt::FindDirectChildrenOnly).size(), count);
    EXPECT_EQ(rig.list(PopupListId::lightingModeList()), nullptr);
}

} // namespace
