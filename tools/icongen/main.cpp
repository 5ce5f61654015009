// kestrel-icongen: draws the program's icon into an icon theme folder as
// hicolor/<size>x<size>/apps/<name>.png and hicolor/scalable/apps/<name>.svg.
#include "app/WindowIcon.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <array>
#include <cstdio>

namespace {

constexpr std::array kSizes = {16, 22, 24, 32, 48, 64, 128, 256};

bool writeText(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0 && file.flush();
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("usage: kestrel-icongen THEME-FOLDER ICON-NAME\n", stderr);
        return 2;
    }
    const QDir theme(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int size : kSizes) {
        const QString folder = theme.filePath(QStringLiteral("hicolor/%1x%1/apps").arg(size));
        if (!QDir().mkpath(folder) || !kestrel::WindowIcon::draw(size).save(folder + u'/' + name + QStringLiteral(".png"))) {
            std::fprintf(stderr, "kestrel-icongen: cannot write the %d px icon into %s\n", size, argv[1]);
            return 1;
        }
    }
    const QString scalable = theme.filePath(QStringLiteral("hicolor/scalable/apps"));
    if (!QDir().mkpath(scalable) || !writeText(scalable + u'/' + name + QStringLiteral(".svg"), kestrel::WindowIcon::svg())) {
        std::fprintf(stderr, "kestrel-icongen: cannot write the scalable icon into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
