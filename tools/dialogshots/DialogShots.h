#pragma once

#include "dialogs/DialogContext.h"

#include <QDir>
#include <QString>

#include <filesystem>
#include <functional>

class QWidget;

namespace kestrel {

class ChoiceDialog;
class SkinnedDialog;

// Renders the sub-dialogs into PNG files named "dialog-*.png": each dialog
// with its list open and a row under the pointer or with a button hovered,
// in the three languages and more than one skin. Returns false at the first
// file it cannot write.
class DialogShots {
public:
    DialogShots(Prompter& prompter, std::filesystem::path skinsRoot, QDir output);

    bool renderAll();
    const QString& failedFile() const { return failedFile_; }

private:
    DialogContext context(Language language, const char* skin = "Default") const;
    bool save(SkinnedDialog& dialog, const QString& name);
    // Opens the list with a click on its face and rests the pointer on the row.
    static void openListAt(ChoiceDialog& dialog, int row);
    static void hover(SkinnedDialog& dialog, QRect button);

    bool fireKey();
    bool choiceDialogs();
    bool singleKey();
    bool skins();

    Prompter& prompter_;
    std::filesystem::path skinsRoot_;
    QDir output_;
    QString failedFile_;
};

} // namespace kestrel
