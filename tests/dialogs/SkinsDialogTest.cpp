#include "DialogTestSupport.h"

#include "dialogs/SkinsDialog.h"
#include "skin/DialogLayout.h"
#include "dialogs/SkinFolderList.h"

#include <QFile>
#include <QListWidget>
#include <QScrollBar>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

namespace kestrel {
namespace {

using namespace dialogtest;

class SkinsDialogTest : public ::testing::Test {
protected:
    SkinsDialogTest()
    {
        inUse = skins.copyOfDefault("Default");
        skins.copyOfDefault("Crimson");
        std::filesystem::create_directories(skins.root() / "BLUE");
        std::ofstream(skins.root() / "readme.txt") << "not a skin";
    }

    std::unique_ptr<SkinsDialog> opened(std::vector<std::filesystem::path> roots)
    {
        auto dialog =
            std::make_unique<SkinsDialog>(contextFor(prompter, inUse), std::move(roots), "Default", &opener);
        dialog->show();
        return dialog;
    }
    std::unique_ptr<SkinsDialog> opened() { return opened({skins.root()}); }

    static QStringList rowsOf(const QListWidget& list)
    {
        QStringList rows;
        for (int row = 0; row < list.count(); ++row)
            rows.append(list.item(row)->text());
        return rows;
    }

    static QListWidget& openList(SkinsDialog& dialog)
    {
        click(dialog, dialoglayout::kChoiceFace.center());
        EXPECT_TRUE(dialog.isListOpen());
        return *dialog.choiceList();
    }

    TestSkins skins;
    std::filesystem::path inUse;
    ScriptedPrompter prompter;
    QWidget opener;
};

TEST_F(SkinsDialogTest, OkWithoutChangesGivesBackTheSkinInUse)
{
    auto dialog = opened();
    EXPECT_EQ(dialog->choiceBox()->text(), "Default");
    click(*dialog, dialoglayout::kOk.center());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const SkinsResult result = dialog->chosenSkin();
    EXPECT_EQ(result.name, "Default");
    EXPECT_EQ(result.folder, inUse);
    EXPECT_EQ(result.colour, (Rgb{0xff, 0x20, 0x20}));
}

TEST_F(SkinsDialogTest, TheListHoldsTheSkinFoldersOnly)
{
    auto dialog = opened();
    QListWidget& list = openList(*dialog);
    EXPECT_EQ(list.geometry(), dialoglayout::kChoiceList);
    EXPECT_EQ(rowsOf(list), (QStringList{"BLUE", "Crimson", "Default"}));
}

TEST_F(SkinsDialogTest, ChoosingARowGivesItsNameAndFolder)
{
    auto dialog = opened();
    clickRow(openList(*dialog), 1);
    settle();
    EXPECT_FALSE(dialog->isListOpen());
    EXPECT_EQ(dialog->choiceBox()->text(), "Crimson");
    const SkinsResult result = dialog->chosenSkin();
    EXPECT_EQ(result.name, "Crimson");
    EXPECT_EQ(result.folder, skins.root() / "Crimson");
    EXPECT_EQ(result.choiceIndex, 1);
}

TEST_F(SkinsDialogTest, AFolderGoneSinceTheListWasFilledKeepsTheFolderInUse)
{
    auto dialog = opened();
    QListWidget& list = openList(*dialog);
    std::filesystem::remove_all(skins.root() / "Crimson");
    clickRow(list, 1);
    EXPECT_EQ(dialog->chosenSkin().name, "Crimson");
    EXPECT_EQ(dialog->chosenSkin().folder, inUse);
}

TEST_F(SkinsDialogTest, TheNameKeptIsTheFoldersOwnAndHiddenFoldersAreSkinsToo)
{
    std::filesystem::create_directories(skins.root() / ".Night");
    auto dialog = opened();
    QListWidget& list = openList(*dialog);
    EXPECT_EQ(rowsOf(list), (QStringList{".Night", "BLUE", "Crimson", "Default"}));
    // Renamed in letter case while the list was open: the folder's new name is kept.
    std::filesystem::rename(skins.root() / "Crimson", skins.root() / "CRIMSON");
    clickRow(list, 2);
    settle();
    EXPECT_EQ(dialog->chosenSkin().name, "CRIMSON");
    EXPECT_EQ(dialog->chosenSkin().folder, skins.root() / "CRIMSON");
    EXPECT_EQ(dialog->choiceBox()->text(), "CRIMSON");
}

TEST_F(SkinsDialogTest, NamesMatchFoldersWithoutRegardToCaseButAnExactMatchComesFirst)
{
    EXPECT_EQ(SkinFolderList::find({skins.root()}, "Blue"), skins.root() / "BLUE");
    EXPECT_EQ(SkinFolderList::find({skins.root()}, "crimson"), skins.root() / "Crimson");
    EXPECT_EQ(SkinFolderList::find({skins.root()}, "readme.txt"), std::nullopt);
    EXPECT_EQ(SkinFolderList::find({skins.root()}, "Green"), std::nullopt);
    std::filesystem::create_directories(skins.root() / "Blue");
    EXPECT_EQ(SkinFolderList::find({skins.root()}, "Blue"), skins.root() / "Blue");
    EXPECT_EQ(SkinFolderList::find({skins.root()}, "BLUE"), skins.root() / "BLUE");
}

TEST_F(SkinsDialogTest, TheUsersOwnSkinsAreListedWithTheShippedOnesAndHideAShippedSkinOfTheSameName)
{
    const std::filesystem::path own = skins.root().parent_path() / "own";
    std::filesystem::create_directories(own / "Crimson");
    std::filesystem::create_directories(own / "Amber");
    std::filesystem::create_directories(own / "blue");
    auto dialog = opened({own, skins.root()});
    QListWidget& list = openList(*dialog);
    EXPECT_EQ(rowsOf(list), (QStringList{"Amber", "BLUE", "Crimson", "Default", "blue"}));
    clickRow(list, 2);
    EXPECT_EQ(dialog->chosenSkin().folder, own / "Crimson");
    // An exact name in a later root beats a name that matches only without regard to case.
    EXPECT_EQ(SkinFolderList::find({own, skins.root()}, "BLUE"), skins.root() / "BLUE");
    EXPECT_EQ(SkinFolderList::find({own, skins.root()}, "Blue"), own / "blue");
    EXPECT_EQ(SkinFolderList::find({own, skins.root()}, "Default"), skins.root() / "Default");
}

TEST_F(SkinsDialogTest, TheSwatchOpensTheColourChooser)
{
    auto dialog = opened();
    ASSERT_NE(dialog->colourSwatch(), nullptr);
    EXPECT_EQ(dialog->colourSwatch()->geometry(), dialoglayout::kSkinsSwatch);
    EXPECT_EQ(dialog->colourSwatch()->palette().color(QPalette::Window), QColor(kTextColour));

    prompter.colours = {QColor(255, 0, 0), std::nullopt};
    click(*dialog, dialoglayout::kSkinsSwatch.center());
    ASSERT_EQ(prompter.chooserStarts.size(), 1u);
    EXPECT_EQ(prompter.chooserStarts[0], QColor(kTextColour));
    EXPECT_EQ(dialog->colourSwatch()->palette().color(QPalette::Window), QColor(255, 0, 0));

    // A cancelled chooser keeps the colour.
    click(*dialog, dialoglayout::kSkinsSwatch.topLeft());
    EXPECT_EQ(prompter.chooserStarts.size(), 2u);
    EXPECT_EQ(dialog->colourSwatch()->palette().color(QPalette::Window), QColor(255, 0, 0));
    // Just outside the swatch nothing opens.
    click(*dialog, dialoglayout::kSkinsSwatch.bottomRight() + QPoint(1, 1));
    EXPECT_EQ(prompter.chooserStarts.size(), 2u);

    click(*dialog, dialoglayout::kOk.center());
    EXPECT_EQ(dialog->chosenSkin().colour, (Rgb{255, 0, 0}));
}

TEST_F(SkinsDialogTest, WithoutASkinsFolderTheListIsEmptyAndOkKeepsTheSkinInUse)
{
    auto dialog = opened({skins.root() / "Absent"});
    EXPECT_EQ(openList(*dialog).count(), 0);
    click(*dialog, dialoglayout::kOk.center());
    EXPECT_EQ(dialog->chosenSkin().name, "Default");
    EXPECT_EQ(dialog->chosenSkin().folder, inUse);
}

TEST_F(SkinsDialogTest, BelowTheLastRowTheLastRowIsSelectedAndTheWheelScrolls)
{
    auto dialog = opened();
    QListWidget& list = openList(*dialog);
    const QRect last = list.visualItemRect(list.item(2));
    move(*list.viewport(), {last.center().x(), last.bottom() + 20});
    EXPECT_EQ(list.currentRow(), 2);
    EXPECT_EQ(dialog->chosenSkin().name, "Default");

    for (int i = 0; i < 20; ++i)
        std::filesystem::create_directories(skins.root() / ("Extra" + std::to_string(i)));
    click(*dialog, dialoglayout::kChoiceFace.center());
    QListWidget& longer = openList(*dialog);
    EXPECT_EQ(longer.count(), 23);
    wheel(*dialog, {300, 40}, -120);
    EXPECT_EQ(longer.verticalScrollBar()->value(), 3);
}

} // namespace
} // namespace kestrel
