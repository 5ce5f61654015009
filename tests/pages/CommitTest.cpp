#include "PageTestRig.h"

#include <DialogTestSupport.h>

#include "dialogs/SingleKeyDialog.h"
#include "dialogs/SkinsDialog.h"
#include "config/ConfigImage.h"
#include "skin/DialogLayout.h"
#include "skin/MainWindowLayout.h"
#include "skin/PopupListSet.h"
#include "skin/SkinFiles.h"
#include "config/StrIniSettings.h"

#include <QLabel>
#include <QListWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

using namespace kestrel;
using namespace kestrel::test;

namespace {

void put(std::span<std::uint8_t> page, std::size_t at, std::initializer_list<std::uint8_t> bytes)
{
    std::copy(bytes.begin(), bytes.end(), page.begin() + static_cast<std::ptrdiff_t>(at));
}

// Edits every section of the page by clicks: 250 Hz, stage 3 off, stage 1 at
// level 5, stage 4 in colour 9 8 7, Respiration at "7S", button 2 of group 1
// "Key Off" and button 3 of group 2 "Forward".
void editEverySection(PageTestRig& rig)
{
    rig.click(mainlayout::reportRateMark(2).center());
    rig.click(mainlayout::stageSelectBox(3).center());
    rig.click(mainlayout::dpiCell(1, 6).center());
    rig.prompter.colours = {QColor(9, 8, 7)};
    rig.click(mainlayout::colourSwatch(4).center());
    rig.click(mainlayout::kModeBox.center());
    rig.chooseRow(PopupListId::lightingModeList(), 2);
    rig.click(mainlayout::kParameterBox.center());
    rig.chooseRow(PopupListId::lightingParameterList(), 1);
    rig.chooseFunction(2, kKeyOffRow);
    rig.click(mainlayout::kModeB.center());
    rig.chooseFunction(3, kForwardRow);
}

SettingsRecord editedSettings()
{
    SettingsRecord expected = defaultSettingsRecord();
    expected.setReportRate(4);
    expected.setDpiEnabled(2, 0);
    expected.setDpiLevel(0, 5);
    expected.setDpiColor(3, Rgb{9, 8, 7});
    expected.setLedMode(2);
    expected.setLedPeriod(1);
    expected.setKeyFunction(kGroup1, 1, 12);
    expected.setModeShown(1);
    expected.setKeyFunction(kGroup2, 2, 3);
    return expected;
}

// The factory image with exactly the bytes the edited settings change.
ConfigImage expectedImage()
{
    ConfigImage image = MouseFirmware::factoryImage();
    image.setUsbReportRate(4);
    auto page3 = image.page(3);
    put(page3, 0x00, {0xF0, 0x00, 0x00, 0x00, 0xF2, 0x00, 0xF3, 0x00, 0xF4, 0x00, 0x03, 0x03, 0x04, 0x03, 0x00, 0x00});
    put(page3, 0x20, {0xF0, 0x00, 0xF1, 0x00, 0xF4, 0x00, 0xF3, 0x00, 0xF4, 0x00, 0x03, 0x03, 0x04, 0x03, 0x00, 0x00});
    auto page4 = image.page(4);
    put(page4, 0x06, {3});
    put(page4, 0x0A, {2, 1, 2});
    put(page4, 0x0E, {32, 32});
    put(page4, 0x17, {0x02, 0x23, 0x04, 0xA3, 0x25});
    put(page4, 0x20, {0xB5, 0x00, 0xB6, 0x00, 0xB7, 0x00, 0xCD, 0x00, 0xE2, 0x00, 0xE9, 0x00, 0xEA, 0x00, 0x83,
                      0x01, 0x8A, 0x01, 0x92, 0x01, 0x94, 0x01, 0x21, 0x02, 0x23, 0x02, 0x24, 0x02, 0x25, 0x02,
                      0x27, 0x02});
    auto page5 = image.page(5);
    put(page5, 0x18, {0xFF, 0, 0, 0, 0xFF, 0, 9, 8, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    put(page5, 0x30, {0xE0, 0x06, 0xE0, 0x1B, 0xE0, 0x19, 0xE0, 0x04, 0xE0, 0x12, 0xE0, 0x11, 0xE0, 0x16, 0xE0, 0x1D});
    return image;
}

std::vector<std::uint8_t> configBinOf(const SettingsRecord& settings)
{
    std::vector<std::uint8_t> bytes{1};
    bytes.insert(bytes.end(), settings.bytes().begin(), settings.bytes().end());
    return bytes;
}

StrIniSettings::Values storedStrIni(PageTestRig& rig)
{
    return StrIniSettings(rig.program / "str.ini").read(Language::English);
}

TEST(Commit, ApplySendsTheWholeImageAndStoresBothFiles)
{
    PageTestRig rig;
    rig.startWith(defaultSettingsRecord(), 1, 0);
    editEverySection(rig);
    const SettingsRecord expected = editedSettings();
    ASSERT_EQ(rig.settings(), expected);

    rig.click(mainlayout::kApply.center());
    EXPECT_EQ(rig.mouse->firmware().image(), expectedImage());
    EXPECT_EQ(rig.state().image, expectedImage());
    EXPECT_EQ(fileBytes(rig.program / "config.bin"), configBinOf(expected));
    StrIniSettings::Captions captions = StrIniSettings::defaultCaptions(Language::English);
    captions[1] = "Key Off";
    captions[8 + 2] = "Forward";
    EXPECT_EQ(storedStrIni(rig).captions, captions);
    EXPECT_EQ(rig.state().savedSettings, expected);
    EXPECT_TRUE(rig.dlg().isVisible());
    EXPECT_TRUE(rig.prompter.messages.empty());
}

TEST(Commit, OkAppliesAndHides)
{
    PageTestRig rig;
    rig.startWith();
    rig.click(mainlayout::reportRateMark(1).center());
    rig.click(mainlayout::kOk.center());
    EXPECT_FALSE(rig.dlg().isVisible());
    EXPECT_EQ(rig.mouse->firmware().image().usbReportRate(), 8);
    EXPECT_EQ(rig.state().savedSettings.reportRate(), 8);
    EXPECT_EQ(fileBytes(rig.program / "config.bin")[1 + SettingsRecord::kReportRate.offset], 8);
}

TEST(Commit, WithoutTheMouseOkAndApplyDoNothing)
{
    PageTestRig rig;
    rig.startWith();
    rig.click(mainlayout::reportRateMark(1).center());
    rig.state().device.present = false;
    const auto configBin = fileBytes(rig.program / "config.bin");
    const int exchanges = rig.mouse->exchangeCount();
    rig.click(mainlayout::kOk.center());
    rig.click(mainlayout::kApply.center());
    EXPECT_TRUE(rig.dlg().isVisible());
    EXPECT_EQ(rig.mouse->exchangeCount(), exchanges);
    EXPECT_EQ(fileBytes(rig.program / "config.bin"), configBin);
    EXPECT_EQ(rig.state().savedSettings, defaultSettingsRecord());
}

TEST(Commit, AFailedWriteIsReportedAndTheSettingsAreStoredAnyway)
{
    PageTestRig rig;
    rig.startWith();
    rig.click(mainlayout::reportRateMark(3).center());
    rig.mouse->vanish();
    rig.click(mainlayout::kApply.center());
    EXPECT_FALSE(rig.prompter.messages.empty());
    EXPECT_EQ(fileBytes(rig.program / "config.bin")[1 + SettingsRecord::kReportRate.offset], 2);
    EXPECT_EQ(rig.state().savedSettings.reportRate(), 2);
}

// Whether each byte of the mouse's image is either what it held before or
// what the Apply was to send: never zeros or junk of the program's own.
::testing::AssertionResult onlyOldOrNewBytes(const ConfigImage& actual, const ConfigImage& before,
                                             const ConfigImage& target)
{
    for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
        const std::uint8_t byte = actual.bytes()[i];
        if (byte != before.bytes()[i] && byte != target.bytes()[i])
            return ::testing::AssertionFailure() << "image byte " << i << " is " << int(byte);
    }
    return ::testing::AssertionSuccess();
}

TEST(Commit, AFaultAtAnyExchangeIsReportedAndNeverSendsWhatWasNotRead)
{
    // Start-up reads in exchanges 0-16; Apply queries in 17-18 and writes in
    // 19-36. The status replies checked are 1, 18 and 20: a bad signature
    // anywhere else changes nothing.
    constexpr int kExchanges = 37;
    const std::array<SimulatedFault, 4> kinds{SimulatedFault::NoAnswer, SimulatedFault::BadSignature,
                                              SimulatedFault::Vanished, SimulatedFault::Short};
    ConfigImage target = MouseFirmware::factoryImage();
    {
        PageTestRig clean;
        clean.startWith();
        clean.click(mainlayout::reportRateMark(3).center());
        clean.click(mainlayout::kApply.center());
        target = clean.mouse->firmware().image();
        ASSERT_EQ(clean.mouse->exchangeCount(), kExchanges);
    }
    for (const SimulatedFault kind : kinds) {
        for (int exchange = 0; exchange < kExchanges; ++exchange) {
            SCOPED_TRACE("kind " + std::to_string(static_cast<int>(kind)) + " at exchange " + std::to_string(exchange));
            PageTestRig rig;
            rig.faults = {{exchange, kind}};
            rig.startWith();
            rig.click(mainlayout::reportRateMark(3).center());
            rig.click(mainlayout::kApply.center());
            const bool checkedReply = exchange == 1 || exchange == 18 || exchange == 20;
            const bool effective = kind != SimulatedFault::BadSignature || checkedReply;
            EXPECT_EQ(!rig.prompter.messages.empty(), effective);
            EXPECT_TRUE(onlyOldOrNewBytes(rig.mouse->firmware().image(), MouseFirmware::factoryImage(), target));
            // A fault during start-up is healed by the fresh read before the write.
            if (exchange <= 16 && kind != SimulatedFault::Vanished) {
                EXPECT_EQ(rig.mouse->firmware().image(), target);
            }
            const auto stored = fileBytes(rig.program / "config.bin");
            ASSERT_EQ(stored.size(), 200u);
            EXPECT_EQ(stored[1 + SettingsRecord::kReportRate.offset], 2);
        }
    }
}

TEST(Commit, CancelThenAShowBringsBackTheSavedSettingsAndStoredCaptions)
{
    PageTestRig rig;
    rig.startWith();
    const auto configBin = fileBytes(rig.program / "config.bin");
    const QImage freshKeys = rig.keyBox(2);
    const QImage freshMarks = rig.canvasPart(QRect(542, 204, 286, 11));
    editEverySection(rig);
    rig.click(mainlayout::kCancel.center());
    EXPECT_FALSE(rig.dlg().isVisible());
    EXPECT_EQ(rig.settings(), defaultSettingsRecord());
    EXPECT_TRUE(rig.state().flags.cancelPending);
    // The captions come back only with the next show.
    EXPECT_EQ(rig.caption(kGroup1, 1), "Key Off");

    rig.showFromIcon();
    EXPECT_TRUE(rig.dlg().isVisible());
    EXPECT_FALSE(rig.state().flags.cancelPending);
    EXPECT_EQ(rig.dlg().resources().captions, StrIniSettings::defaultCaptions(Language::English));
    EXPECT_EQ(rig.keyBox(2), freshKeys);
    EXPECT_EQ(rig.canvasPart(QRect(542, 204, 286, 11)), freshMarks);
    EXPECT_EQ(rig.labelAt(mainlayout::kModeValue)->text(), "Standard");
    EXPECT_EQ(rig.labelAt(mainlayout::kParameterValue)->text(), "75%");
    EXPECT_EQ(rig.labelAt(mainlayout::colourSwatch(4))->palette().color(QPalette::Window), QColor(255, 255, 0));
    EXPECT_EQ(fileBytes(rig.program / "config.bin"), configBin);
}

TEST(Commit, TheFirstBuildOfANeverAppliedConfigWritesTheDefaultCaptions)
{
    PageTestRig rig;
    rig.writeStrIni(std::string(PageTestRig::kEnglishIni) + "[Setting-EN]\nItem1=Mine\nItem83=Also mine\n");
    rig.startWith(defaultSettingsRecord(), 1, 0);
    const StrIniSettings::Captions defaults = StrIniSettings::defaultCaptions(Language::English);
    EXPECT_EQ(rig.dlg().resources().captions, defaults);
    EXPECT_EQ(storedStrIni(rig).captions, defaults);
    // Only the first build of a run resets them.
    writeFile(rig.program / "str.ini", std::string(PageTestRig::kEnglishIni) + "[Setting-EN]\nItem1=Later\n");
    rig.click(mainlayout::kCancel.center());
    rig.showFromIcon();
    EXPECT_EQ(rig.caption(kGroup1, 0), "Later");
}

TEST(Commit, AnAppliedConfigKeepsTheStoredCaptions)
{
    PageTestRig rig;
    rig.writeStrIni(std::string(PageTestRig::kEnglishIni) + "[Setting-EN]\nItem1=Mine\nItem83=Also mine\n");
    rig.startWith(defaultSettingsRecord(), 1, 1);
    EXPECT_EQ(rig.caption(kGroup1, 0), "Mine");
    EXPECT_EQ(rig.caption(kGroup2, 7), "Also mine");
    EXPECT_EQ(storedStrIni(rig).captions[0], "Mine");
}

// Picks the skin by name in the skin chooser, sets the colour and ends it with OK.
ScriptedPrompter::DialogAnswer chooseSkin(const QString& name)
{
    return [name](QDialog& dialog) {
        auto& skins = dynamic_cast<SkinsDialog&>(dialog);
        skins.show();
        dialogtest::click(skins, skins.choiceLayout().face.center());
        QListWidget& list = *skins.choiceList();
        const auto found = list.findItems(name, Qt::MatchExactly);
        if (found.isEmpty())
            return int(QDialog::Rejected);
        dialogtest::clickRow(list, list.row(found.front()));
        dialogtest::click(skins, dialoglayout::kSkinsSwatch.center());
        dialogtest::click(skins, dialoglayout::kOk.center());
        return skins.result();
    };
}

TEST(Commit, SkinsOkSwitchesTheSkinStoresItAndRebuildsThePage)
{
    PageTestRig rig;
    rig.startWith();
    rig.click(mainlayout::reportRateMark(2).center());
    rig.dlg().hide();
    rig.prompter.dialogs = {chooseSkin("Crimson")};
    rig.prompter.colours = {QColor(255, 0, 0)};
    rig.click(mainlayout::kSkins.center());
    ASSERT_TRUE(rig.prompter.dialogs.empty());

    EXPECT_EQ(rig.app->skinSettings().name(), "Crimson");
    EXPECT_EQ(rig.app->skinSettings().style().folder, rig.skinFolder("Crimson"));
    EXPECT_EQ(rig.app->skinSettings().style().textColour, QColor(255, 0, 0));
    const SkinStyle& style = rig.dlg().surface().skin().style();
    EXPECT_EQ(style.folder, rig.skinFolder("Crimson"));
    EXPECT_EQ(style.textColour, QColor(255, 0, 0));
    const StrIniSettings::SkinValues stored = storedStrIni(rig).skin;
    EXPECT_EQ(stored.red, "255");
    EXPECT_EQ(stored.green, "0");
    EXPECT_EQ(stored.blue, "0");
    EXPECT_EQ(stored.path, "Crimson");

    // The page is built again from the new skin's images, with the edited settings.
    EXPECT_EQ(rig.state().flags.pageState, PageState::Built);
    const QImage crimsonPage = rig.skinImage(skinfiles::kBasicPage, "Crimson");
    const QPoint plain(450, 130);
    EXPECT_EQ(rig.canvasAt(plain), crimsonPage.pixel(plain) | 0xff000000);
    EXPECT_TRUE(rig.shows(skinfiles::kReportRateLight, mainlayout::reportRateMark(2).topLeft()) ||
                rig.skinImage(skinfiles::kReportRateLight, "Crimson") != rig.skinImage(skinfiles::kReportRateLight));
    EXPECT_EQ(rig.labelAt(mainlayout::kModeValue)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(rig.dlg().isVisible());
}

// The skin settings are the only copy of the skin: a change reaches the open
// page at once and every sub-dialog opened after it, however it was made.
TEST(Commit, ASkinChangeRedrawsTheOpenPageAndReachesTheNextSubDialog)
{
    PageTestRig rig;
    rig.startWith();
    rig.showFromIcon();
    const QPoint plain(450, 130);
    const QImage crimsonPage = rig.skinImage(skinfiles::kBasicPage, "Crimson");
    ASSERT_NE(rig.canvasAt(plain), crimsonPage.pixel(plain) | 0xff000000);

    rig.app->skinSettings().setSkin("Crimson", rig.skinFolder("Crimson"), QColor(255, 0, 0));
    EXPECT_EQ(rig.canvasAt(plain), crimsonPage.pixel(plain) | 0xff000000);
    EXPECT_EQ(rig.labelAt(mainlayout::kModeValue)->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    // The same skin in another text colour is a change too.
    rig.app->skinSettings().setSkin("Crimson", rig.skinFolder("Crimson"), QColor(0, 0, 255));
    EXPECT_EQ(rig.labelAt(mainlayout::kModeValue)->palette().color(QPalette::WindowText), QColor(0, 0, 255));

    const QPoint corner(6, 6);
    const QImage crimsonDialog = rig.skinImage(skinfiles::kSingleKeyDialog, "Crimson");
    ASSERT_NE(crimsonDialog.pixel(corner), rig.skinImage(skinfiles::kSingleKeyDialog).pixel(corner));
    QRgb dialogCorner = 0;
    rig.prompter.dialogs = {[&dialogCorner, corner](QDialog& dialog) {
        auto& single = dynamic_cast<SingleKeyDialog&>(dialog);
        single.show();
        dialogCorner = single.canvas().pixel(corner);
        return int(QDialog::Rejected);
    }};
    rig.chooseFunction(3, kSingleKeyRow);
    ASSERT_TRUE(rig.prompter.dialogs.empty());
    EXPECT_EQ(dialogCorner, crimsonDialog.pixel(corner) | 0xff000000);
}

TEST(Commit, SkinsCancelChangesNothing)
{
    PageTestRig rig;
    rig.startWith();
    const std::string strIni = fileText(rig.program / "str.ini");
    const QImage canvas = rig.dlg().surface().skin().canvas().image();
    rig.click(mainlayout::kSkins.center());
    EXPECT_EQ(rig.app->skinSettings().name(), "Default");
    EXPECT_EQ(fileText(rig.program / "str.ini"), strIni);
    EXPECT_EQ(rig.dlg().surface().skin().canvas().image(), canvas);
}

} // namespace
