#include "app/StartupSequence.h"

#include "app/FontRule.h"
#include "app/WindowIcon.h"
#include "app/FailureMessages.h"

#include "config/ConfigBinFile.h"
#include "skin/SkinFolder.h"

#include <utility>

namespace kestrel {

StartupSequence::StartupSequence(ProgramState& state, SkinSettings& skinSettings, const ProgramFolder& folder,
                                 const StrIniSettings& strIni, MainWindow& dlg, DeviceLinkController& deviceLink,
                                 MessageReporter& reporter, bool reportsWindows62)
    : state_(state)
    , skinSettings_(skinSettings)
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
    loadSkin(dlg_.resources().readStrIni(strIni_, state_.app.language()));
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

void StartupSequence::loadSkin(const StrIniSettings::SkinValues& entries)
{
    // An empty skin name leaves the "Skins" folder itself as the skin folder;
    // a name that is not a plain folder name is not followed out of "Skins".
    SkinLocation skin = SkinFolder::locate(folder_, entries.path);
    skinSettings_.setSkin(std::move(skin.name), std::move(skin.folder),
                          SkinStyle::fromRgb(StrIniSettings::skinColour(entries)));
    // Without main.png the window keeps the size it was made with.
    dlg_.surface().skin().loadBackground();
}

void StartupSequence::makeFonts()
{
    const FontPair fonts = FontRule::choose(state_.app.language(), reportsWindows62_);
    skinSettings_.setFonts(FontRule::toFont(fonts.normal), FontRule::toFont(fonts.title));
}

} // namespace kestrel
