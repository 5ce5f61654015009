#pragma once

#include <QObject>
#include <QWidget>

#include <functional>

namespace kestrel {

// Enter and Escape pressed anywhere in the window, in any of its children
// included, hide the window and go no further, so neither key ever reaches a
// control or ends anything. Installed on the application to see keys first.
class HideKeyFilter final : public QObject {
public:
    HideKeyFilter(QWidget& window, std::function<void()> hide);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    std::function<void()> hide_;
};

} // namespace kestrel
