#include "DialogTestSupport.h"

#include "dialogs/FireKeyDialog.h"
#include "skin/DialogLayout.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace kestrel {
namespace {

using namespace dialogtest;
using Box = FireKeyDialog::NumberBox;

class FireKeyDialogTest : public ::testing::Test {
protected:
    FireKeyDialogTest()
    {
        dialog.show();
        dialog.activateWindow();
        QApplication::processEvents();
    }

    QLineEdit& box(Box which) const
    {
        QLineEdit* found = dialog.numberBox(which);
        EXPECT_NE(found, nullptr);
        return *found;
    }
    void focus(Box which)
    {
        box(which).setFocus(Qt::TabFocusReason);
        EXPECT_TRUE(box(which).hasFocus());
    }
    void typeInto(Box which, const QString& text)
    {
        focus(which);
        box(which).selectAll();
        QTest::keyClicks(&box(which), text);
    }
    QListWidget& openList()
    {
        click(dialog, dialoglayout::kFireKeyFace.center());
        EXPECT_TRUE(dialog.isListOpen());
        return *dialog.choiceList();
    }
    FireKeyResult okResult()
    {
        click(dialog, dialoglayout::kOk.center());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        return dialog.fireKey();
    }

    ScriptedPrompter prompter;
    QWidget opener;
    FireKeyDialog dialog{contextFor(prompter, TestSkins::builtDefault()), &opener};
};

TEST_F(FireKeyDialogTest, OkWithoutChangesGivesTheLeftButtonOnceEvery32)
{
    EXPECT_EQ(dialog.choiceBox()->text(), "L-Button");
    EXPECT_EQ(box(Box::Times).text(), "1");
    EXPECT_EQ(box(Box::MakeTime).text(), "32");
    EXPECT_EQ(box(Box::BreakTime).text(), "32");
    EXPECT_EQ(box(Box::Times).geometry(), dialoglayout::kFireTimesEdit);
    EXPECT_EQ(box(Box::Times).alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_EQ(box(Box::Times).palette().color(QPalette::Base), QColor(40, 40, 40));
    const FireKeyResult result = okResult();
    EXPECT_EQ(result.keyPosition, 0);
    EXPECT_EQ(result.keyLabel, "L-Button");
    EXPECT_EQ(result.keyUsage(), 0xF0);
    EXPECT_EQ(result.fireCount, 1);
    EXPECT_EQ(result.makeTime, 32);
    EXPECT_EQ(result.breakTime, 32);
}

TEST_F(FireKeyDialogTest, TimesIsCheckedOnEveryChange)
{
    focus(Box::Times);
    box(Box::Times).selectAll();
    QTest::keyClick(&box(Box::Times), Qt::Key_2);
    EXPECT_EQ(box(Box::Times).text(), "2");
    EXPECT_EQ(dialog.fireKey().fireCount, 2);
    QTest::keyClick(&box(Box::Times), Qt::Key_0);
    EXPECT_EQ(box(Box::Times).text(), "20");
    QTest::keyClick(&box(Box::Times), Qt::Key_0);
    EXPECT_EQ(box(Box::Times).text(), "1");
    EXPECT_EQ(dialog.fireKey().fireCount, 1);

    typeInto(Box::Times, "127");
    EXPECT_EQ(dialog.fireKey().fireCount, 127);
    // Only digits go in.
    QTest::keyClicks(&box(Box::Times), "x-");
    EXPECT_EQ(box(Box::Times).text(), "127");
    // An empty box fires until the button is released.
    box(Box::Times).clear();
    EXPECT_EQ(okResult().fireCount, 0);
}

TEST_F(FireKeyDialogTest, MakeAndBreakTimeAreCheckedWhenTheyLoseTheFocus)
{
    typeInto(Box::MakeTime, "3");
    EXPECT_EQ(box(Box::MakeTime).text(), "3");
    focus(Box::BreakTime);
    EXPECT_EQ(box(Box::MakeTime).text(), "5");
    EXPECT_EQ(dialog.fireKey().makeTime, 5);

    typeInto(Box::MakeTime, "255");
    focus(Box::Times);
    EXPECT_EQ(box(Box::MakeTime).text(), "255");
    EXPECT_EQ(dialog.fireKey().makeTime, 255);

    typeInto(Box::MakeTime, "256");
    focus(Box::BreakTime);
    EXPECT_EQ(box(Box::MakeTime).text(), "5");

    typeInto(Box::BreakTime, "300");
    focus(Box::Times);
    EXPECT_EQ(box(Box::BreakTime).text(), "5");
    const FireKeyResult result = okResult();
    EXPECT_EQ(result.makeTime, 5);
    EXPECT_EQ(result.breakTime, 5);
}

TEST_F(FireKeyDialogTest, ATimeTypedButNotLeftIsCheckedAndTakenOnOk)
{
    typeInto(Box::MakeTime, "3");
    typeInto(Box::BreakTime, "77");
    const FireKeyResult result = okResult();
    EXPECT_EQ(result.makeTime, 5);
    EXPECT_EQ(result.breakTime, 77);
}

TEST_F(FireKeyDialogTest, KeyPositionsGiveTheirUsages)
{
    QListWidget& list = openList();
    EXPECT_EQ(list.count(), 59);
    EXPECT_EQ(list.geometry(), dialoglayout::kFireKeyList);
    list.scrollToItem(list.item(44));
    clickRow(list, 44);
    settle();
    EXPECT_EQ(dialog.choiceBox()->text(), "R-CTRL");
    EXPECT_EQ(dialog.fireKey().keyPosition, 44);
    EXPECT_EQ(dialog.fireKey().keyUsage(), 0xE4);

    QListWidget& again = openList();
    again.scrollToItem(again.item(58));
    clickRow(again, 58);
    const FireKeyResult result = okResult();
    EXPECT_EQ(result.keyPosition, 58);
    EXPECT_EQ(result.keyLabel, "F12");
    EXPECT_EQ(result.keyUsage(), 0x45);
    FireKeyResult pastTheList;
    pastTheList.keyPosition = 59;
    EXPECT_EQ(pastTheList.keyUsage(), 0);
}

TEST_F(FireKeyDialogTest, TheBoxesGiveWayToTheListAndComeBackWithTheirTexts)
{
    typeInto(Box::Times, "7");
    typeInto(Box::MakeTime, "40");
    QListWidget& list = openList();
    settle();
    EXPECT_EQ(dialog.numberBox(Box::Times), nullptr);
    EXPECT_EQ(dialog.numberBox(Box::MakeTime), nullptr);
    EXPECT_EQ(dialog.numberBox(Box::BreakTime), nullptr);
    EXPECT_TRUE(list.verticalScrollBar()->isVisible());
    clickRow(list, 6);
    settle();
    EXPECT_EQ(dialog.choiceBox()->text(), "B");
    EXPECT_EQ(box(Box::Times).text(), "7");
    EXPECT_EQ(box(Box::MakeTime).text(), "40");
    EXPECT_EQ(box(Box::BreakTime).text(), "32");

    // Closing with a second face click or a press elsewhere brings them back as well.
    openList();
    click(dialog, dialoglayout::kFireKeyFace.center());
    EXPECT_EQ(box(Box::Times).text(), "7");
    openList();
    click(dialog, {300, 40});
    EXPECT_FALSE(dialog.isListOpen());
    EXPECT_EQ(box(Box::MakeTime).text(), "40");
    const FireKeyResult result = okResult();
    EXPECT_EQ(result.fireCount, 7);
    EXPECT_EQ(result.makeTime, 40);
    EXPECT_EQ(result.keyLabel, "B");
}

TEST_F(FireKeyDialogTest, TheWheelScrollsTheKeyListThreeRowsANotch)
{
    QListWidget& list = openList();
    wheel(*list.viewport(), rowPoint(list, 1), -120);
    EXPECT_EQ(list.verticalScrollBar()->value(), 3);
    wheel(dialog, {300, 40}, -1);
    EXPECT_EQ(list.verticalScrollBar()->value(), 6);
    wheel(dialog, {300, 40}, 240);
    EXPECT_EQ(list.verticalScrollBar()->value(), 3);
}

TEST_F(FireKeyDialogTest, LeadingDigitsMakeTheNumber)
{
    EXPECT_EQ(FireKeyDialog::leadingNumber("42"), 42);
    EXPECT_EQ(FireKeyDialog::leadingNumber("12abc"), 12);
    EXPECT_EQ(FireKeyDialog::leadingNumber(""), 0);
    EXPECT_EQ(FireKeyDialog::leadingNumber("x5"), 0);
    EXPECT_GT(FireKeyDialog::leadingNumber("99999999999999999999"), 255);
}

} // namespace
} // namespace kestrel
