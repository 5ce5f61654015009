#include "dialogs/SkinnedDialog.h"

#include "dialogs/DialogText.h"
#include "dialogs/TextFit.h"

#include "skin/ControlColours.h"
#include "skin/DialogLayout.h"
#include "skin/SkinImage.h"
#include "skin/SkinFiles.h"
#include "skin/SkinFolder.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

namespace kestrel {

namespace {

constexpr DialogText kOkCaption{"OK", "确定", "確定"};
constexpr DialogText kCancelCaption{"Cancel", "取消", "取消"};
constexpr const char* kBackgroundFailedText = "error";
constexpr QRgb kSunkenShadow = 0x0a0a0c;
constexpr QRgb kSunkenLight = 0x4a4a4e;

} // namespace

SkinnedDialog::SkinnedDialog(const DialogContext& context, std::string_view backgroundFile, QString failureCaption,
                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , context_(context)
    , backgroundFile_(backgroundFile)
    , failureCaption_(std::move(failureCaption))
{
    // Modal to the main window only: the notification icon's menu, "Exit"
    // included, stays usable while a dialog is open.
    setWindowModality(Qt::WindowModal);
    setMouseTracking(true);
    setFont(dialogFont());
    hoverTimer_.setSingleShot(true);
    hoverTimer_.setInterval(kHoverRestMilliseconds);
    connect(&hoverTimer_, &QTimer::timeout, this, [this] { hoverNotice(restPoint_); });
}

SkinnedDialog::~SkinnedDialog() = default;

bool SkinnedDialog::runModal() { return context_.prompter.runDialog(*this) == QDialog::Accepted; }

void SkinnedDialog::setVisible(bool visible)
{
    if (visible && !opened_)
        initialise();
    QDialog::setVisible(visible);
}

QRect SkinnedDialog::rectOf(FrameButton button)
{
    switch (button) {
    case FrameButton::Ok:
        return dialoglayout::kOk;
    case FrameButton::Cancel:
        return dialoglayout::kCancel;
    case FrameButton::Close:
        return dialoglayout::kClose;
    }
    return {};
}

std::optional<SkinnedDialog::FrameButton> SkinnedDialog::buttonAt(QPoint point)
{
    for (const FrameButton button : {FrameButton::Close, FrameButton::Ok, FrameButton::Cancel}) {
        if (rectOf(button).contains(point))
            return button;
    }
    return std::nullopt;
}

void SkinnedDialog::initialise()
{
    opened_ = true;
    placeOverOpener();
    const bool loaded = canvas_.loadBackground(SkinFolder::imagePath(context_.style.folder, backgroundFile_));
    setFixedSize(canvas_.size());
    if (!loaded) {
        context_.prompter.showMessage(this, kBackgroundFailedText, failureCaption_);
        // Without its image the dialog has no size, no buttons and nothing
        // that could end it, so it ends here as Cancel. Queued, so that the
        // modal run this show belongs to ends too.
        QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
        return;
    }
    createControls();
    composeFrame();
}

void SkinnedDialog::placeOverOpener()
{
    if (const QWidget* opener = parentWidget())
        move(opener->mapToGlobal(QPoint(0, 0)));
}

void SkinnedDialog::colourControl(QWidget& control) const
{
    ControlColours::apply(control, {QColor(Qt::white), QColor(kControlBackground), true}, dialogFont());
}

QLabel* SkinnedDialog::makeStaticBox(const QRect& rect, Qt::Alignment alignment, const QString& text)
{
    auto* box = new QLabel(text, this);
    box->setGeometry(rect);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setLineWidth(1);
    box->setAlignment(alignment | Qt::AlignVCenter);
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    colourControl(*box);
    // The sunken edge in the dark greys of the controls, not the light system ones.
    QPalette edges = box->palette();
    edges.setColor(QPalette::Dark, QColor(kSunkenShadow));
    edges.setColor(QPalette::Light, QColor(kSunkenLight));
    box->setPalette(edges);
    box->show();
    return box;
}

void SkinnedDialog::drawText(SkinPainter& painter, const QRect& rect, const QString& text, TextLayout layout) const
{
    drawText(painter, rect, text, layout, context_.style.textColour);
}

void SkinnedDialog::drawText(SkinPainter& painter, const QRect& rect, const QString& text, TextLayout layout,
                          const QColor& colour) const
{
    const FittedText fitted = TextFit::fit(rect, text, dialogFont(), layout, canvas_.size().width());
    painter.text(fitted.rect, fitted.text, fitted.font, colour, fitted.layout);
}

void SkinnedDialog::drawOwnTexts(SkinPainter&) {}

void SkinnedDialog::pressBeforeButtons(QPoint) {}

void SkinnedDialog::pressAfterButtons(QPoint) {}

QString SkinnedDialog::captionOf(FrameButton button) const
{
    switch (button) {
    case FrameButton::Ok:
        return kOkCaption.in(language());
    case FrameButton::Cancel:
        return kCancelCaption.in(language());
    case FrameButton::Close:
        break;
    }
    return {};
}

void SkinnedDialog::drawButton(CanvasPainter& dc, FrameButton button, bool over)
{
    if (!dc.isActive())
        return;
    const bool close = button == FrameButton::Close;
    const std::string_view normal = close ? skinfiles::kCloseNormal : skinfiles::kButtonNormal;
    const std::string_view hovered = close ? skinfiles::kCloseOver : skinfiles::kButtonOver;
    const QRect rect = rectOf(button);
    drawSkinImage(dc.painter(), images_, SkinFolder::imagePath(context_.style.folder, over ? hovered : normal), rect.left(),
            rect.top(), *this);
    SkinPainter painter(dc, context_.style, images_);
    drawText(painter, rect, captionOf(button), TextLayout::Centred);
}

void SkinnedDialog::composeFrame()
{
    CanvasPainter dc(canvas_, *this);
    drawButton(dc, FrameButton::Ok, false);
    drawButton(dc, FrameButton::Cancel, false);
    if (dc.isActive()) {
        SkinPainter painter(dc, context_.style, images_);
        drawOwnTexts(painter);
    }
    drawButton(dc, FrameButton::Close, false);
    over_ = {};
}

void SkinnedDialog::returnToNormal()
{
    CanvasPainter dc(canvas_, *this);
    for (const FrameButton button : {FrameButton::Ok, FrameButton::Cancel, FrameButton::Close}) {
        if (over_[index(button)])
            drawButton(dc, button, false);
    }
    over_ = {};
}

void SkinnedDialog::hoverNotice(QPoint point)
{
    const std::optional<FrameButton> button = buttonAt(point);
    if (!button)
        return;
    CanvasPainter dc(canvas_, *this);
    drawButton(dc, *button, true);
    over_[index(*button)] = true;
    // OK and Cancel hand the hover state to each other; the close button keeps its own.
    const FrameButton partner = *button == FrameButton::Ok ? FrameButton::Cancel : FrameButton::Ok;
    if (*button != FrameButton::Close && over_[index(partner)]) {
        drawButton(dc, partner, false);
        over_[index(partner)] = false;
    }
}

void SkinnedDialog::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (buttonAt(point)) {
        restPoint_ = point;
        hoverTimer_.start();
        QDialog::mouseMoveEvent(event);
        return;
    }
    // A pointer that only passed over a button never rested on it.
    endHover();
    QDialog::mouseMoveEvent(event);
}

void SkinnedDialog::leaveEvent(QEvent* event)
{
    // No further move over the dialog would return a button left this way.
    endHover();
    QDialog::leaveEvent(event);
}

void SkinnedDialog::endHover()
{
    hoverTimer_.stop();
    if (over_[0] || over_[1] || over_[2])
        returnToNormal();
}

void SkinnedDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QDialog::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    pressBeforeButtons(point);
    if (const std::optional<FrameButton> button = buttonAt(point))
        *button == FrameButton::Ok ? accept() : reject();
    pressAfterButtons(point);
    QDialog::mousePressEvent(event);
}

void SkinnedDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SkinnedDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    canvas_.showOn(painter);
}

void SkinnedDialog::present() { update(); }

void SkinnedDialog::showMessage(std::string_view text, std::string_view caption)
{
    const QString shownCaption = caption.empty() ? context_.programName : utf8ToQString(caption);
    context_.prompter.showMessage(this, utf8ToQString(text), shownCaption);
}

} // namespace kestrel
