#include "CKestrelDlg.h"

#include "ScreenPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>

#include <utility>

namespace kestrel {

CKestrelDlg::CKestrelDlg(ProgramState& state, const StrIniSettings& strIni, std::function<bool()> trayProbe)
    : state_(state)
    , strIni_(strIni)
    , presenter_(resources_.texts, state)
    , area_(*this, presenter_, std::move(trayProbe))
    , surface_(*this, state)
    , pages_(state.flags)
    , keyFilter_(*this, [this] { hideWindow(); })
{
    setObjectName(QString::fromLatin1(kClassName));
    setWindowTitle(QString::fromLatin1(kTitle));
    setMouseTracking(true);
    resize(kTemplateSize);
    qApp->installEventFilter(&keyFilter_);
    connect(&area_, &NotificationArea::showRequested, this, &CKestrelDlg::requestShow);
    connect(&area_, &NotificationArea::exitRequested, this, &CKestrelDlg::endProgram);
    connect(&area_, &NotificationArea::fallbackShown, this, &CKestrelDlg::preparePageOrWarn);
}

CKestrelDlg::~CKestrelDlg()
{
    releaseDeviceAndIcon();
}

void CKestrelDlg::notice(int kind, int value)
{
    presenter_.notice(Notice{kind, value});
}

void CKestrelDlg::hideWindow()
{
    area_.hideWindow();
}

bool CKestrelDlg::pageCanShow() const
{
    return state_.flags.initialised && state_.device.present && !state_.flags.startupStopped;
}

void CKestrelDlg::requestShow()
{
    // A click while start-up still runs (its message box open, say) is not
    // remembered: the user clicks again once the icon answers.
    if (!state_.flags.initialised)
        return;
    if (!pageCanShow()) {
        notice(kNoticeMouseNotDetected, 0);
        return;
    }
    pages_.prepareForShow([this] { rereadStrIni(); });
    // Without a notification area hiding minimised the window; a request
    // from a second copy ("--show") brings it back.
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void CKestrelDlg::mouseArrived()
{
    // Without a notification area the window is already up; it gets its page now.
    if (area_.mode() == NotificationArea::Mode::NoNotificationArea && !state_.flags.basicPageInitialised
        && pageCanShow())
        pages_.build();
}

void CKestrelDlg::sensorTypeChanged()
{
    if (state_.flags.pageState == PageState::Built)
        pages_.rebuild();
}

void CKestrelDlg::endProgram()
{
    releaseDeviceAndIcon();
    hide();
    emit programEnded(0);
}

void CKestrelDlg::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    surface_.paint(painter, event->rect());
}

void CKestrelDlg::mousePressEvent(QMouseEvent* event)
{
    surface_.mousePress(*event);
}

void CKestrelDlg::mouseMoveEvent(QMouseEvent* event)
{
    surface_.mouseMove(*event);
}

void CKestrelDlg::leaveEvent(QEvent*)
{
    surface_.mouseLeave();
}

void CKestrelDlg::closeEvent(QCloseEvent* event)
{
    // A close request only hides the window; the program goes on.
    event->ignore();
    hideWindow();
}

void CKestrelDlg::hideEvent(QHideEvent* event)
{
    closeOpenLists();
    QWidget::hideEvent(event);
}

void CKestrelDlg::closeOpenLists()
{
    // A list left open would come back with the next show, with its rows
    // still answering for a page the user has since left: every way of
    // hiding the window closes them, as a press elsewhere would.
    surface_.skin().lists().closeAll();
}

void CKestrelDlg::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        closeOpenLists();
    if (event->type() != QEvent::WindowStateChange || area_.mode() != NotificationArea::Mode::NoNotificationArea)
        return;
    // Brought back from the task bar: the same page rules as a show from the icon.
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    if (change->oldState().testFlag(Qt::WindowMinimized) && !isMinimized() && state_.flags.initialised)
        preparePageOrWarn();
}

void CKestrelDlg::showEvent(QShowEvent* event)
{
    // A show the program asked for comes before the window is mapped, in time to place it.
    if (!event->spontaneous())
        placeOnScreen();
    QWidget::showEvent(event);
}

void CKestrelDlg::preparePageOrWarn()
{
    if (pageCanShow())
        pages_.prepareForShow([this] { rereadStrIni(); });
    else
        notice(kNoticeMouseNotDetected, 0);
}

void CKestrelDlg::placeOnScreen()
{
    const QScreen* screen = placed_ ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QRect wanted = placed_ ? geometry() : QRect(area.center() - rect().center(), size());
    move(ScreenPlacement::keepInside(area, wanted));
    placed_ = true;
}

void CKestrelDlg::rereadStrIni()
{
    resources_.readStrIni(strIni_, state_.app.language());
}

void CKestrelDlg::releaseDeviceAndIcon()
{
    state_.device.closeHandles();
    area_.removeIcon();
}

} // namespace kestrel
