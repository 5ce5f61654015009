#pragma once

#include "skin/Prompter.h"

namespace kestrel::screenshot {

// Answers every prompt without a window: messages go to standard error, the
// colour chooser and every dialog are cancelled.
class QuietPrompter final : public Prompter {
public:
    void showMessage(QWidget* parent, const QString& text, const QString& caption) override;
    std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) override;
    int runDialog(QDialog& dialog) override;
};

} // namespace kestrel::screenshot
