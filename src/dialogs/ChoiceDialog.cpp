#include "dialogs/ChoiceDialog.h"

#include "skin/FontFit.h"
#include "skin/PopupListLook.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace kestrel {

namespace {

// How far a label aligned to one side sets its text in from that side: a
// framed one half an "x" unless an indent is given.
int textIndent(const QLabel& box)
{
    if (!(box.alignment() & (Qt::AlignLeft | Qt::AlignRight)))
        return 0;
    if (box.indent() >= 0 || box.frameWidth() == 0)
        return std::max(box.indent(), 0);
    return QFontMetrics(box.font()).horizontalAdvance(QLatin1Char('x')) / 2;
}

} // namespace

ChoiceDialog::ChoiceDialog(const DialogContext& context, std::string_view backgroundFile, QString failureCaption,
                             const ChoiceLayout& layout, QWidget* parent, std::span<const DialogText> fixedRows)
    : SkinnedDialog(context, backgroundFile, std::move(failureCaption), parent)
    , layout_(layout)
    , fixedRows_(fixedRows)
    , lists_(*this, listConditions_)
{
    lists_.setListener(this);
}

bool ChoiceDialog::isListOpen() const { return lists_.exists(PopupListId::dialogChoiceList()); }

QListWidget* ChoiceDialog::choiceList() const { return lists_.list(PopupListId::dialogChoiceList()); }

QStringList ChoiceDialog::rows() const { return textsIn(fixedRows_, language()); }

void ChoiceDialog::choiceAtOpening()
{
    const QStringList rowTexts = rows();
    const int row = openingRow_ >= 0 && openingRow_ < rowTexts.size() ? openingRow_ : 0;
    setChoice(row, rowTexts.isEmpty() ? QString() : rowTexts[row]);
}

void ChoiceDialog::rowChosen(int row, const QString& text) { setChoice(row, text); }

void ChoiceDialog::createOwnControls() {}

void ChoiceDialog::pressedElsewhere(QPoint) {}

void ChoiceDialog::listOpening() {}

void ChoiceDialog::listClosed() {}

void ChoiceDialog::setChoice(int index, const QString& label)
{
    choiceIndex_ = index;
    choiceLabel_ = label;
    if (!box_)
        return;
    // A label longer than the box is set smaller to show whole; only one
    // still too long at the smallest size ends in an ellipsis.
    const int room = box_->contentsRect().width() - textIndent(*box_);
    const QFont font = FontFit::toFit(dialogFont(), label, room);
    box_->setFont(font);
    box_->setText(QFontMetrics(font).elidedText(label, Qt::ElideRight, room));
    box_->setToolTip(label);
}

void ChoiceDialog::createControls()
{
    choiceAtOpening();
    box_ = makeStaticBox(layout_.box, layout_.boxAlignment, QString());
    setChoice(choiceIndex_, choiceLabel_);
    createOwnControls();
}

void ChoiceDialog::openList()
{
    listOpening();
    QListWidget& list = lists_.create(PopupListId::dialogChoiceList(), layout_.list, rows(), dialogFont());
    colourControl(list);
    PopupListLook::forDialog(list, dialogFont());
    list.viewport()->installEventFilter(this);
    lists_.setOpenFlag(PopupListId::dialogChoiceList(), true);
}

void ChoiceDialog::closeList()
{
    lists_.close(PopupListId::dialogChoiceList());
    listClosed();
}

void ChoiceDialog::listChosen(PopupListId id)
{
    const QListWidget* list = lists_.list(id);
    lists_.setOpenFlag(id, false);
    const int row = list == nullptr ? -1 : list->currentRow();
    if (row < 0)
        return;
    const QString text = list->item(row)->text();
    closeList();
    rowChosen(row, text);
}

void ChoiceDialog::pressBeforeButtons(QPoint point)
{
    if (isListOpen() && !layout_.face.contains(point) && !layout_.list.contains(point))
        closeList();
}

void ChoiceDialog::pressAfterButtons(QPoint point)
{
    if (hasBackground() && layout_.face.contains(point))
        isListOpen() ? closeList() : openList();
    pressedElsewhere(point);
}

void ChoiceDialog::wheelTurned(int delta)
{
    QListWidget* list = choiceList();
    if (!layout_.wheel || list == nullptr)
        return;
    QScrollBar* bar = list->verticalScrollBar();
    bar->setValue(bar->value() + (delta <= 0 ? kWheelRows : -kWheelRows));
}

void ChoiceDialog::wheelEvent(QWheelEvent* event)
{
    wheelTurned(event->angleDelta().y());
    event->accept();
}

bool ChoiceDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Over the list the dialog's own wheel rule applies, not the list's scrolling.
    const QListWidget* list = choiceList();
    if (event->type() == QEvent::Wheel && list != nullptr && watched == list->viewport()) {
        wheelTurned(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    return SkinnedDialog::eventFilter(watched, event);
}

} // namespace kestrel
