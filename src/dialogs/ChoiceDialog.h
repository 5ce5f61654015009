#pragma once

#include "dialogs/SkinnedDialog.h"
#include "dialogs/DialogText.h"

#include "skin/PopupListSet.h"
#include "skin/SurfaceConditions.h"

#include <QLabel>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include <span>
#include <string>

class QListWidget;
class QWheelEvent;

namespace kestrel {

// Where a dialog's drop-down face, its static box and its choice list sit,
// and how the list behaves.
struct ChoiceLayout {
    QRect face;
    QRect box;
    QRect list;
    Qt::Alignment boxAlignment = Qt::AlignLeft;
    bool wheel = false;
};

// The chosen row of a choice list and its text (UTF-8).
struct ChoiceResult {
    int index = 0;
    std::string label;
};

// A sub-dialog with a drop-down face: the face shows the current choice in a
// sunken static box, a click on it opens or closes the choice list below it,
// the row under the pointer becomes the list's current row, and choosing a
// row (a click or double-click on it) makes it the choice and closes the
// list. A press on the surface away from the face and the list closes the
// list before anything else is tested. Dialogs with wheel handling scroll the
// open list three rows per notch.
class ChoiceDialog : public SkinnedDialog, private PopupListListener {
    Q_OBJECT

public:
    static constexpr int kWheelRows = 3;

    ChoiceResult choice() const { return {choiceIndex_, choiceLabel_.toStdString()}; }
    bool isListOpen() const;
    QListWidget* choiceList() const;
    QLabel* choiceBox() const { return box_; }
    const ChoiceLayout& choiceLayout() const { return layout_; }

    // The wheel rule, also for wheel turns over the list itself.
    void wheelTurned(int delta);

    // The row the dialog opens on, instead of row 0: what the button holds
    // already. A row the list does not have is ignored. Call before showing.
    void openOnRow(int row) { openingRow_ = row; }

protected:
    // A dialog whose rows are fixed texts passes them; the others give their rows by overriding rows().
    ChoiceDialog(const DialogContext& context, std::string_view backgroundFile, QString failureCaption,
                  const ChoiceLayout& layout, QWidget* parent, std::span<const DialogText> fixedRows = {});

    // The rows the list opens with; by default the fixed rows in the dialog's language.
    virtual QStringList rows() const;
    // The choice shown when the dialog opens; by default the row given to
    // openOnRow, or row 0.
    virtual void choiceAtOpening();
    // A row was chosen; by default it becomes the choice.
    virtual void rowChosen(int row, const QString& text);
    // Controls beside the face, made after the static box.
    virtual void createOwnControls();
    // Dialog-specific hot spots, tested after the face.
    virtual void pressedElsewhere(QPoint point);
    // The list is about to open, or has just closed.
    virtual void listOpening();
    virtual void listClosed();

    void setChoice(int index, const QString& label);

    void createControls() override;
    void pressBeforeButtons(QPoint point) override;
    void pressAfterButtons(QPoint point) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The dialog's list reacts whenever it is shown.
    struct ListAlwaysLive final : SurfaceConditions {
        bool mousePresent() const override { return true; }
        bool pageBuilt() const override { return true; }
        std::uint8_t sensorType() const override { return 0; }
    };

    void openList();
    void closeList();
    void listChosen(PopupListId id) override;
    void listRowHovered(PopupListId, int) override {}

    ChoiceLayout layout_;
    std::span<const DialogText> fixedRows_;
    ListAlwaysLive listConditions_;
    PopupListSet lists_;
    QPointer<QLabel> box_;
    int choiceIndex_ = 0;
    QString choiceLabel_;
    int openingRow_ = 0;
};

} // namespace kestrel
