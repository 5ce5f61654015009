#include "SkinTestSupport.h"

#include "skin/FontFit.h"
#include "skin/MainWindowLayout.h"
#include "skin/PopupListLook.h"
#include "skin/PopupListSet.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kestrel {
namespace {

struct RecordingListener final : PopupListListener {
    std::vector<PopupListId> chosen;
    std::vector<std::pair<PopupListId, int>> hovered;
    void listChosen(PopupListId id) override { chosen.push_back(id); }
    void listRowHovered(PopupListId id, int row) override { hovered.emplace_back(id, row); }
};

class PopupListSetTest : public ::testing::Test {
protected:
    PopupListSetTest()
    {
        window.resize(900, 660);
        window.show();
        lists.setListener(&listener);
    }

    QListWidget& openFunctionList(int k)
    {
        return lists.create(PopupListId::functionList(k), mainlayout::functionList(k), rows, window.font());
    }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    void moveOver(QListWidget& list, QPoint viewportPoint)
    {
        QMouseEvent move(QEvent::MouseMove, viewportPoint, list.viewport()->mapToGlobal(viewportPoint), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &move);
    }

    QWidget window;
    skintest::FakeConditions conditions;
    PopupListSet lists{window, conditions};
    RecordingListener listener;
    const QStringList rows{"Left Click", "Right Click", "Mid Click", "Forward", "Backward", "DPI Switch"};
};

TEST_F(PopupListSetTest, ListsAreCreatedOnDemandAtTheirRectanglesWhiteOnBlack)
{
    QListWidget& list = openFunctionList(3);
    EXPECT_EQ(list.parentWidget(), &window);
    EXPECT_EQ(list.geometry(), mainlayout::functionList(3));
    EXPECT_TRUE(list.isVisible());
    EXPECT_EQ(list.count(), rows.size());
    EXPECT_EQ(list.palette().color(QPalette::Text), QColor(Qt::white));
    EXPECT_EQ(list.palette().color(QPalette::Base), QColor(Qt::black));
    // Opening an existing list adds no rows.
    EXPECT_EQ(&openFunctionList(3), &list);
    EXPECT_EQ(list.count(), rows.size());
    EXPECT_EQ(lists.currentRow(PopupListId::functionList(3)), -1);
}

TEST_F(PopupListSetTest, ClosingDestroysTheListAndClearsItsFlag)
{
    const PopupListId id = PopupListId::functionList(1);
    QPointer<QListWidget> list = &openFunctionList(1);
    lists.setOpenFlag(id, true);
    EXPECT_TRUE(lists.openFlag(id));
    lists.close(id);
    EXPECT_FALSE(lists.exists(id));
    EXPECT_FALSE(lists.openFlag(id));
    EXPECT_FALSE(list->isVisible());
    flushDeletes();
    EXPECT_TRUE(list.isNull());
    // A flag may be set and cleared without a list, as the pages do.
    lists.setOpenFlag(id, true);
    EXPECT_FALSE(lists.exists(id));
    lists.setOpenFlag(id, false);
    EXPECT_FALSE(lists.openFlag(id));
}

TEST_F(PopupListSetTest, APressClosesTheListsItIsNotOn)
{
    openFunctionList(5);
    lists.create(PopupListId::dpiSubList(), {400, 300, 60, 60}, {"DPI +", "DPI -", "DPI Loop"}, window.font());
    lists.create(PopupListId::lightingModeList(), mainlayout::kModeList, {"Off"}, window.font());
    lists.create(PopupListId::lightingParameterList(), mainlayout::kParameterListShort, {"8S"}, window.font());

    // On drop-down 5 itself: list 5 stays, the DPI sub-list and the lighting lists go.
    lists.closeAwayFrom(mainlayout::keyDropDown(5).center());
    EXPECT_TRUE(lists.exists(PopupListId::functionList(5)));
    EXPECT_FALSE(lists.exists(PopupListId::dpiSubList()));
    EXPECT_FALSE(lists.exists(PopupListId::lightingModeList()));
    EXPECT_FALSE(lists.exists(PopupListId::lightingParameterList()));

    lists.create(PopupListId::lightingModeList(), mainlayout::kModeList, {"Off"}, window.font());
    lists.create(PopupListId::lightingParameterList(), mainlayout::kParameterListShort, {"8S"}, window.font());
    // On the mode box: the mode list stays; the parameter list only stays for its own box.
    lists.closeAwayFrom(mainlayout::kModeBox.center());
    EXPECT_TRUE(lists.exists(PopupListId::lightingModeList()));
    EXPECT_FALSE(lists.exists(PopupListId::lightingParameterList()));
    EXPECT_FALSE(lists.exists(PopupListId::functionList(5)));

    lists.create(PopupListId::lightingParameterList(), mainlayout::kParameterListShort, {"8S"}, window.font());
    // The open mode list covers the parameter box, so a press there spares both.
    lists.closeAwayFrom(mainlayout::kParameterBox.center());
    EXPECT_TRUE(lists.exists(PopupListId::lightingParameterList()));
    EXPECT_TRUE(lists.exists(PopupListId::lightingModeList()));
    lists.closeAwayFrom({5, 300});
    EXPECT_FALSE(lists.exists(PopupListId::lightingParameterList()));
    EXPECT_FALSE(lists.exists(PopupListId::lightingModeList()));
}

TEST(PopupListIds, EveryListHasItsOwnIdentity)
{
    std::vector<PopupListId> ids{PopupListId::dpiSubList(), PopupListId::lightingModeList(),
                                 PopupListId::lightingParameterList(), PopupListId::dialogChoiceList()};
    // Drop-down 0 is no drop-down, but not even its list may pass for the DPI sub-list.
    for (int k = 0; k <= mainlayout::kKeyDropDownCount + 1; ++k)
        ids.push_back(PopupListId::functionList(k));
    for (std::size_t a = 0; a < ids.size(); ++a) {
        for (std::size_t b = a + 1; b < ids.size(); ++b)
            EXPECT_NE(ids[a], ids[b]) << "ids " << a << " and " << b;
    }
    EXPECT_EQ(PopupListId::functionList(3).dropDown(), 3);
    EXPECT_EQ(PopupListId::functionList(0).dropDown(), 0);
    EXPECT_EQ(PopupListId::dpiSubList().dropDown(), std::nullopt);
    EXPECT_EQ(PopupListId::lightingModeList().dropDown(), std::nullopt);
    EXPECT_EQ(PopupListId::dialogChoiceList().dropDown(), std::nullopt);
}

TEST_F(PopupListSetTest, TheDpiSubListAndAFunctionListAreToldApart)
{
    QListWidget& subList =
        lists.create(PopupListId::dpiSubList(), {470, 320, 60, 60}, {"DPI +", "DPI -", "DPI Loop"}, window.font());
    for (int k = 0; k <= mainlayout::kKeyDropDownCount; ++k) {
        SCOPED_TRACE(k);
        QListWidget& functions =
            lists.create(PopupListId::functionList(k), mainlayout::functionList(std::max(k, 1)), rows, window.font());
        EXPECT_NE(&functions, &subList);
        EXPECT_EQ(functions.count(), rows.size());
        lists.setOpenFlag(PopupListId::functionList(k), true);
        EXPECT_FALSE(lists.openFlag(PopupListId::dpiSubList()));

        // A choice in the sub-list is the sub-list's, never the function list's.
        listener.chosen.clear();
        QTest::mouseClick(subList.viewport(), Qt::LeftButton, {}, subList.visualItemRect(subList.item(2)).center());
        ASSERT_EQ(listener.chosen, std::vector<PopupListId>{PopupListId::dpiSubList()});
        EXPECT_EQ(lists.currentRow(PopupListId::functionList(k)), -1);

        // Closing the function list leaves the sub-list to its own rule.
        lists.close(PopupListId::functionList(k));
        EXPECT_EQ(lists.list(PopupListId::dpiSubList()), &subList);
    }
}

TEST_F(PopupListSetTest, APressOnDropDownTwoClosesListFive)
{
    openFunctionList(5);
    lists.setOpenFlag(PopupListId::functionList(5), true);
    lists.closeAwayFrom(mainlayout::keyDropDown(2).center());
    EXPECT_FALSE(lists.exists(PopupListId::functionList(5)));
    EXPECT_FALSE(lists.openFlag(PopupListId::functionList(5)));
}

TEST_F(PopupListSetTest, TheHighlightFollowsThePointerWithoutASelectionNotice)
{
    QListWidget& list = openFunctionList(1);
    const QRect third = list.visualItemRect(list.item(2));
    moveOver(list, third.center());
    EXPECT_EQ(list.currentRow(), 2);
    EXPECT_TRUE(listener.chosen.empty());
    ASSERT_EQ(listener.hovered.size(), 1u);
    EXPECT_EQ(listener.hovered[0], std::make_pair(PopupListId::functionList(1), 2));
    // Below the last row the last row is nearest.
    moveOver(list, {third.center().x(), list.viewport()->height() - 2});
    EXPECT_EQ(list.currentRow(), rows.size() - 1);
    // Away from the built page the rule rests.
    conditions.built = false;
    moveOver(list, third.center());
    EXPECT_EQ(list.currentRow(), rows.size() - 1);
}

TEST_F(PopupListSetTest, AClickOnARowIsAChoiceOfThatList)
{
    QListWidget& list = openFunctionList(4);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(1)).center());
    ASSERT_FALSE(listener.chosen.empty());
    EXPECT_EQ(listener.chosen.front(), PopupListId::functionList(4));
    EXPECT_EQ(lists.currentRow(PopupListId::functionList(4)), 1);
}

TEST_F(PopupListSetTest, AClickUnderTheLastRowChoosesTheHighlightedLastRow)
{
    const PopupListId id = PopupListId::functionList(2);
    QListWidget& list = openFunctionList(2);
    const QRect last = list.visualItemRect(list.item(list.count() - 1));
    const QPoint band(last.center().x(), list.viewport()->height() - 2);
    ASSERT_GT(band.y(), last.bottom());
    // Only a left click chooses.
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, band);
    EXPECT_TRUE(listener.chosen.empty());
    moveOver(list, band);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, band);
    ASSERT_EQ(listener.chosen, std::vector<PopupListId>{id});
    EXPECT_EQ(lists.currentRow(id), rows.size() - 1);

    // Without a pointer move first the click still chooses the row it highlights.
    listener.chosen.clear();
    list.setCurrentRow(0);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, band);
    ASSERT_EQ(listener.chosen, std::vector<PopupListId>{id});
    EXPECT_EQ(lists.currentRow(id), rows.size() - 1);

    // Away from the built page nothing is highlighted, so nothing is chosen.
    listener.chosen.clear();
    conditions.built = false;
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, band);
    EXPECT_TRUE(listener.chosen.empty());
}

TEST_F(PopupListSetTest, FocusAndActivationChangesChooseNothing)
{
    QListWidget& list = openFunctionList(3);
    EXPECT_EQ(list.focusPolicy(), Qt::NoFocus);
    // What the window system delivers when the window is left and activated
    // again with the list open: a list view makes its first row current on
    // gaining the focus, which must not count as a choice.
    for (QWidget* target : {static_cast<QWidget*>(&list), list.viewport()}) {
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(target, &deactivate);
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(target, &activate);
        QFocusEvent focusIn(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(target, &focusIn);
    }
    list.setCurrentRow(0);
    EXPECT_TRUE(listener.chosen.empty());
    // Keys never reach a list that takes no focus, but even sent to it they choose nothing.
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_TRUE(listener.chosen.empty());
    // A real click still chooses.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(2)).center());
    ASSERT_EQ(listener.chosen.size(), 1u);
    EXPECT_EQ(lists.currentRow(PopupListId::functionList(3)), 2);
}

TEST_F(PopupListSetTest, AClosedListSaysNothingMore)
{
    QListWidget& list = openFunctionList(2);
    lists.close(PopupListId::functionList(2));
    list.setCurrentRow(3);
    EXPECT_TRUE(listener.chosen.empty());
    lists.closeAll();
    flushDeletes();
}

} // namespace
TEST(PopupListRows, ShareTheListHeightBetweenTheEmAndALittleAboveTheLine)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    const int line = QFontMetrics(font).height();
    ASSERT_GT(line, 14);
    EXPECT_EQ(PopupListSet::rowHeight(font, 2 + 14 * (line + 1), 14), line + 1);
    EXPECT_EQ(PopupListSet::rowHeight(font, 2 + 3 * (line + 3), 3), line + 3);
    EXPECT_EQ(PopupListSet::rowHeight(font, 2 + 3 * (line + 9), 3), line + 3);
    // A list too short for full lines keeps every row in view down to the em...
    EXPECT_EQ(PopupListSet::rowHeight(font, 2 + 8 * 14, 8), 14);
    // ...and scrolls below that, with rows as tall as the font's line so
    // that no row's glyphs reach into the next.
    EXPECT_EQ(PopupListSet::rowHeight(font, 40, 10), line);
    EXPECT_EQ(PopupListSet::rowHeight(font, 2 + 59 * 13, 59), line);
    EXPECT_EQ(PopupListSet::rowHeight(font, 40, 0), line);
}

TEST(PopupListRows, TheFireKeyListInTheWindowsFontGetsFullLines)
{
    // The program's font: a 14-pixel cell, so an em below the line.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    const int line = QFontMetrics(font).height();
    ASSERT_GT(line, 12);
    // Fifty-nine rows in a list 170 pixels high.
    EXPECT_EQ(PopupListSet::rowHeight(font, 170, 59), line);
}

TEST(PopupListRows, RowsTooWideForTheListAreSetSmallerAllAlike)
{
    QWidget window;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    QListWidget list(&window);
    list.setGeometry(42, 146, 109, 160);
    const QStringList rows{"Multimedia Player", "Mail", "Calculator", "Browser-Refresh"};
    list.addItems(rows);
    list.setFont(font);
    ASSERT_GT(QFontMetrics(font).horizontalAdvance(rows[0]), 109 - 2 - 4);
    PopupListLook::forDialog(list, font);
    const QFont fitted = list.font();
    EXPECT_LT(QFontInfo(fitted).pixelSize(), 14);
    EXPECT_GE(QFontInfo(fitted).pixelSize(), FontFit::kSmallestPixelSize);
    // Every row shows whole in what the border, padding and text margins leave.
    for (const QString& row : rows)
        EXPECT_LE(QFontMetrics(fitted).horizontalAdvance(row), 109 - 2 - 2 * 2 - 2 * 3) << row.toStdString();

    // Rows that fit keep the font.
    QListWidget narrowRows(&window);
    narrowRows.setGeometry(42, 146, 109, 160);
    narrowRows.addItems({"Mail", "Calculator"});
    PopupListLook::forDialog(narrowRows, font);
    EXPECT_EQ(QFontInfo(narrowRows.font()).pixelSize(), 14);
}

} // namespace kestrel
