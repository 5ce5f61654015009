// Renders Kestrel's main window offscreen against the simulated mouse and
// saves it as PNG, for the README and for looking at the skins:
//   kestrel-screenshot OUT.png [--skin NAME] [--rest X,Y]... [--click X,Y]...
// Steps run in the order given; --rest lets the pointer come to rest (hover).
#include "ScreenshotSession.h"

#include <QApplication>
#include <QStringList>

#include <iostream>

namespace {

constexpr const char* kUsage = "usage: kestrel-screenshot OUT.png [--skin NAME] [--rest X,Y]... [--click X,Y]...\n";

bool parsePoint(const QString& text, QPoint& point)
{
    const QStringList parts = text.split(',');
    bool xOk = false;
    bool yOk = false;
    if (parts.size() == 2)
        point = QPoint(parts[0].toInt(&xOk), parts[1].toInt(&yOk));
    return xOk && yOk;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty() || args.size() % 2 == 0) {
        std::cerr << kUsage;
        return 2;
    }
    kestrel::screenshot::ScreenshotSession session(KESTREL_SHIPPED_FOLDER);
    // The skin is chosen before start-up; pointer steps run after it, in order.
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--skin" && !session.chooseSkin(args[i + 1].toStdString())) {
            std::cerr << "kestrel-screenshot: no skin " << args[i + 1].toStdString() << '\n';
            return 1;
        }
    }
    if (!session.start()) {
        std::cerr << "kestrel-screenshot: the window did not come up\n";
        return 1;
    }
    for (int i = 1; i + 1 < args.size(); i += 2) {
        QPoint point;
        if (args[i] == "--skin")
            continue;
        if ((args[i] != "--rest" && args[i] != "--click") || !parsePoint(args[i + 1], point)) {
            std::cerr << kUsage;
            return 2;
        }
        if (args[i] == "--rest")
            session.restAt(point);
        else
            session.click(point);
    }
    if (!session.capture().save(args[0], "PNG")) {
        std::cerr << "kestrel-screenshot: cannot write " << args[0].toStdString() << '\n';
        return 1;
    }
    return 0;
}
