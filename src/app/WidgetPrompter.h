#pragma once

#include "skin/Prompter.h"

namespace kestrel {

// The real prompter: QMessageBox, QColorDialog and QDialog::exec.
class WidgetPrompter final : public Prompter {
public:
    void showMessage(QWidget* parent, const QString& text, const QString& caption) override;
    std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial) override;
    int runDialog(QDialog& dialog) override;
};

} // namespace kestrel
