#include "DialogTestSupport.h"

#include "dialogs/SingleKeyDialog.h"
#include "skin/DialogLayout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

namespace kestrel {
namespace {

using namespace dialogtest;

// Linux input codes of the keys pressed below.
constexpr quint32 kEsc = 1;
constexpr quint32 kEnter = 28;
constexpr quint32 kLeftCtrl = 29;
constexpr quint32 kA = 30;
constexpr quint32 kF1 = 59;
constexpr quint32 kNumEnter = 96;
constexpr quint32 kRightCtrl = 97;
constexpr quint32 kLeftWindows = 125;
constexpr quint32 kRightWindows = 126;

// Counts the key events that reach the dialog itself.
struct KeyCounter final : QObject {
    int keys = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        keys += event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
        return false;
    }
};

class SingleKeyDialogTest : public ::testing::Test {
protected:
    SingleKeyDialogTest()
    {
        dialog->show();
        dialog->installEventFilter(&counter);
    }

    QString shown() const { return dialog->keyNameBox()->text(); }

    ScriptedPrompter prompter;
    QWidget opener;
    std::unique_ptr<SingleKeyDialog> dialog =
        std::make_unique<SingleKeyDialog>(contextFor(prompter, TestSkins::builtDefault()), &opener);
    KeyCounter counter;
};

TEST_F(SingleKeyDialogTest, OpensWithAnEmptyNameUnderThePrompt)
{
    EXPECT_TRUE(dialog->isCapturing());
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(dialog->keyNameBox()->geometry(), dialoglayout::kSingleKeyBox);
    // The prompt is drawn in white whatever the skin text colour.
    int white = 0;
    for (int x = dialoglayout::kSingleKeyPrompt.left(); x <= dialoglayout::kSingleKeyPrompt.right(); ++x)
        for (int y = dialoglayout::kSingleKeyPrompt.top(); y <= dialoglayout::kSingleKeyPrompt.bottom(); ++y)
            white += dialog->canvas().pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_GT(white, 5);
    click(*dialog, dialoglayout::kOk.center());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->keyName(), "");
    EXPECT_EQ(dialog->keyUsage(), 0);
}

TEST_F(SingleKeyDialogTest, PressAndReleaseNameTheKeyAndTheLastMessageWins)
{
    press(*dialog, Qt::Key_A, kA);
    EXPECT_EQ(shown(), "A");
    release(*dialog, Qt::Key_A, kA);
    EXPECT_EQ(dialog->keyUsage(), 0x04);

    press(*dialog, Qt::Key_Control, kLeftCtrl, Qt::ControlModifier);
    press(*dialog, Qt::Key_A, kA, Qt::ControlModifier);
    EXPECT_EQ(shown(), "A");
    press(*dialog, Qt::Key_A, kA, Qt::ControlModifier, true);
    release(*dialog, Qt::Key_A, kA, Qt::ControlModifier);
    release(*dialog, Qt::Key_Control, kLeftCtrl);
    EXPECT_EQ(shown(), "Ctrl");
    EXPECT_EQ(dialog->keyUsage(), 0xE0);
    // The keys go on to the dialog as usual.
    EXPECT_EQ(counter.keys, 7);
}

TEST_F(SingleKeyDialogTest, KeysAreNamedByTheirPositionWhateverTheLayout)
{
    // A German layout: the key in the US "Y" position types "z", the one in
    // the US ";" position types "ö". The mouse sends the position's usage,
    // so the dialog names the position as a US keyboard would.
    constexpr quint32 kYPosition = 21;
    constexpr quint32 kSemicolonPosition = 39;
    press(*dialog, Qt::Key_Z, kYPosition);
    EXPECT_EQ(shown(), "Y");
    EXPECT_EQ(dialog->keyUsage(), 0x1C);
    press(*dialog, Qt::Key_Odiaeresis, kSemicolonPosition);
    EXPECT_EQ(dialog->keyUsage(), 0x33);
}

TEST_F(SingleKeyDialogTest, LeftAndRightModifiersHaveTheirOwnNames)
{
    press(*dialog, Qt::Key_Control, kLeftCtrl, Qt::ControlModifier);
    EXPECT_EQ(dialog->keyName(), "Ctrl");
    EXPECT_EQ(dialog->keyUsage(), 0xE0);

    press(*dialog, Qt::Key_Control, kRightCtrl, Qt::ControlModifier);
    EXPECT_EQ(shown(), "Right Ctrl");
    click(*dialog, dialoglayout::kOk.center());
    EXPECT_EQ(dialog->keyName(), "Right Ctrl");
    EXPECT_EQ(dialog->keyUsage(), 0xE4);
}

TEST_F(SingleKeyDialogTest, EnterAndEscapeAreCapturedAndDoNotEndTheDialog)
{
    dialog->setResult(-1);
    press(*dialog, Qt::Key_Return, kEnter);
    EXPECT_EQ(shown(), "Enter");
    press(*dialog, Qt::Key_Enter, kNumEnter, Qt::KeypadModifier);
    EXPECT_EQ(shown(), "Num Enter");
    EXPECT_EQ(dialog->keyUsage(), 0x58);
    press(*dialog, Qt::Key_Escape, kEsc);
    EXPECT_EQ(shown(), "Esc");
    EXPECT_EQ(dialog->result(), -1);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(counter.keys, 0);
    // Their releases pass as usual.
    release(*dialog, Qt::Key_Escape, kEsc);
    EXPECT_EQ(counter.keys, 1);
    EXPECT_EQ(dialog->keyUsage(), 0x29);
}

TEST_F(SingleKeyDialogTest, WindowsKeysAreNamedButKeptFromTheDialog)
{
    press(*dialog, Qt::Key_Super_L, kLeftWindows);
    EXPECT_EQ(shown(), "Left Windows");
    EXPECT_EQ(dialog->keyUsage(), 0xE3);
    release(*dialog, Qt::Key_Super_R, kRightWindows);
    EXPECT_EQ(shown(), "Right Windows");
    EXPECT_EQ(dialog->keyUsage(), 0xE7);
    EXPECT_EQ(counter.keys, 0);
}

TEST_F(SingleKeyDialogTest, F1IsJustAKey)
{
    press(*dialog, Qt::Key_F1, kF1);
    EXPECT_EQ(shown(), "F1");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->keyUsage(), 0x3A);
}

TEST_F(SingleKeyDialogTest, KeysWithoutANameAndKeysOfOtherWindows)
{
    press(*dialog, Qt::Key_A, kA);
    QWidget other;
    press(other, Qt::Key_Control, kRightCtrl);
    EXPECT_EQ(shown(), "A");
    // A key event without a scan code names nothing.
    pressKey(*dialog, Qt::Key_B);
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(dialog->keyUsage(), 0);
}

TEST_F(SingleKeyDialogTest, TheCaptureEndsWithTheDialogWhicheverWayItEnded)
{
    const std::pair<QPoint, int> ways[] = {{dialoglayout::kOk.center(), QDialog::Accepted},
                                           {dialoglayout::kCancel.center(), QDialog::Rejected},
                                           {dialoglayout::kClose.center(), QDialog::Rejected}};
    for (const auto& [point, result] : ways) {
        dialog = std::make_unique<SingleKeyDialog>(contextFor(prompter, TestSkins::builtDefault()), &opener);
        dialog->show();
        press(*dialog, Qt::Key_A, kA);
        click(*dialog, point);
        EXPECT_EQ(dialog->result(), result);
        EXPECT_FALSE(dialog->isCapturing());
        // The key returned is the one shown when the dialog ended.
        press(*dialog, Qt::Key_F1, kF1);
        EXPECT_EQ(dialog->keyName(), "A");
    }
    dialog.reset();
    // A key anywhere afterwards goes where it was sent.
    QWidget other;
    KeyCounter otherKeys;
    other.installEventFilter(&otherKeys);
    press(other, Qt::Key_Escape, kEsc);
    EXPECT_EQ(otherKeys.keys, 1);
}

TEST(SingleDialogMissingBackgroundTest, EndsAsCancelledRightAfterTheMessage)
{
    ScriptedPrompter prompter;
    TestSkins skins;
    SingleKeyDialog dialog(contextFor(prompter, skins.root()), nullptr);
    dialog.setResult(-1);
    dialog.show();
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0].text, "error");
    EXPECT_EQ(prompter.messages[0].caption, "Single Key Dialog Load background image failed!!!");
    EXPECT_FALSE(dialog.isCapturing());
    EXPECT_EQ(dialog.keyNameBox(), nullptr);
    settle();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(SingleDialogMissingBackgroundTest, AModalRunEndsToo)
{
    ScriptedPrompter prompter;
    TestSkins skins;
    SingleKeyDialog dialog(contextFor(prompter, skins.root()), nullptr);
    // Should the dialog not end by itself, the run ends with another result instead of hanging.
    QTimer::singleShot(5000, &dialog, [&dialog] { dialog.done(2); });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
}

} // namespace
} // namespace kestrel
