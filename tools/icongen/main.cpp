// kestrel-icongen: draws the program's icon into an icon theme folder as
// hicolor/<size>x<size>/apps/<name>.png and hicolor/scalable/apps/<name>.svg,
// and beside it as <name>.ico for Windows.
#include "IcoFile.h"

#include "app/WindowIcon.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <array>
#include <cstdio>

namespace {

constexpr std::array kSizes = {16, 22, 24, 32, 48, 64, 128, 256};
// The sizes Windows asks an icon file for.
constexpr std::array kIcoSizes = {16, 20, 24, 32, 40, 48, 64, 256};

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush();
}

QByteArray icoFile()
{
    std::vector<QImage> images;
    for (const int size : kIcoSizes)
        images.push_back(kestrel::WindowIcon::draw(size));
    return kestrel::IcoFile::encode(images);
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
    if (!QDir().mkpath(scalable) || !writeBytes(scalable + u'/' + name + QStringLiteral(".svg"), kestrel::WindowIcon::svg().toUtf8())) {
        std::fprintf(stderr, "kestrel-icongen: cannot write the scalable icon into %s\n", argv[1]);
        return 1;
    }
    if (!writeBytes(theme.filePath(name + QStringLiteral(".ico")), icoFile())) {
        std::fprintf(stderr, "kestrel-icongen: cannot write the Windows icon into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
