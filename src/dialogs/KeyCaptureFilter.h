#pragma once

#include "platform/KeyNamer.h"

#include <QObject>

#include <functional>
#include <string_view>

class QWidget;

namespace kestrel {

// Sees every key press, auto-repeat and release meant for one window before
// the window handles it, names the key from its native scan code and hands
// the name on. The key event then goes its normal way, except that the
// Windows keys are kept from the window altogether and Enter and Escape
// presses are kept from ending it: they are captured as keys. Installed on
// the application for as long as the filter lives.
class KeyCaptureFilter final : public QObject {
    Q_OBJECT

public:
    using NameSink = std::function<void(std::string_view name)>;

    KeyCaptureFilter(QWidget& window, const KeyNamer& namer, NameSink named);
    ~KeyCaptureFilter() override;
    KeyCaptureFilter(const KeyCaptureFilter&) = delete;
    KeyCaptureFilter& operator=(const KeyCaptureFilter&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isForWindow(QObject* watched) const;

    QWidget& window_;
    const KeyNamer& namer_;
    NameSink named_;
};

} // namespace kestrel
