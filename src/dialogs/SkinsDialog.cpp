#include "dialogs/SkinsDialog.h"

#include "dialogs/DialogText.h"
#include "dialogs/SkinFolderList.h"

#include "skin/ControlColours.h"
#include "skin/DialogLayout.h"
#include "skin/SkinFiles.h"

#include <QLabel>

#include <utility>

namespace kestrel {

namespace {

constexpr DialogText kPrompt{"Please click to set the UI text color", "请点击设置UI文本颜色", "請點擊設置UI文本顏色"};

} // namespace

SkinsDialog::SkinsDialog(const DialogContext& context, std::vector<std::filesystem::path> skinsRoots,
                           const std::string& skinNameInUse, QWidget* parent)
    : ChoiceDialog(context, skinfiles::kSkinsDialog, QStringLiteral("Skins Dialog Load background image failed!!!"),
                    {dialoglayout::kChoiceFace, dialoglayout::kChoiceBox, dialoglayout::kChoiceList,
                     Qt::AlignLeft, true},
                    parent)
    , skinsRoots_(std::move(skinsRoots))
    , chosenFolder_(context.style.folder)
    , chosenColour_(context.style.textColour)
{
    // Whether or not the dialog manages to open, OK keeps the skin in use.
    setChoice(0, utf8ToQString(skinNameInUse));
}

SkinsResult SkinsDialog::chosenSkin() const
{
    const ChoiceResult name = choice();
    const Rgb colour{static_cast<std::uint8_t>(chosenColour_.red()), static_cast<std::uint8_t>(chosenColour_.green()),
                     static_cast<std::uint8_t>(chosenColour_.blue())};
    return {name.label, chosenFolder_, colour, name.index};
}

QStringList SkinsDialog::rows() const { return SkinFolderList::names(skinsRoots_); }

void SkinsDialog::choiceAtOpening() {}

void SkinsDialog::rowChosen(int row, const QString& text)
{
    setChoice(row, text);
    // The folder is looked up again: it may have gone, or been renamed in
    // letter case, since the list was filled. The name kept is the folder's
    // own, so that the next start finds it on a case-sensitive file system.
    if (const std::optional<std::filesystem::path> folder = SkinFolderList::find(skinsRoots_, text)) {
        chosenFolder_ = *folder;
        setChoice(row, QString::fromStdU16String(folder->filename().u16string()));
    }
}

void SkinsDialog::createOwnControls()
{
    swatch_ = new QLabel(this);
    swatch_->setGeometry(dialoglayout::kSkinsSwatch);
    swatch_->setAttribute(Qt::WA_TransparentForMouseEvents);
    paintSwatch();
    swatch_->show();
}

void SkinsDialog::paintSwatch()
{
    ControlColours::apply(*swatch_, {std::nullopt, chosenColour_, false}, dialogFont());
}

void SkinsDialog::pressedElsewhere(QPoint point)
{
    if (!swatch_ || !dialoglayout::kSkinsSwatch.contains(point))
        return;
    if (const std::optional<QColor> colour = context().prompter.chooseColour(this, chosenColour_)) {
        chosenColour_ = *colour;
        paintSwatch();
    }
}

void SkinsDialog::drawOwnTexts(SkinPainter& painter)
{
    drawText(painter, dialoglayout::kSkinsPrompt, kPrompt.in(language()), TextLayout::Centred);
}

} // namespace kestrel
