#include "StartupSequence.h"

#include "FontRule.h"
#include "PathText.h"
#include "WindowIcon.h"

#include <ConfigBinFile.h>

namespace kestrel {

StartupSequence::StartupSequence(ProgramState& state, const ProgramFolder& folder, const StrIniSettings& strIni,
                                 CKestrelDlg& dlg, DeviceLinkController& deviceLink, MessageReporter& reporter)
    : state_(state)
    , folder_(folder)
    , strIni_(strIni)
    , dlg_(dlg)
    , deviceLink_(deviceLink)
    , reporter_(reporter)
{
}

StartupSequence::Outcome StartupSequence::run(const WatcherFactory& makeWatcher)
{
    setUpWindow();
    deviceLink_.openAtStartup();
    if (!deviceLink_.registerForNotices(makeWatcher())) {
        reporter_.showMessage(kRegistrationFailed, "");
        dlg_.notificationArea().startupFinished();
        return Outcome::StoppedAtRegistration;
    }
    readConfigBin();
    chooseLanguage();
    dlg_.resources().readStrIni(strIni_, state_.app.language());
    loadSkin();
    copyAppState();
    makeFonts();
    if (state_.device.present)
        dlg_.pages().build();
    dlg_.notificationArea().startupFinished();
    return Outcome::Complete;
}

void StartupSequence::setUpWindow()
{
    const QIcon icon = WindowIcon::make();
    dlg_.setWindowIcon(icon);
    dlg_.setWindowFlags(NotificationArea::windowFlags(NotificationArea::Mode::Tray));
    dlg_.notificationArea().addIcon(icon, QString::fromStdString(dlg_.resources().texts.exit));
}

void StartupSequence::readConfigBin()
{
    // A missing file is reported by the file itself; one of the wrong size is ignored.
    const ConfigBinFile file(folder_.configBin(), reporter_);
    if (const auto firstRunFlag = file.load(state_.settings.bytes()))
        state_.flags.firstRunFlag = *firstRunFlag;
    state_.savedSettings = state_.settings;
}

void StartupSequence::chooseLanguage()
{
    state_.app.languageCode = strIni_.readLanguageCode();
    const TextTable& texts = dlg_.resources().texts = TextTable::forLanguage(state_.app.language());
    deviceLink_.setFailureText(texts.mouseNotDetected);
    dlg_.notificationArea().setExitText(QString::fromStdString(texts.exit));
}

void StartupSequence::loadSkin()
{
    // An empty skin name leaves the "Skins" folder itself as the skin folder.
    state_.app.skinFolder = folder_.skinsFolder() / toPath(QString::fromStdString(dlg_.resources().skin.path));
    QImage& background = dlg_.resources().background;
    background = QImage(toQString(state_.app.skinFolder / "main.png")).convertToFormat(QImage::Format_RGB32);
    // Without main.png the window keeps the size it was made with.
    if (!background.isNull())
        dlg_.resize(background.size());
}

void StartupSequence::copyAppState()
{
    state_.app.textColour = StrIniSettings::skinColour(dlg_.resources().skin);
    state_.app.skinName = dlg_.resources().skin.path;
}

void StartupSequence::makeFonts()
{
    const FontPair fonts = FontRule::choose(state_.app.language(), FontRule::isWindows62());
    dlg_.resources().normalFont = FontRule::toFont(fonts.normal);
    dlg_.resources().titleFont = FontRule::toFont(fonts.title);
}

} // namespace kestrel
