#pragma once

#include "QuietPrompter.h"

#include "app/Application.h"

#include <QImage>
#include <QPoint>
#include <QTemporaryDir>

#include <filesystem>
#include <memory>
#include <string>

class QWidget;

namespace kestrel::screenshot {

// The window program started in a scratch program folder (the shipped
// config.bin and str.ini, the generated skins) against the simulated mouse,
// with its main window shown offscreen and driven by synthetic mouse events.
class ScreenshotSession {
public:
    // `shippedFolder` holds the files the build lays out beside the program.
    explicit ScreenshotSession(const std::filesystem::path& shippedFolder);

    // Chooses the skin before start-up; false when it does not exist.
    bool chooseSkin(const std::string& name);
    // Starts the program and shows its window as a click on the icon would.
    bool start();

    void moveTo(QPoint point);
    // Moves there and lets the pointer rest until the hover is drawn.
    void restAt(QPoint point);
    void click(QPoint point);
    QImage capture();

private:
    void settle(int milliseconds);
    QWidget& widgetAt(QPoint point);

    std::filesystem::path shippedFolder_;
    QTemporaryDir scratch_;
    std::filesystem::path programFolder_;
    QuietPrompter prompter_;
    std::unique_ptr<Application> app_;
};

} // namespace kestrel::screenshot
