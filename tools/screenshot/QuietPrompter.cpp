#include "QuietPrompter.h"

#include <QDialog>

#include <iostream>

namespace kestrel::screenshot {

void QuietPrompter::showMessage(QWidget*, const QString& text, const QString& caption)
{
    std::cerr << "kestrel-screenshot: message \"" << text.toStdString() << "\" (" << caption.toStdString() << ")\n";
}

std::optional<QColor> QuietPrompter::chooseColour(QWidget*, const QColor&) { return std::nullopt; }

int QuietPrompter::runDialog(QDialog&) { return QDialog::Rejected; }

} // namespace kestrel::screenshot
