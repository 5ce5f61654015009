#include "app/NoticeBanner.h"

namespace kestrel {

NoticeBanner::NoticeBanner(QWidget* window)
    : QLabel(window)
{
    setObjectName(QStringLiteral("noticeBanner"));
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral("background-color: rgba(0, 0, 0, 200); color: white; padding: 4px;"));
    hide();
    hideTimer_.setSingleShot(true);
    connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
}

void NoticeBanner::showBalloon(const Balloon& balloon)
{
    setText(QString::fromStdString(balloon.title) + QStringLiteral(": ") + QString::fromStdString(balloon.text));
    const QRect area = parentWidget()->rect();
    setGeometry(area.left(), area.bottom() + 1 - kHeight, area.width(), kHeight);
    raise();
    show();
    hideTimer_.start(shownMs(balloon));
}

} // namespace kestrel
