#include "DialogTestSupport.h"

#include "dialogs/HotKeyDialog.h"
#include "dialogs/MediaKeyDialog.h"
#include "dialogs/SnipeKeyDialog.h"
#include "dialogs/WindowsKeyDialog.h"
#include "config/DeviceTables.h"
#include "skin/DialogLayout.h"

#include <QFont>
#include <QListWidget>
#include <QScrollBar>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace kestrel {
namespace {

using namespace dialogtest;

class ChoiceDialogsTest : public ::testing::Test {
protected:
    template <typename Dialog, typename... Extra>
    std::unique_ptr<Dialog> opened(Language language, Extra... extra)
    {
        auto dialog = std::make_unique<Dialog>(contextFor(prompter, TestSkins::builtDefault(), language), extra...,
                                               &opener);
        dialog->show();
        return dialog;
    }

    static QListWidget& openList(ChoiceDialog& dialog)
    {
        if (!dialog.isListOpen())
            click(dialog, dialog.choiceLayout().face.center());
        EXPECT_TRUE(dialog.isListOpen());
        return *dialog.choiceList();
    }

    // Opens the list, picks the row and ends the dialog with OK.
    static ChoiceResult choose(ChoiceDialog& dialog, int row)
    {
        clickRow(openList(dialog), row);
        click(dialog, dialoglayout::kOk.center());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        return dialog.choice();
    }

    ScriptedPrompter prompter;
    QWidget opener;
};

TEST_F(ChoiceDialogsTest, HotKeyRowsAreTheShortcutTableEntries)
{
    auto untouched = opened<HotKeyDialog>(Language::English);
    click(*untouched, dialoglayout::kOk.center());
    EXPECT_EQ(untouched->choice().index, 0);
    EXPECT_EQ(untouched->choice().label, "Copy");

    auto undo = opened<HotKeyDialog>(Language::English);
    EXPECT_EQ(choose(*undo, 7).index, 7);
    EXPECT_EQ(undo->choice().label, "Undo");
    EXPECT_EQ(DeviceTables::kShortcuts[2 * 7 + 1], 0x1D);

    auto traditional = opened<HotKeyDialog>(Language::TraditionalChinese);
    const ChoiceResult fourth = choose(*traditional, 3);
    EXPECT_EQ(fourth.index, 3);
    EXPECT_EQ(fourth.label, "全選");
}

TEST_F(ChoiceDialogsTest, MediaRowsAreTheFirstSevenConsumerEntries)
{
    auto untouched = opened<MediaKeyDialog>(Language::English);
    click(*untouched, dialoglayout::kOk.center());
    EXPECT_EQ(untouched->choice().index, 0);
    EXPECT_EQ(untouched->choice().label, "Next");
    EXPECT_EQ(DeviceTables::kConsumerUsages[0], 0x00B5);

    auto volumeDown = opened<MediaKeyDialog>(Language::English);
    EXPECT_EQ(openList(*volumeDown).count(), 7);
    const ChoiceResult chosen = choose(*volumeDown, 6);
    EXPECT_EQ(chosen.index, 6);
    EXPECT_EQ(chosen.label, "Vol-");
    EXPECT_EQ(DeviceTables::kConsumerUsages[static_cast<std::size_t>(chosen.index)], 0x00EA);
}

TEST_F(ChoiceDialogsTest, WindowsRowsAreTheLastNineConsumerEntriesInATallerList)
{
    auto untouched = opened<WindowsKeyDialog>(Language::English);
    click(*untouched, dialoglayout::kOk.center());
    EXPECT_EQ(untouched->choice().label, "Multimedia Player");
    EXPECT_EQ(DeviceTables::kConsumerUsages[DeviceTables::kFirstWindowsUsage + 0], 0x0183);

    auto refresh = opened<WindowsKeyDialog>(Language::English);
    EXPECT_EQ(openList(*refresh).geometry(), dialoglayout::kWindowsChoiceList);
    const ChoiceResult chosen = choose(*refresh, 8);
    EXPECT_EQ(chosen.index, 8);
    EXPECT_EQ(chosen.label, "Browser-Refresh");
    EXPECT_EQ(DeviceTables::kConsumerUsages[DeviceTables::kFirstWindowsUsage + 8], 0x0227);
}

TEST_F(ChoiceDialogsTest, ListsWithoutWheelHandlingShowEveryRowWithoutScrolling)
{
    auto hotKey = opened<HotKeyDialog>(Language::English);
    auto media = opened<MediaKeyDialog>(Language::SimplifiedChinese);
    auto windows = opened<WindowsKeyDialog>(Language::English);
    for (ChoiceDialog* dialog : std::initializer_list<ChoiceDialog*>{hotKey.get(), media.get(), windows.get()}) {
        QListWidget& list = openList(*dialog);
        const QRect last = list.visualItemRect(list.item(list.count() - 1));
        EXPECT_LT(last.bottom(), list.viewport()->height()) << list.item(0)->text().toStdString();
        EXPECT_FALSE(list.verticalScrollBar()->isVisible());
        wheel(*list.viewport(), rowPoint(list, 0), -120);
        EXPECT_EQ(list.verticalScrollBar()->value(), 0);
    }
}

TEST_F(ChoiceDialogsTest, SnipeRowsFollowTheSensorType)
{
    struct Case {
        std::uint8_t sensor;
        int row;
        const char* label;
        std::uint8_t code;
        int rows;
    };
    for (const Case& c : {Case{1, -1, "600", 0x01, 8}, Case{0, 11, "4000", 0x28, 12}, Case{2, 7, "2500", 0x2A, 8},
                          Case{3, 3, "1600", 0x04, 8}}) {
        auto dialog = opened<SnipeKeyDialog>(Language::English, c.sensor);
        if (c.row < 0) {
            click(*dialog, dialoglayout::kOk.center());
        } else {
            EXPECT_EQ(openList(*dialog).count(), c.rows);
            choose(*dialog, c.row);
        }
        EXPECT_EQ(dialog->choice().index, std::max(c.row, 0));
        EXPECT_EQ(dialog->choice().label, c.label);
        EXPECT_EQ(dialog->dpiCode(), c.code);
    }
}

TEST_F(ChoiceDialogsTest, ASensorTypeWithoutLevelsGivesAnEmptyLabelAndAnEmptyList)
{
    auto dialog = opened<SnipeKeyDialog>(Language::English, std::uint8_t{7});
    EXPECT_EQ(dialog->choiceBox()->text(), "");
    EXPECT_EQ(openList(*dialog).count(), 0);
    click(*dialog, dialoglayout::kOk.center());
    EXPECT_EQ(dialog->choice().index, 0);
    EXPECT_EQ(dialog->choice().label, "");
    EXPECT_EQ(dialog->dpiCode(), 0);
}

TEST_F(ChoiceDialogsTest, TheWheelScrollsTheSnipeListThreeRowsANotch)
{
    auto dialog = opened<SnipeKeyDialog>(Language::English, std::uint8_t{0});
    // Without a list the wheel does nothing.
    wheel(*dialog, {300, 100}, -120);
    QListWidget& list = openList(*dialog);
    // Twelve levels with rows of a full line: more than three rows lie out of view.
    ASSERT_GT(list.verticalScrollBar()->maximum(), 3);
    wheel(*dialog, {300, 100}, -120);
    EXPECT_EQ(list.verticalScrollBar()->value(), 3);
    wheel(*list.viewport(), rowPoint(list, 3), 120);
    EXPECT_EQ(list.verticalScrollBar()->value(), 0);
    // A wheel delta of zero scrolls down.
    wheel(*list.viewport(), rowPoint(list, 3), 0);
    EXPECT_EQ(list.verticalScrollBar()->value(), 3);
}

TEST_F(ChoiceDialogsTest, TheFaceTogglesTheListAndARowUnderThePointerIsSelectedWithoutChoosing)
{
    auto dialog = opened<HotKeyDialog>(Language::English);
    QListWidget& list = openList(*dialog);
    EXPECT_EQ(list.geometry(), dialoglayout::kChoiceList);
    EXPECT_EQ(list.count(), 8);
    moveOverRow(list, 5);
    EXPECT_EQ(list.currentRow(), 5);
    EXPECT_EQ(dialog->choice().index, 0);
    EXPECT_TRUE(dialog->isListOpen());

    // A click on the face (on the static box too) closes the list; the next opens it again.
    click(*dialog, dialoglayout::kChoiceBox.center());
    settle();
    EXPECT_FALSE(dialog->isListOpen());
    EXPECT_EQ(dialog->choiceList(), nullptr);
    click(*dialog, dialoglayout::kChoiceFace.center());
    QListWidget& again = *dialog->choiceList();
    EXPECT_EQ(again.currentRow(), -1);
}

TEST_F(ChoiceDialogsTest, ClickAndDoubleClickChooseTheRowAndCloseTheList)
{
    auto clicked = opened<MediaKeyDialog>(Language::English);
    QListWidget& list = openList(*clicked);
    moveOverRow(list, 3);
    clickRow(list, 3);
    settle();
    EXPECT_FALSE(clicked->isListOpen());
    EXPECT_EQ(clicked->choice().index, 3);
    EXPECT_EQ(clicked->choice().label, "Play/Pause");
    EXPECT_EQ(clicked->choiceBox()->text(), "Play/Pause");

    auto doubled = opened<MediaKeyDialog>(Language::English);
    QListWidget& doubledList = openList(*doubled);
    doubleClick(*doubledList.viewport(), rowPoint(doubledList, 4));
    settle();
    EXPECT_FALSE(doubled->isListOpen());
    EXPECT_EQ(doubled->choice().label, "Mute");
}

TEST_F(ChoiceDialogsTest, AClickUnderTheLastRowChoosesTheHighlightedRow)
{
    auto dialog = opened<HotKeyDialog>(Language::English);
    QListWidget& list = openList(*dialog);
    const QRect last = list.visualItemRect(list.item(list.count() - 1));
    const QPoint band(last.center().x(), list.viewport()->height() - 2);
    ASSERT_GT(band.y(), last.bottom());
    move(*list.viewport(), band);
    EXPECT_EQ(list.currentRow(), 7);
    click(*list.viewport(), band);
    settle();
    EXPECT_FALSE(dialog->isListOpen());
    EXPECT_EQ(dialog->choice().index, 7);
    EXPECT_EQ(dialog->choice().label, "Undo");
    EXPECT_EQ(dialog->choiceBox()->text(), "Undo");
}

TEST_F(ChoiceDialogsTest, APressAwayFromTheListClosesItFirstAndOkKeepsTheChoiceSoFar)
{
    auto dialog = opened<HotKeyDialog>(Language::English);
    clickRow(openList(*dialog), 2);
    openList(*dialog);
    // A press on a plain spot closes the list and changes nothing.
    click(*dialog, {300, 60});
    settle();
    EXPECT_FALSE(dialog->isListOpen());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->choice().label, "Paste");

    QListWidget& list = openList(*dialog);
    moveOverRow(list, 6);
    click(*dialog, dialoglayout::kOk.center());
    settle();
    EXPECT_FALSE(dialog->isListOpen());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->choice().index, 2);
}

TEST_F(ChoiceDialogsTest, EscapeWithTheListOpenCancelsAndTheNextDialogStartsClosed)
{
    auto dialog = opened<WindowsKeyDialog>(Language::English);
    openList(*dialog);
    pressKey(*dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    auto next = opened<WindowsKeyDialog>(Language::English);
    EXPECT_FALSE(next->isListOpen());
}

TEST_F(ChoiceDialogsTest, ALabelWiderThanTheBoxEndsInAnEllipsis)
{
    auto dialog = opened<WindowsKeyDialog>(Language::English);
    EXPECT_EQ(dialog->choice().label, "Multimedia Player");
    const QString shown = dialog->choiceBox()->text();
    EXPECT_TRUE(shown == "Multimedia Player" || shown.endsWith(QChar(0x2026)));
    EXPECT_EQ(dialog->choiceBox()->toolTip(), "Multimedia Player");
}

} // namespace
} // namespace kestrel
