#include "AppTestRig.h"

#include "skin/MainWindowLayout.h"
#include "skin/SkinFiles.h"

#include <QApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kestrel;
using namespace kestrel::test;

namespace {

// The window buttons the surface leaves to their owners, written down.
struct RecordingCommands final : WindowClickActions {
    std::vector<std::string> calls;
    void ok() override { calls.push_back("ok"); }
    void apply() override { calls.push_back("apply"); }
    void openSkins() override { calls.push_back("skins"); }
    void minimise() override { calls.push_back("minimise"); }
    void closeProgram() override { calls.push_back("close"); }
    void buildBasicPage() override { calls.push_back("build"); }
    void cancel() override { calls.push_back("cancel"); }
};

// A started program whose skin has a page image and drop-down images of known colours.
struct SurfaceRig : AppTestRig {
    SurfaceRig()
    {
        writeStrIni("[Skins]\nLan=EN\nPath=Solid\n[Setting-EN]\nItem1=Left Click\nItem13=Mode B caption\n");
        writeSkin("Solid", {900, 660});
        writeImage(skinfiles::kBasicPage, {900, 660}, QColor(10, 20, 30));
        writeImage(skinfiles::kDropDownNormal, {211, 21}, QColor(0, 0, 90));
        writeImage(skinfiles::kDropDownOver, {211, 21}, QColor(90, 0, 0));
    }

    void writeImage(std::string_view name, QSize size, QColor colour)
    {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(colour);
        const auto path = program.path() / "Skins" / "Solid" / std::string(name.substr(1));
        image.save(QString::fromStdString(path.string()));
    }

    QRgb canvasAt(QPoint point) { return dlg().surface().skin().canvas().image().pixel(point); }
    void sendMouse(QEvent::Type type, QPoint point, Qt::MouseButton button)
    {
        QMouseEvent event(type, point, dlg().mapToGlobal(point), button, button, Qt::NoModifier);
        QApplication::sendEvent(&dlg(), &event);
    }
};

TEST(SkinnedSurface, TheBuiltPageIsComposedOntoTheCanvas)
{
    SurfaceRig rig;
    rig.start();
    ASSERT_EQ(rig.state().flags.pageState, PageState::Built);
    EXPECT_EQ(rig.canvasAt({450, 130}), qRgb(10, 20, 30));
    EXPECT_EQ(rig.canvasAt(mainlayout::keyDropDown(4).topLeft() + QPoint(150, 1)), qRgb(0, 0, 90));
    EXPECT_EQ(rig.dlg().surface().skin().style().textColour, QColor(0, 0, 0));
    EXPECT_EQ(rig.dlg().surface().skin().style().normalFont.family(), "Arial");
}

TEST(SkinnedSurface, MovesOverTheWindowDrawTheHoverImages)
{
    SurfaceRig rig;
    rig.start();
    const QPoint onDropDown = mainlayout::keyDropDown(2).center();
    rig.sendMouse(QEvent::MouseMove, onDropDown, Qt::NoButton);
    EXPECT_TRUE(rig.dlg().surface().skin().hover().restTimer().isActive());
    rig.dlg().surface().skin().hover().hoverNotice(onDropDown);
    EXPECT_EQ(rig.canvasAt(mainlayout::keyDropDown(2).topLeft() + QPoint(150, 1)), qRgb(90, 0, 0));
    rig.sendMouse(QEvent::MouseMove, {5, 300}, Qt::NoButton);
    EXPECT_EQ(rig.canvasAt(mainlayout::keyDropDown(2).topLeft() + QPoint(150, 1)), qRgb(0, 0, 90));
}

TEST(SkinnedSurface, ThePageButtonBuildsOnlyAnUnbuiltPage)
{
    SurfaceRig rig;
    rig.mousePlugged = false;
    rig.start();
    ASSERT_EQ(rig.state().flags.pageState, PageState::MustBuild);
    rig.sendMouse(QEvent::MouseButtonPress, mainlayout::kPageButton.center(), Qt::LeftButton);
    EXPECT_EQ(rig.state().flags.pageState, PageState::Built);
    EXPECT_EQ(rig.canvasAt({450, 130}), qRgb(10, 20, 30));
    // A second press leaves the built page alone.
    rig.writeImage(skinfiles::kBasicPage, {900, 660}, QColor(200, 0, 0));
    rig.sendMouse(QEvent::MouseButtonPress, mainlayout::kPageButton.center(), Qt::LeftButton);
    EXPECT_EQ(rig.canvasAt({450, 130}), qRgb(10, 20, 30));
}

TEST(SkinnedSurface, OkApplyCancelAndSkinsGoToTheirOwners)
{
    SurfaceRig rig;
    rig.start();
    // Without owners the presses do nothing.
    rig.sendMouse(QEvent::MouseButtonPress, mainlayout::kOk.center(), Qt::LeftButton);
    RecordingCommands commands;
    rig.dlg().surface().setCommands(&commands);
    for (const QRect& rect : {mainlayout::kOk, mainlayout::kApply, mainlayout::kCancel, mainlayout::kSkins})
        rig.sendMouse(QEvent::MouseButtonPress, rect.center(), Qt::LeftButton);
    EXPECT_EQ(commands.calls, (std::vector<std::string>{"ok", "apply", "cancel", "skins"}));
    // The right button is no click of the table.
    rig.sendMouse(QEvent::MouseButtonPress, mainlayout::kOk.center(), Qt::RightButton);
    EXPECT_EQ(commands.calls.size(), 4u);
    rig.dlg().surface().setCommands(nullptr);
}

TEST(SkinnedSurface, ThePageShowsTheKeyGroupOfTheSettings)
{
    SurfaceRig rig;
    rig.writeImage(skinfiles::kButtonNormal, {105, 21}, QColor(0, 100, 0));
    rig.writeImage(skinfiles::kButtonOver, {105, 21}, QColor(0, 200, 0));
    rig.start();
    const QPoint modeA = mainlayout::kModeA.topLeft() + QPoint(2, 2);
    const QPoint modeB = mainlayout::kModeB.topLeft() + QPoint(2, 2);
    EXPECT_EQ(rig.canvasAt(modeA), qRgb(0, 200, 0));
    EXPECT_EQ(rig.canvasAt(modeB), qRgb(0, 100, 0));
    rig.state().settings.setModeShown(1);
    rig.dlg().pages().rebuild();
    EXPECT_EQ(rig.canvasAt(modeA), qRgb(0, 100, 0));
    EXPECT_EQ(rig.canvasAt(modeB), qRgb(0, 200, 0));
}

} // namespace
