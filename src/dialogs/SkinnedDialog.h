#pragma once

#include "dialogs/DialogContext.h"

#include "skin/CanvasPainter.h"
#include "skin/MessageReporter.h"
#include "skin/SkinCanvas.h"
#include "skin/SkinImageCache.h"
#include "skin/SkinPainter.h"

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QTimer>

#include <array>
#include <optional>
#include <string_view>

class QLabel;
class QKeyEvent;
class QMouseEvent;
class QPaintEvent;

namespace kestrel {

// The frame every sub-dialog shares: a captionless modal window over the top
// left corner of its opener, sized to its background image and drawn from it,
// with OK, Cancel and close image buttons that show their hover images while
// the pointer rests on them. OK and Enter end it with Accepted, Cancel, the
// close button and Escape with Rejected. It opens on its first show: a
// background that cannot be decoded is reported ("error" under the dialog's
// own caption) and leaves a zero-sized dialog without texts or controls.
// Each dialog adds its controls, its drawn texts and its hot spots.
class SkinnedDialog : public QDialog, private CanvasTarget, private MessageReporter {
    Q_OBJECT

public:
    enum class FrameButton { Ok, Cancel, Close };
    static constexpr int kHoverRestMilliseconds = 10;
    static constexpr QRgb kControlBackground = 0x282828;

    ~SkinnedDialog() override;

    // Runs the dialog modally through the prompter; true when it ended with OK.
    bool runModal();

    // The first show opens the dialog before it appears.
    void setVisible(bool visible) override;

    bool isOpened() const { return opened_; }
    bool hasBackground() const { return !canvas_.isNull(); }
    const QImage& canvas() const { return canvas_.image(); }
    const SkinImageCache& images() const { return images_; }
    bool isOver(FrameButton button) const { return over_[index(button)]; }
    const QTimer& hoverTimer() const { return hoverTimer_; }
    // The pointer came to rest at the point (the hover timer's notice).
    void hoverNotice(QPoint point);

    static QRect rectOf(FrameButton button);

protected:
    SkinnedDialog(const DialogContext& context, std::string_view backgroundFile, QString failureCaption,
               QWidget* parent);

    const DialogContext& context() const { return context_; }
    Language language() const { return context_.language; }
    const QFont& dialogFont() const { return context_.style.normalFont; }

    // White text on dark grey in the dialog font, as every native child has.
    void colourControl(QWidget& control) const;
    // A sunken static text box over the dialog's artwork; clicks pass through
    // it to the dialog.
    QLabel* makeStaticBox(const QRect& rect, Qt::Alignment alignment, const QString& text);

    // Draws a text in the skin text colour (or the given one) and the dialog
    // font, kept inside the dialog when it is wider than its rectangle.
    void drawText(SkinPainter& painter, const QRect& rect, const QString& text, TextLayout layout) const;
    void drawText(SkinPainter& painter, const QRect& rect, const QString& text, TextLayout layout,
                  const QColor& colour) const;

    // Creates the dialog's own child controls once the background is loaded.
    virtual void createControls() = 0;
    // Draws the dialog's own texts after the OK and Cancel captions.
    virtual void drawOwnTexts(SkinPainter& painter);
    // Left presses on the surface: before and after the OK, Cancel and
    // close tests.
    virtual void pressBeforeButtons(QPoint point);
    virtual void pressAfterButtons(QPoint point);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static std::size_t index(FrameButton button) { return static_cast<std::size_t>(button); }
    static std::optional<FrameButton> buttonAt(QPoint point);

    void initialise();
    void placeOverOpener();
    // The whole frame in its normal state, with every text.
    void composeFrame();
    void drawButton(CanvasPainter& dc, FrameButton button, bool over);
    void returnToNormal();
    // Stops a pending hover notice and draws every hovered button normal.
    void endHover();
    QString captionOf(FrameButton button) const;

    void present() override;
    void showMessage(std::string_view text, std::string_view caption) override;

    DialogContext context_;
    std::string_view backgroundFile_;
    QString failureCaption_;
    SkinCanvas canvas_;
    // The frame buttons' images, decoded once for the dialog's life.
    SkinImageCache images_;
    bool opened_ = false;
    std::array<bool, 3> over_{};
    QTimer hoverTimer_;
    QPoint restPoint_;
};

} // namespace kestrel
