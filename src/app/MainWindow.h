#pragma once

#include "app/MainWindowResources.h"
#include "app/HideKeyFilter.h"
#include "app/NoticePresenter.h"
#include "app/NotificationArea.h"
#include "app/PageKeeper.h"
#include "app/ProgramState.h"
#include "app/SkinnedSurface.h"

#include "device/DeviceEventSink.h"
#include "config/StrIniSettings.h"

#include <QSize>
#include <QWidget>

#include <functional>
#include <memory>

namespace kestrel {

// The main window: skinned, frameless, hidden into the notification area.
// It shows itself only when the notification icon asks and the mouse is
// present; Enter, Escape, a close request and the minimise hot spot hide it,
// and any way of hiding it closes its open popup lists;
// "Exit" and the close hot spot end the program. Painting and the mouse go
// to its skinned surface, notices to the notification area, the page to PageKeeper.
class MainWindow final : public QWidget, public DeviceEventSink {
    Q_OBJECT

public:
    static constexpr const char* kClassName = "QX8-216GMClass";
    static constexpr const char* kTitle = "Gaming Mouse Setting";
    // The size the window has until the skin's main.png gives it its own.
    static constexpr QSize kTemplateSize{900, 650};

    MainWindow(ProgramState& state, const SkinSettings& skinSettings, const StrIniSettings& strIni,
               std::function<bool()> trayProbe);
    ~MainWindow() override;

    MainWindowResources& resources() { return resources_; }
    NotificationArea& notificationArea() { return area_; }
    PageKeeper& pages() { return pages_; }
    SkinnedSurface& surface() { return surface_; }

    void notice(int kind, int value) override;
    void hideWindow() override;

    // A click on the notification icon (or a second copy's "--show"): nothing
    // while dialog initialisation runs; without the mouse, or after a start-up
    // that stopped early, only the mouse's warning; otherwise the page made
    // ready and the window brought forward.
    void requestShow();
    // The mouse arrived and was read.
    void mouseArrived();
    // A built page shows the DPI levels of the sensor type it was built for.
    void sensorTypeChanged();
    // A built page is drawn with the skin's images, text colour and fonts:
    // it is built again from the new ones.
    void skinStyleChanged();
    // Closes the mouse, removes the icon and ends the program with exit code 0.
    void endProgram();

signals:
    void programEnded(int exitCode);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // Start-up has run and read everything the page is made from, and the mouse is there.
    bool pageCanShow() const;
    // The same page rules as a show from the icon, for a window shown some other way.
    void preparePageOrWarn();
    // Centred on its screen the first time, and kept where its title strip can be reached.
    void placeOnScreen();
    void rereadStrIni();
    void releaseDeviceAndIcon();
    void closeOpenLists();

    ProgramState& state_;
    const StrIniSettings& strIni_;
    MainWindowResources resources_;
    NoticePresenter presenter_;
    NotificationArea area_;
    // Before the page, which draws on it.
    SkinnedSurface surface_;
    PageKeeper pages_;
    HideKeyFilter keyFilter_;
    bool placed_ = false;
};

} // namespace kestrel
