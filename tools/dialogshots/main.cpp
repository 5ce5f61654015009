// Renders Kestrel's sub-dialogs offscreen into PNG files:
//   kestrel-dialogshots SKINS_FOLDER OUTPUT_FOLDER
#include "DialogShots.h"

#include "skin/Prompter.h"

#include <QApplication>
#include <QDialog>

#include <iostream>

namespace {

// Nothing here waits for a user: messages go to standard error, the colour
// chooser is cancelled and no dialog is run.
class SilentPrompter final : public kestrel::Prompter {
public:
    void showMessage(QWidget*, const QString& text, const QString& caption) override
    {
        std::cerr << caption.toStdString() << ": " << text.toStdString() << '\n';
    }
    std::optional<QColor> chooseColour(QWidget*, const QColor&) override { return std::nullopt; }
    int runDialog(QDialog&) override { return QDialog::Rejected; }
};

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::cerr << "usage: kestrel-dialogshots SKINS_FOLDER OUTPUT_FOLDER\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString output = QString::fromLocal8Bit(argv[2]);
    if (!QDir().mkpath(output)) {
        std::cerr << "kestrel-dialogshots: cannot create " << output.toStdString() << '\n';
        return 1;
    }
    SilentPrompter prompter;
    kestrel::DialogShots shots(prompter, std::filesystem::path(argv[1]), QDir(output));
    if (!shots.renderAll()) {
        std::cerr << "kestrel-dialogshots: cannot write " << shots.failedFile().toStdString() << '\n';
        return 1;
    }
    return 0;
}
