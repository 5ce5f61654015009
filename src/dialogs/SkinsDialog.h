#pragma once

#include "dialogs/ChoiceDialog.h"

#include "config/SettingsRecord.h"

#include <QLabel>
#include <QPointer>

#include <filesystem>
#include <string>
#include <vector>

namespace kestrel {

// The skin and text colour the user chose. A dialog ended with OK without
// changes gives back the skin and colour in use.
struct SkinsResult {
    std::string name;
    std::filesystem::path folder;
    Rgb colour;
    int choiceIndex = 0;
};

// The skin chooser: a list of the skin folders of every skins root and a swatch of the
// skin text colour that opens the colour chooser. The dialog's own artwork
// comes from the skin in use. It only returns the choice; the opener
// switches skins with it.
class SkinsDialog final : public ChoiceDialog {
    Q_OBJECT

public:
    // The skin in use is the context's skin folder and text colour and the given name.
    SkinsDialog(const DialogContext& context, std::vector<std::filesystem::path> skinsRoots, const std::string& skinNameInUse,
                 QWidget* parent);

    SkinsResult chosenSkin() const;
    QLabel* colourSwatch() const { return swatch_; }

protected:
    QStringList rows() const override;
    void choiceAtOpening() override;
    void rowChosen(int row, const QString& text) override;
    void createOwnControls() override;
    void pressedElsewhere(QPoint point) override;
    void drawOwnTexts(SkinPainter& painter) override;

private:
    void paintSwatch();

    std::vector<std::filesystem::path> skinsRoots_;
    std::filesystem::path chosenFolder_;
    QColor chosenColour_;
    QPointer<QLabel> swatch_;
};

} // namespace kestrel
