#include "PageTestRig.h"

#include <DialogTestSupport.h>

#include "dialogs/FireKeyDialog.h"
#include "dialogs/SingleKeyDialog.h"
#include "config/ConfigImage.h"
#include "skin/DialogLayout.h"
#include "skin/MainWindowLayout.h"
#include "skin/PopupListSet.h"
#include "config/StrIniSettings.h"

#include <QListWidget>

#include <array>

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::test;

namespace {

// Linux input code of the right Ctrl key.
constexpr quint32 kRightCtrl = 97;
constexpr int kRightCtrlPosition = 44;

// Opens the dialog's choice list, picks the row and ends the dialog with OK.
ScriptedPrompter::DialogAnswer choose(int row)
{
    return [row](QDialog& dialog) {
        auto& choice = dynamic_cast<ChoiceDialog&>(dialog);
        choice.show();
        dialogtest::click(choice, choice.choiceLayout().face.center());
        dialogtest::clickRow(*choice.choiceList(), row);
        dialogtest::click(choice, dialoglayout::kOk.center());
        return choice.result();
    };
}

ScriptedPrompter::DialogAnswer fireKey(int row, const QString& times, const QString& make, const QString& brk)
{
    return [=](QDialog& dialog) {
        auto& fire = dynamic_cast<FireKeyDialog&>(dialog);
        fire.show();
        dialogtest::click(fire, fire.choiceLayout().face.center());
        fire.choiceList()->scrollToItem(fire.choiceList()->item(row));
        dialogtest::clickRow(*fire.choiceList(), row);
        fire.numberBox(FireKeyDialog::NumberBox::Times)->setText(times);
        fire.numberBox(FireKeyDialog::NumberBox::MakeTime)->setText(make);
        fire.numberBox(FireKeyDialog::NumberBox::BreakTime)->setText(brk);
        dialogtest::click(fire, dialoglayout::kOk.center());
        return fire.result();
    };
}

ScriptedPrompter::DialogAnswer pressRightCtrl()
{
    return [](QDialog& dialog) {
        dialog.show();
        dialogtest::press(dialog, Qt::Key_Control, kRightCtrl, Qt::ControlModifier);
        dialogtest::release(dialog, Qt::Key_Control, kRightCtrl);
        dialogtest::click(dialog, dialoglayout::kOk.center());
        return dialog.result();
    };
}

ScriptedPrompter::DialogAnswer cancel()
{
    return [](QDialog& dialog) {
        dialog.show();
        dialogtest::click(dialog, dialoglayout::kCancel.center());
        return dialog.result();
    };
}

using Record = std::array<std::uint8_t, 2>;

// The two bytes of button i's record in a key group of page 3 (buttons 3 and 4 trade slots).
Record record(const ConfigImage& image, KeyGroup group, int button)
{
    const int slot = button == 3 ? 4 : button == 4 ? 3 : button;
    const auto page = image.page(3);
    const std::size_t at = ConfigImage::page3Buttons(group) +
                           2 * static_cast<std::size_t>(slot);
    return {page[at], page[at + 1]};
}

TEST(KeyDialogs, EachFunctionStoresItsDialogsResultAndCaption)
{
    PageTestRig rig;
    rig.startWith(defaultSettingsRecord(), 0);
    rig.prompter.dialogs = {choose(8), choose(6), choose(7), fireKey(kRightCtrlPosition, "3", "40", "50"),
                            pressRightCtrl(), choose(11)};
    rig.chooseFunction(2, kWindowsRow);
    rig.chooseFunction(3, kMultimediaRow);
    rig.chooseFunction(4, kHotKeyRow);
    rig.chooseFunction(5, kFireKeyRow);
    rig.chooseFunction(6, kSingleKeyRow);
    rig.chooseFunction(7, kSnipeKeyRow);
    EXPECT_TRUE(rig.prompter.dialogs.empty());

    const SettingsRecord& settings = rig.settings();
    for (int button = 1; button < 7; ++button) {
        EXPECT_EQ(settings.keyFunction(kGroup1, button), kWindowsRow + button - 1) << button;
        EXPECT_EQ(settings.keyFunction(kGroup2, button), defaultSettingsRecord().keyFunction(kGroup2, button));
    }
    EXPECT_EQ(settings.windowsIndex(kGroup1, 1), 8);
    EXPECT_EQ(rig.caption(kGroup1, 1), "Browser-Refresh");
    EXPECT_EQ(settings.mediaIndex(kGroup1, 2), 6);
    EXPECT_EQ(rig.caption(kGroup1, 2), "Multimedia-Vol-");
    EXPECT_EQ(settings.hotKeyIndex(kGroup1, 3), 7);
    EXPECT_EQ(rig.caption(kGroup1, 3), "Undo");
    EXPECT_EQ(settings.fireKeyIndex(kGroup1, 4), kRightCtrlPosition);
    EXPECT_EQ(settings.fireKeyCode(kGroup1, 4), 0xE4);
    EXPECT_EQ(settings.fireTimes(kGroup1, 4), 3);
    EXPECT_EQ(settings.fireMakeTime(), 40);
    EXPECT_EQ(settings.fireBreakTime(), 50);
    EXPECT_EQ(rig.caption(kGroup1, 4), "Fire Key-R-CTRL");
    EXPECT_EQ(settings.singleKeyCode(kGroup1, 5), 0xE4);
    EXPECT_EQ(rig.caption(kGroup1, 5), "Single Key-Right Ctrl");
    EXPECT_EQ(settings.snipeIndex(kGroup1, 6), 11);
    EXPECT_EQ(settings.snipeDpiCode(), 0x28);
    EXPECT_EQ(rig.caption(kGroup1, 6), "Snipe Key-4000");

    // Through "Apply" to the button records the mouse holds.
    rig.click(mainlayout::kApply.center());
    const ConfigImage& image = rig.mouse->firmware().image();
    EXPECT_EQ(record(image, kGroup1, 1), (Record{0x0F, 0x02}));
    EXPECT_EQ(record(image, kGroup1, 2), (Record{0x06, 0x02}));
    EXPECT_EQ(record(image, kGroup1, 3), (Record{0x17, 0x02}));
    EXPECT_EQ(record(image, kGroup1, 4), (Record{0xE4, 0x83}));
    EXPECT_EQ(record(image, kGroup1, 5), (Record{0xE4, 0x00}));
    EXPECT_EQ(record(image, kGroup1, 6), (Record{0x0A, 0x03}));
    EXPECT_EQ(image.page(4)[ConfigImage::kPage4SnipeDpiCode], 0x28);
    EXPECT_EQ(image.page(4)[ConfigImage::kPage4FireMakeTime], 40);
    EXPECT_EQ(image.page(4)[ConfigImage::kPage4FireBreakTime], 50);
}

TEST(KeyDialogs, TheShownGroupTakesTheValuesAndTheFunctionListCloses)
{
    PageTestRig rig;
    rig.startWith(defaultSettingsRecord(), 1);
    rig.click(mainlayout::kModeB.center());
    // The chosen row closes the list before the sub-dialog shows.
    bool listUnderDialog = true;
    rig.prompter.dialogs = {[&rig, &listUnderDialog](QDialog& dialog) {
        listUnderDialog = rig.list(PopupListId::functionList(7)) != nullptr;
        return choose(1)(dialog);
    }};
    rig.chooseFunction(7, kSnipeKeyRow);
    EXPECT_FALSE(listUnderDialog);
    EXPECT_EQ(rig.list(PopupListId::functionList(7)), nullptr);
    EXPECT_EQ(rig.settings().keyFunction(kGroup2, 6), kSnipeKeyRow);
    EXPECT_EQ(rig.settings().snipeIndex(kGroup2, 6), 1);
    // Sensor type 1: "800" is code 02.
    EXPECT_EQ(rig.settings().snipeDpiCode(), 0x02);
    EXPECT_EQ(rig.caption(kGroup2, 6), "Snipe Key-800");
    EXPECT_EQ(rig.caption(kGroup1, 6), "DPI -");
    EXPECT_EQ(rig.settings().keyFunction(kGroup1, 6), 5);
}

TEST(KeyDialogs, ACancelledDialogChangesNothing)
{
    PageTestRig rig;
    rig.startWith();
    const SettingsRecord before = rig.settings();
    const auto captions = rig.dlg().resources().captions;
    rig.prompter.dialogs = {cancel(), cancel()};
    rig.chooseFunction(3, kFireKeyRow);
    EXPECT_EQ(rig.list(PopupListId::functionList(3)), nullptr);
    rig.chooseFunction(3, kSingleKeyRow);
    EXPECT_TRUE(rig.prompter.dialogs.empty());
    EXPECT_EQ(rig.settings(), before);
    EXPECT_EQ(rig.dlg().resources().captions, captions);
}

TEST(KeyDialogs, LeavingTheSharedShiftTakesTheOtherGroupAlongWithItsValues)
{
    PageTestRig rig;
    rig.startWith();
    rig.chooseFunction(4, kShiftRow);
    rig.prompter.dialogs = {choose(4)};
    rig.chooseFunction(4, kMultimediaRow);
    for (const KeyGroup group : {kGroup1, kGroup2}) {
        EXPECT_EQ(rig.settings().keyFunction(group, 3), kMultimediaRow);
        EXPECT_EQ(rig.settings().mediaIndex(group, 3), 4);
        EXPECT_EQ(rig.caption(group, 3), "Multimedia-Mute");
    }
}

} // namespace

namespace {

// Shows the dialog, records what it opened on, and ends it with OK untouched.
struct OpenedOn {
    int row = -1;
    QString times, make, brk, key;
};

ScriptedPrompter::DialogAnswer okUntouched(OpenedOn& seen)
{
    return [&seen](QDialog& dialog) {
        dialog.show();
        if (auto* choice = dynamic_cast<ChoiceDialog*>(&dialog))
            seen.row = choice->choice().index;
        if (auto* fire = dynamic_cast<FireKeyDialog*>(&dialog)) {
            seen.times = fire->numberBox(FireKeyDialog::NumberBox::Times)->text();
            seen.make = fire->numberBox(FireKeyDialog::NumberBox::MakeTime)->text();
            seen.brk = fire->numberBox(FireKeyDialog::NumberBox::BreakTime)->text();
        }
        if (auto* single = dynamic_cast<SingleKeyDialog*>(&dialog))
            seen.key = single->keyNameBox()->text();
        dialogtest::click(dialog, dialoglayout::kOk.center());
        return dialog.result();
    };
}

} // namespace

TEST(KeyDialogs, ADialogOpensOnWhatTheButtonHoldsAndOkUntouchedKeepsIt)
{
    SettingsRecord held = defaultSettingsRecord();
    held.setKeyFunction(kGroup1, 1, kFireKeyRow);
    held.setFireKeyIndex(kGroup1, 1, kRightCtrlPosition);
    held.setFireKeyCode(kGroup1, 1, 0xE4);
    held.setFireTimes(kGroup1, 1, 9);
    held.setFireMakeTime(77);
    held.setFireBreakTime(88);
    held.setKeyFunction(kGroup1, 2, kHotKeyRow);
    held.setHotKeyIndex(kGroup1, 2, 5);
    held.setKeyFunction(kGroup1, 3, kSingleKeyRow);
    held.setSingleKeyCode(kGroup1, 3, 0x04);
    PageTestRig rig;
    rig.startWith(held, 1);

    // Another button made a fire key: the mouse's timing is shown and kept.
    OpenedOn other;
    rig.prompter.dialogs = {okUntouched(other)};
    rig.chooseFunction(5, kFireKeyRow);
    EXPECT_EQ(other.make, "77");
    EXPECT_EQ(other.brk, "88");
    EXPECT_EQ(other.row, 0);
    EXPECT_EQ(rig.settings().fireMakeTime(), 77);
    EXPECT_EQ(rig.settings().fireBreakTime(), 88);

    // The fire key itself opens on its key and count.
    OpenedOn fire;
    OpenedOn hot;
    OpenedOn single;
    rig.prompter.dialogs = {okUntouched(fire), okUntouched(hot), okUntouched(single)};
    rig.chooseFunction(2, kFireKeyRow);
    rig.chooseFunction(3, kHotKeyRow);
    rig.chooseFunction(4, kSingleKeyRow);
    EXPECT_EQ(fire.row, kRightCtrlPosition);
    EXPECT_EQ(fire.times, "9");
    EXPECT_EQ(rig.settings().fireKeyIndex(kGroup1, 1), kRightCtrlPosition);
    EXPECT_EQ(rig.settings().fireTimes(kGroup1, 1), 9);
    EXPECT_EQ(rig.caption(kGroup1, 1), "Fire Key-R-CTRL");
    EXPECT_EQ(hot.row, 5);
    EXPECT_EQ(rig.settings().hotKeyIndex(kGroup1, 2), 5);
    EXPECT_EQ(single.key, "A");
    EXPECT_EQ(rig.settings().singleKeyCode(kGroup1, 3), 0x04);
    EXPECT_EQ(rig.caption(kGroup1, 3), "Single Key-A");
}

TEST(KeyDialogs, TheFireKeyDialogsNotesStayInsideItInTheProgramsFont)
{
    for (const std::string_view ini : {PageTestRig::kEnglishIni, std::string_view("[Skins]\nLan=CHS\nPath=Default\n"
                                                                                  "RColor=0\nGColor=255\nBColor=0\n")}) {
        PageTestRig rig;
        rig.writeStrIni(ini);
        rig.startWith();
        int greenAtTheEdge = -1;
        rig.prompter.dialogs = {[&greenAtTheEdge](QDialog& dialog) {
            auto& fire = dynamic_cast<FireKeyDialog&>(dialog);
            fire.show();
            // The notes' rows, along the dialog's right margin: no text colour there.
            const QImage& canvas = fire.canvas();
            greenAtTheEdge = 0;
            for (int y = 198; y < 240; ++y) {
                for (int x = canvas.width() - 12; x < canvas.width(); ++x) {
                    const QColor pixel = canvas.pixelColor(x, y);
                    greenAtTheEdge += pixel.green() > 2 * std::max(pixel.red(), pixel.blue()) + 40 ? 1 : 0;
                }
            }
            return int(QDialog::Rejected);
        }};
        rig.chooseFunction(5, kFireKeyRow);
        EXPECT_EQ(greenAtTheEdge, 0) << ini;
    }
}

TEST(KeyDialogs, CaptionsMissingFromStrIniAreMadeFromTheFunctionsAndStoredOnApply)
{
    SettingsRecord held = defaultSettingsRecord();
    held.setKeyFunction(kGroup1, 1, kFireKeyRow);
    held.setFireKeyIndex(kGroup1, 1, kRightCtrlPosition);
    held.setKeyFunction(kGroup1, 2, kHotKeyRow);
    held.setHotKeyIndex(kGroup1, 2, 7);
    held.setKeyFunction(kGroup1, 3, kDpiSwitchRow);
    held.setDpiSwitchMode(kGroup1, 3, 5);
    held.setKeyFunction(kGroup2, 4, kSingleKeyRow);
    held.setSingleKeyCode(kGroup2, 4, 0x04);
    // config.bin was applied before (first-run flag 1), but str.ini has no
    // captions for the language: as after "Lan" was changed by hand.
    PageTestRig rig;
    rig.startWith(held, 1, 1);
    EXPECT_EQ(rig.caption(kGroup1, 0), "Left Click");
    EXPECT_EQ(rig.caption(kGroup1, 1), "Fire Key-R-CTRL");
    EXPECT_EQ(rig.caption(kGroup1, 2), "Undo");
    EXPECT_EQ(rig.caption(kGroup1, 3), "DPI Loop");
    EXPECT_EQ(rig.caption(kGroup2, 4), "Single Key-A");

    rig.click(mainlayout::kApply.center());
    const StrIniSettings::Values stored = StrIniSettings(rig.program / "str.ini").read(Language::English);
    EXPECT_EQ(stored.captions[1], "Fire Key-R-CTRL");
    EXPECT_EQ(stored.captions[8 + 4], "Single Key-A");
}
