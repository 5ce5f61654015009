#include "PageTestRig.h"

#include "app/FontRule.h"
#include "skin/MainWindowLayout.h"
#include "skin/SkinFiles.h"

#include <QFontMetrics>
#include <QLabel>

#include <gtest/gtest.h>

using namespace kestrel;
using namespace kestrel::test;

namespace {

TEST(PageBuild, EveryControlOfThePageIsComposed)
{
    PageTestRig rig;
    rig.startWith();
    ASSERT_EQ(rig.state().flags.pageState, PageState::Built);
    EXPECT_TRUE(rig.shows(skinfiles::kReportRateLight, mainlayout::reportRateMark(4).topLeft()));
    for (int mark = 1; mark <= 3; ++mark)
        EXPECT_TRUE(rig.shows(skinfiles::kReportRateDark, mainlayout::reportRateMark(mark).topLeft())) << mark;
    for (int stage = 1; stage <= 4; ++stage) {
        EXPECT_TRUE(rig.shows(skinfiles::kStageOn, mainlayout::stageSelectBox(stage).topLeft())) << stage;
        ASSERT_NE(rig.labelAt(mainlayout::colourSwatch(stage)), nullptr) << stage;
        EXPECT_TRUE(rig.labelAt(mainlayout::colourSwatch(stage))->text().isEmpty());
    }
    for (int k = 1; k <= mainlayout::kKeyDropDownCount; ++k)
        EXPECT_TRUE(rig.showsEdges(skinfiles::kDropDownNormal, mainlayout::keyDropDown(k).topLeft())) << k;
    EXPECT_TRUE(rig.showsEdges(skinfiles::kButtonOver, mainlayout::kModeA.topLeft()));
    EXPECT_TRUE(rig.showsEdges(skinfiles::kButtonNormal, mainlayout::kModeB.topLeft()));
    EXPECT_NE(rig.labelAt(mainlayout::kModeValue), nullptr);
    EXPECT_NE(rig.labelAt(mainlayout::kParameterValue), nullptr);
    EXPECT_NE(rig.labelAt(mainlayout::kEffectValue), nullptr);
}

TEST(PageBuild, WithoutTheMouseThePageWaitsForThePageButton)
{
    PageTestRig rig;
    rig.mousePlugged = false;
    rig.startWith();
    EXPECT_EQ(rig.state().flags.pageState, PageState::MustBuild);
    EXPECT_EQ(rig.labelAt(mainlayout::kModeValue), nullptr);
    rig.click(mainlayout::kPageButton.center());
    EXPECT_EQ(rig.state().flags.pageState, PageState::Built);
    EXPECT_NE(rig.labelAt(mainlayout::kModeValue), nullptr);
}

TEST(PageBuild, FontsTakeTheirDesignedCellHeight)
{
    for (const Language language :
         {Language::English, Language::SimplifiedChinese, Language::TraditionalChinese}) {
        const FontPair pair = FontRule::choose(language, false);
        for (const FontChoice& choice : {pair.normal, pair.title}) {
            const int line = QFontMetrics(FontRule::toFont(choice)).height();
            EXPECT_LE(line, choice.height) << choice.face.toStdString();
            EXPECT_GE(line, choice.height - 1) << choice.face.toStdString();
        }
    }
}

TEST(PageBuild, ValueBoxesHoldTheWholeLineOfTheirFont)
{
    PageTestRig rig;
    rig.startWith();
    const QLabel* box = rig.labelAt(mainlayout::kParameterValue);
    ASSERT_NE(box, nullptr);
    EXPECT_LE(QFontMetrics(box->font()).height(), box->height());
}

} // namespace
