#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QDialog;
class QWidget;

namespace kestrel {

// Every modal interaction of the program goes through here: message boxes,
// the colour chooser and the runs of sub-dialogs. The program uses the
// widget-backed prompter; tests answer from a script instead of blocking.
class Prompter {
public:
    virtual ~Prompter() = default;

    // A modal message box with an OK button, owned by `parent` (may be null).
    virtual void showMessage(QWidget* parent, const QString& text, const QString& caption) = 0;
    // The colour chooser; nullopt when the user cancelled it.
    virtual std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) = 0;
    // Runs the dialog modally and returns its result (QDialog::Accepted or Rejected).
    virtual int runDialog(QDialog& dialog) = 0;
};

} // namespace kestrel
