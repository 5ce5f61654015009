#include "app/MainWindow.h"

#include "app/ScreenPlacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>

#include <utility>

namespace kestrel {

MainWindow::MainWindow(ProgramState& state, const SkinSettings& skinSettings, const StrIniSettings& strIni,
                       std::function<bool()> trayProbe)
    : state_(state)
    , strIni_(strIni)
    , presenter_(resources_.texts, state.settings, state.device)
    , area_(*this, presenter_, std::move(trayProbe))
    , surface_(*this, state, skinSettings)
    , pages_(state.flags)
    , keyFilter_(*this, [this] { hideWindow(); })
{
    setObjectName(QString::fromLatin1(kClassName));
    setWindowTitle(QString::fromLatin1(kTitle));
    setMouseTracking(true);
    resize(kTemplateSize);
    qApp->installEventFilter(&keyFilter_);
    connect(&area_, &NotificationArea::showRequested, this, &MainWindow::requestShow);
    connect(&area_, &NotificationArea::exitRequested, this, &MainWindow::endProgram);
    connect(&area_, &NotificationArea::fallbackShown, this, &MainWindow::preparePageOrWarn);
    connect(&skinSettings, &SkinSettings::skinChanged, this, &MainWindow::skinStyleChanged);
    connect(&skinSettings, &SkinSettings::fontsChanged, this, &MainWindow::skinStyleChanged);
}

MainWindow::~MainWindow()
{
    releaseDeviceAndIcon();
}

void MainWindow::notice(int kind, int value)
{
    presenter_.notice(Notice{kind, value});
}

void MainWindow::hideWindow()
{
    area_.hideWindow();
}

bool MainWindow::pageCanShow() const
{
    return state_.flags.initialised && state_.device.present && !state_.flags.startupStopped;
}

void MainWindow::requestShow()
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

void MainWindow::mouseArrived()
{
    // Without a notification area the window is already up; it gets its page now.
    if (area_.mode() == NotificationArea::Mode::NoNotificationArea && !state_.flags.basicPageInitialised
        && pageCanShow())
        pages_.build();
}

void MainWindow::sensorTypeChanged()
{
    if (state_.flags.pageState == PageState::Built)
        pages_.rebuild();
}

void MainWindow::skinStyleChanged()
{
    // The new skin's page images go over the background already loaded.
    if (state_.flags.pageState == PageState::Built)
        pages_.rebuild();
}

void MainWindow::endProgram()
{
    releaseDeviceAndIcon();
    hide();
    emit programEnded(0);
}

void MainWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    surface_.paint(painter, event->rect());
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    surface_.mousePress(*event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    surface_.mouseMove(*event);
}

void MainWindow::leaveEvent(QEvent*)
{
    surface_.mouseLeave();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A close request only hides the window; the program goes on.
    event->ignore();
    hideWindow();
}

void MainWindow::hideEvent(QHideEvent* event)
{
    closeOpenLists();
    QWidget::hideEvent(event);
}

void MainWindow::closeOpenLists()
{
    // A list left open would come back with the next show, with its rows
    // still answering for a page the user has since left: every way of
    // hiding the window closes them, as a press elsewhere would.
    surface_.skin().lists().closeAll();
}

void MainWindow::changeEvent(QEvent* event)
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

void MainWindow::showEvent(QShowEvent* event)
{
    // A show the program asked for comes before the window is mapped, in time to place it.
    if (!event->spontaneous())
        placeOnScreen();
    QWidget::showEvent(event);
}

void MainWindow::preparePageOrWarn()
{
    if (pageCanShow())
        pages_.prepareForShow([this] { rereadStrIni(); });
    else
        notice(kNoticeMouseNotDetected, 0);
}

void MainWindow::placeOnScreen()
{
    const QScreen* screen = placed_ ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QRect wanted = placed_ ? geometry() : QRect(area.center() - rect().center(), size());
    move(ScreenPlacement::keepInside(area, wanted));
    placed_ = true;
}

void MainWindow::rereadStrIni()
{
    resources_.readStrIni(strIni_, state_.app.language());
}

void MainWindow::releaseDeviceAndIcon()
{
    state_.device.closeHandles();
    area_.removeIcon();
}

} // namespace kestrel
