#include "app/StartupSequence.h"

#include "app/FontRule.h"
#include "app/WindowIcon.h"
#include "app/FailureMessages.h"

#include "config/ConfigBinFile.h"
#include "skin/SkinFolder.h"

namespace kestrel {

StartupSequence::StartupSequence(ProgramState& state, const ProgramFolder& folder, const StrIniSettings& strIni,
                                 MainWindow& dlg, DeviceLinkController& deviceLink, MessageReporter& reporter,
                                 bool reportsWindows62)
    : state_(state)
    , folder_(folder)
    , strIni_(strIni)
    , dlg_(dlg)
    , deviceLink_(deviceLink)
    , reporter_(reporter)
    , reportsWindows62_(reportsWindows62)
{
}

StartupSequence::Outcome StartupSequence::run(const WatcherFactory& makeWatcher, DeviceLinkController::Absence absence)
{
    setUpWindow();
    deviceLink_.openAtStartup(absence);
    if (!deviceLink_.registerForNotices(makeWatcher(dlg_))) {
        reporter_.showMessage(kRegistrationFailed, "");
        state_.flags.startupStopped = true;
        state_.flags.initialised = true;
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
    state_.flags.initialised = true;
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
    // A missing or unreadable file is shown; one of the wrong size is ignored.
    const ConfigBinFile::LoadResult loaded = ConfigBinFile(folder_.configBin()).load(state_.settings.bytes());
    if (loaded.failure)
        FailureMessages(reporter_).showConfigBinFailure(*loaded.failure);
    if (loaded.firstRunFlag)
        state_.flags.firstRunFlag = *loaded.firstRunFlag;
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
    // An empty skin name leaves the "Skins" folder itself as the skin folder;
    // a name that is not a plain folder name is not followed out of "Skins".
    const SkinLocation skin = SkinFolder::locate(folder_, dlg_.resources().skin.path);
    state_.app.skinFolder = skin.folder;
    state_.app.skinName = skin.name;
    MainWindowSkin& surface = dlg_.surface().skin();
    surface.style().folder = skin.folder;
    // Without main.png the window keeps the size it was made with.
    surface.loadBackground();
}

void StartupSequence::copyAppState()
{
    state_.app.textColour = StrIniSettings::skinColour(dlg_.resources().skin);
    dlg_.surface().skin().style().textColour = SkinStyle::fromRgb(state_.app.textColour);
}

void StartupSequence::makeFonts()
{
    const FontPair fonts = FontRule::choose(state_.app.language(), reportsWindows62_);
    dlg_.resources().normalFont = FontRule::toFont(fonts.normal);
    dlg_.resources().titleFont = FontRule::toFont(fonts.title);
    SkinStyle& style = dlg_.surface().skin().style();
    style.normalFont = dlg_.resources().normalFont;
    style.titleFont = dlg_.resources().titleFont;
}

} // namespace kestrel
