// Generates Kestrel's own skins: every image of the main window and of the
// sub-dialogs, one folder per palette, under the given Skins folder.
#include "SkinPalette.h"
#include "SkinWriter.h"

#include <QString>

#include <iostream>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::cerr << "usage: kestrel-skingen SKINS_FOLDER\n";
        return 2;
    }
    const QString skinsFolder = QString::fromLocal8Bit(argv[1]);
    for (const kestrel::skingen::SkinPalette& palette : kestrel::skingen::kSkinPalettes) {
        const QString name = QString::fromUtf8(palette.name.data(), static_cast<qsizetype>(palette.name.size()));
        kestrel::skingen::SkinWriter writer(skinsFolder + "/" + name);
        if (!writer.writeSkin(palette)) {
            std::cerr << "kestrel-skingen: cannot write " << writer.failedFile().toStdString() << '\n';
            return 1;
        }
    }
    return 0;
}
