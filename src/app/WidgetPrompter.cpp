#include "WidgetPrompter.h"

#include <QColorDialog>
#include <QDialog>
#include <QMessageBox>

namespace kestrel {

void WidgetPrompter::showMessage(QWidget* parent, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QColor> WidgetPrompter::chooseColour(QWidget* parent, const QColor& initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

int WidgetPrompter::runDialog(QDialog& dialog)
{
    return dialog.exec();
}

} // namespace kestrel
