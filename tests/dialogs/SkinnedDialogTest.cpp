#include "DialogTestSupport.h"

#include "dialogs/FireKeyDialog.h"
#include "dialogs/HotKeyDialog.h"
#include "dialogs/MediaKeyDialog.h"
#include "dialogs/SingleKeyDialog.h"
#include "dialogs/SkinsDialog.h"
#include "dialogs/SnipeKeyDialog.h"
#include "dialogs/WindowsKeyDialog.h"
#include "skin/DialogLayout.h"
#include "skin/SkinFiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>

namespace kestrel {
namespace {

using namespace dialogtest;
using Button = SkinnedDialog::FrameButton;

class SkinnedDialogTest : public ::testing::Test {
protected:
    std::unique_ptr<HotKeyDialog> opened(const std::filesystem::path& folder = TestSkins::builtDefault(),
                                          Language language = Language::English)
    {
        auto dialog = std::make_unique<HotKeyDialog>(contextFor(prompter, folder, language), &opener);
        dialog->show();
        return dialog;
    }

    // Pixels of the red skin text colour, antialiased edges included; the
    // artwork itself has no strong red.
    static int pixelsOfColour(const QImage& image, const QRect& rect, QRgb)
    {
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                count += qRed(pixel) - std::max(qGreen(pixel), qBlue(pixel)) > 60;
            }
        }
        return count;
    }

    ScriptedPrompter prompter;
    QWidget opener;
};

TEST_F(SkinnedDialogTest, OpensOverTheOpenerSizedToItsBackgroundWithCaptionsInTheSkinTextColour)
{
    opener.setGeometry(200, 150, 900, 650);
    auto dialog = opened();
    const QImage background(QString::fromStdString((TestSkins::builtDefault() / "hot-key.png").string()));
    EXPECT_TRUE(dialog->isOpened());
    EXPECT_EQ(dialog->size(), background.size());
    EXPECT_EQ(dialog->pos(), opener.mapToGlobal(QPoint(0, 0)));
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(dialog->isModal());
    EXPECT_TRUE(prompter.messages.empty());
    // The "OK" and "Cancel" captions are drawn in the skin text colour.
    EXPECT_GT(pixelsOfColour(dialog->canvas(), dialoglayout::kOk, kTextColour), 5);
    EXPECT_GT(pixelsOfColour(dialog->canvas(), dialoglayout::kCancel, kTextColour), 5);
    EXPECT_FALSE(dialog->isOver(Button::Ok));
    EXPECT_FALSE(dialog->isOver(Button::Cancel));
    EXPECT_FALSE(dialog->isOver(Button::Close));
}

TEST_F(SkinnedDialogTest, CaptionsAndFontFollowTheLanguage)
{
    auto english = opened();
    auto chinese = opened(TestSkins::builtDefault(), Language::SimplifiedChinese);
    auto traditional = opened(TestSkins::builtDefault(), Language::TraditionalChinese);
    EXPECT_NE(english->canvas().copy(dialoglayout::kOk), chinese->canvas().copy(dialoglayout::kOk));
    // "取消" is the same in both Chinese languages; "确定" and "確定" differ.
    EXPECT_EQ(chinese->canvas().copy(dialoglayout::kCancel), traditional->canvas().copy(dialoglayout::kCancel));
    EXPECT_NE(chinese->canvas().copy(dialoglayout::kOk), traditional->canvas().copy(dialoglayout::kOk));
    EXPECT_EQ(chinese->choiceBox()->font().pixelSize(), 13);
    EXPECT_EQ(english->choiceBox()->font().pixelSize(), 14);
    EXPECT_EQ(english->choiceBox()->text(), "Copy");
    EXPECT_EQ(chinese->choiceBox()->text(), "复制");
}

TEST_F(SkinnedDialogTest, OkCancelCloseEnterAndEscapeEndTheDialog)
{
    struct Case {
        std::function<void(SkinnedDialog&)> act;
        int result;
    };
    const std::vector<Case> cases{
        {[](SkinnedDialog& d) { click(d, dialoglayout::kOk.center()); }, QDialog::Accepted},
        {[](SkinnedDialog& d) { click(d, dialoglayout::kOk.topLeft()); }, QDialog::Accepted},
        {[](SkinnedDialog& d) { click(d, dialoglayout::kCancel.center()); }, QDialog::Rejected},
        {[](SkinnedDialog& d) { click(d, dialoglayout::kClose.center()); }, QDialog::Rejected},
        {[](SkinnedDialog& d) { pressKey(d, Qt::Key_Return); }, QDialog::Accepted},
        {[](SkinnedDialog& d) { pressKey(d, Qt::Key_Enter); }, QDialog::Accepted},
        {[](SkinnedDialog& d) { pressKey(d, Qt::Key_Escape); }, QDialog::Rejected},
    };
    for (const Case& c : cases) {
        auto dialog = opened();
        dialog->setResult(-1);
        c.act(*dialog);
        EXPECT_EQ(dialog->result(), c.result);
        EXPECT_FALSE(dialog->isVisible());
    }
    // The right button, a press just outside OK and one on a plain spot end nothing.
    auto dialog = opened();
    dialog->setResult(-1);
    click(*dialog, dialoglayout::kOk.center(), Qt::RightButton);
    click(*dialog, dialoglayout::kOk.topLeft() - QPoint(1, 0));
    click(*dialog, {300, 100});
    EXPECT_EQ(dialog->result(), -1);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(SkinnedDialogTest, RunModalGoesThroughThePrompterAndTellsWhetherItEndedWithOk)
{
    HotKeyDialog dialog(contextFor(prompter, TestSkins::builtDefault()), &opener);
    prompter.run = [](QDialog& shown) {
        shown.show();
        click(shown, dialoglayout::kOk.center());
        return shown.result();
    };
    EXPECT_TRUE(dialog.runModal());
    prompter.run = nullptr;
    EXPECT_FALSE(dialog.runModal());
}

TEST_F(SkinnedDialogTest, APointerThatOnlyPassesOverOkLeavesItNormal)
{
    const auto folder = TestSkins::builtDefault();
    auto dialog = opened();
    // In and out within the hover time, as a quick sweep of the pointer does.
    move(*dialog, dialoglayout::kOk.center());
    move(*dialog, {300, 100});
    EXPECT_FALSE(dialog->hoverTimer().isActive());
    QTest::qWait(3 * dialog->hoverTimer().interval());
    EXPECT_FALSE(dialog->isOver(Button::Ok));
    EXPECT_FALSE(showsOver(*dialog, folder, Button::Ok));
}

TEST_F(SkinnedDialogTest, ARestingPointerShowsTheHoverImageAndOkAndCancelHandOver)
{
    const auto folder = TestSkins::builtDefault();
    auto dialog = opened();
    move(*dialog, dialoglayout::kOk.center());
    // Nothing is drawn until the pointer has rested for 10 ms.
    EXPECT_TRUE(dialog->hoverTimer().isActive());
    EXPECT_EQ(dialog->hoverTimer().interval(), 10);
    EXPECT_FALSE(showsOver(*dialog, folder, Button::Ok));

    dialog->hoverNotice(dialoglayout::kOk.center());
    EXPECT_TRUE(dialog->isOver(Button::Ok));
    EXPECT_TRUE(showsOver(*dialog, folder, Button::Ok));
    EXPECT_GT(pixelsOfColour(dialog->canvas(), dialoglayout::kOk, kTextColour), 5);

    // Straight from OK onto Cancel: OK is normal again in the same redraw.
    move(*dialog, dialoglayout::kCancel.center());
    dialog->hoverNotice(dialoglayout::kCancel.center());
    EXPECT_FALSE(dialog->isOver(Button::Ok));
    EXPECT_FALSE(showsOver(*dialog, folder, Button::Ok));
    EXPECT_TRUE(showsOver(*dialog, folder, Button::Cancel));

    // The close button does not take the hover state from Cancel.
    dialog->hoverNotice(dialoglayout::kClose.center());
    EXPECT_TRUE(dialog->isOver(Button::Close));
    EXPECT_TRUE(dialog->isOver(Button::Cancel));
    EXPECT_TRUE(showsOver(*dialog, folder, Button::Close));

    // Leaving all three restores every button shown hovered.
    move(*dialog, {300, 100});
    EXPECT_FALSE(dialog->hoverTimer().isActive());
    for (const Button button : {Button::Ok, Button::Cancel, Button::Close}) {
        EXPECT_FALSE(dialog->isOver(button));
        EXPECT_FALSE(showsOver(*dialog, folder, button));
    }
}

TEST_F(SkinnedDialogTest, MovesAndNoticesAwayFromTheButtonsDrawNothing)
{
    auto dialog = opened();
    const QImage before = dialog->canvas().copy();
    move(*dialog, {300, 100});
    EXPECT_FALSE(dialog->hoverTimer().isActive());
    dialog->hoverNotice({300, 100});
    EXPECT_EQ(dialog->canvas(), before);
}

TEST_F(SkinnedDialogTest, AButtonImageThatCannotBeDrawnIsReportedEachTimeAndTheRestIsDrawn)
{
    TestSkins skins;
    const auto folder = skins.copyOfDefault("Broken");
    std::filesystem::remove(folder / "button-over.png");
    auto dialog = opened(folder);
    EXPECT_TRUE(prompter.messages.empty());
    dialog->hoverNotice(dialoglayout::kOk.center());
    dialog->hoverNotice(dialoglayout::kCancel.center());
    ASSERT_EQ(prompter.messages.size(), 2u);
    EXPECT_EQ(prompter.messages[0].text, "LoadPng---Load image failed.");
    EXPECT_EQ(prompter.messages[0].caption, "kestrel");
    EXPECT_EQ(prompter.messages[0].owner, dialog.get());
    // The caption is still drawn over the button.
    EXPECT_GT(pixelsOfColour(dialog->canvas(), dialoglayout::kCancel, kTextColour), 5);
}

TEST_F(SkinnedDialogTest, HoverRedrawsDecodeEachButtonImageOnce)
{
    TestSkins skins;
    const auto folder = skins.copyOfDefault("Installed");
    // Installed an hour ago: files that fresh would be decoded at every draw.
    const auto hourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::last_write_time(entry.path(), hourAgo);
    auto dialog = opened(folder);
    // The frame: the normal button and close images.
    EXPECT_EQ(dialog->images().decodeCount(), 2u);
    for (int round = 0; round < 3; ++round) {
        dialog->hoverNotice(dialoglayout::kOk.center());
        dialog->hoverNotice(dialoglayout::kCancel.center());
        dialog->hoverNotice(dialoglayout::kClose.center());
        move(*dialog, {300, 100});
    }
    EXPECT_EQ(dialog->images().decodeCount(), 4u);
    EXPECT_TRUE(prompter.messages.empty());
    for (const Button button : {Button::Ok, Button::Cancel, Button::Close})
        EXPECT_FALSE(showsOver(*dialog, folder, button));
}

struct MissingBackgroundCase {
    std::function<std::unique_ptr<SkinnedDialog>(const DialogContext&, QWidget*)> make;
    QString caption;
};

TEST_F(SkinnedDialogTest, AMissingBackgroundIsReportedAndTheDialogEndsAsCancelled)
{
    TestSkins skins;
    const std::vector<MissingBackgroundCase> cases{
        {[](const DialogContext& c, QWidget* p) { return std::make_unique<FireKeyDialog>(c, p); },
         "FireKey Dialog Load background image failed!!!"},
        {[](const DialogContext& c, QWidget* p) { return std::make_unique<HotKeyDialog>(c, p); },
         "HotKey Dialog Load background image failed!!!"},
        {[](const DialogContext& c, QWidget* p) { return std::make_unique<MediaKeyDialog>(c, p); },
         "Media Dialog Load background image failed!!!"},
        {[](const DialogContext& c, QWidget* p) { return std::make_unique<SnipeKeyDialog>(c, 0, p); },
         "Snipe Dialog Load background image failed!!!"},
        {[](const DialogContext& c, QWidget* p) { return std::make_unique<WindowsKeyDialog>(c, p); },
         "Windows Dialog Load background image failed!!!"},
        {[&skins](const DialogContext& c, QWidget* p) {
             return std::make_unique<SkinsDialog>(c, std::vector{skins.root()}, "Default", p);
         },
         "Skins Dialog Load background image failed!!!"},
        {[](const DialogContext& c, QWidget* p) { return std::make_unique<SingleKeyDialog>(c, p); },
         "Single Key Dialog Load background image failed!!!"},
    };
    for (const MissingBackgroundCase& c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        // Shown: the message, then the dialog ends by itself as Cancel.
        prompter.messages.clear();
        auto shown = c.make(contextFor(prompter, skins.root() / "Absent"), &opener);
        shown->setResult(-1);
        shown->show();
        ASSERT_EQ(prompter.messages.size(), 1u);
        EXPECT_EQ(prompter.messages[0].text, "error");
        EXPECT_EQ(prompter.messages[0].caption, c.caption);
        EXPECT_EQ(prompter.messages[0].owner, shown.get());
        EXPECT_FALSE(shown->hasBackground());
        settle();
        EXPECT_EQ(shown->result(), QDialog::Rejected);
        EXPECT_FALSE(shown->isVisible());

        // A modal run ends too, instead of blocking on a window nobody can see.
        auto run = c.make(contextFor(prompter, skins.root() / "Absent"), &opener);
        QTimer::singleShot(5000, run.get(), [&run] { run->done(2); });
        EXPECT_EQ(run->exec(), QDialog::Rejected);
    }
}

TEST_F(SkinnedDialogTest, NativeControlsAreWhiteOnDarkGreyInTheDialogFont)
{
    auto dialog = opened();
    click(*dialog, dialog->choiceLayout().face.center());
    for (QWidget* control : std::initializer_list<QWidget*>{dialog->choiceBox(), dialog->choiceList()}) {
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->palette().color(QPalette::WindowText), QColor(Qt::white));
        EXPECT_EQ(control->palette().color(QPalette::Text), QColor(Qt::white));
        EXPECT_EQ(control->palette().color(QPalette::Window), QColor(40, 40, 40));
        EXPECT_EQ(control->palette().color(QPalette::Base), QColor(40, 40, 40));
        EXPECT_EQ(control->font().pixelSize(), 14);
    }
}

} // namespace
} // namespace kestrel
