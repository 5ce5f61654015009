#include "app/WidgetPrompter.h"

#include <QColorDialog>
#include <QDialog>
#include <QMessageBox>

namespace kestrel {

// Every prompt is modal to the window it belongs to, never to the whole
// program, so that the notification icon's menu stays usable meanwhile.
void WidgetPrompter::showMessage(QWidget* parent, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::WindowModal);
    box.exec();
}

std::optional<QColor> WidgetPrompter::chooseColour(QWidget* parent, const QColor& initial)
{
    QColorDialog dialog(initial, parent);
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
        return std::nullopt;
    return dialog.selectedColor();
}

int WidgetPrompter::runDialog(QDialog& dialog)
{
    dialog.setWindowModality(Qt::WindowModal);
    return dialog.exec();
}

} // namespace kestrel
