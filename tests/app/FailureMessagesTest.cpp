#include "AppTestRig.h"
#include "../device/FakeHidBackend.h"

#include "app/FailureMessages.h"
#include "app/LogCategories.h"
#include "device/sim/SimulatedMouse.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace kestrel;
using namespace kestrel::test;

namespace {

const std::string kNotDetected = "The system did not detect the gaming mouse!";

ProtocolFailure failureOf(std::string operation, int page, ProtocolExchange exchange, std::error_code error = {})
{
    return {std::move(operation), page, exchange, "whatever went wrong", error};
}

// A backend whose mouse refuses to open its data collection.
std::unique_ptr<HidBackend> refusingBackend(int error)
{
    auto backend = std::make_unique<FakeHidBackend>();
    backend->interfaces = std::vector<HidInterfaceInfo>{hidInterface("/dev/hidraw2", 0x04D9, 0xA09E, 6, 8),
                                                        hidInterface("/dev/hidraw3", 0x04D9, 0xA09E, 2, 65)};
    backend->openErrors["/dev/hidraw3"] = error;
    return backend;
}

void startWith(AppTestRig& rig, std::function<std::unique_ptr<HidBackend>()> makeBackend)
{
    AppEnvironment environment = rig.environment();
    environment.makeBackend = [made = std::move(makeBackend)](std::string&) { return made(); };
    rig.app = std::make_unique<Application>(std::move(environment), rig.prompter);
    rig.result = rig.app->start();
}

} // namespace

TEST(FailureMessages, EveryDeviceFailureReadsAsTheWindowAlwaysShowedIt)
{
    using Message = FailureMessages::Message;
    // The operation names the box; its system error and exchange do not show.
    EXPECT_EQ(FailureMessages::forProtocol(failureOf("GetDPIStage", 0, ProtocolExchange::StatusSignature), kNotDetected),
              (Message{kNotDetected, "GetDPIStage"}));
    EXPECT_EQ(FailureMessages::forProtocol(
                  failureOf("ReadOperation", 3, ProtocolExchange::DataGet, std::make_error_code(std::errc::io_error)),
                  "系統沒有檢測到遊戲滑鼠！"),
              (Message{"系統沒有檢測到遊戲滑鼠！", "ReadOperation"}));

    const DiscoveryFailure refused{DiscoveryProblem::OpenRefused, "/dev/hidraw3",
                                   std::error_code(EACCES, std::system_category())};
    EXPECT_EQ(FailureMessages::forDiscovery(refused), (Message{"CreateFile Error Code:" + std::to_string(EACCES), ""}));
    // Any other failed search is a missing mouse, told by a notice and not by a box.
    for (const DiscoveryProblem quiet : {DiscoveryProblem::ListUnavailable, DiscoveryProblem::InterfaceUnexaminable,
                                         DiscoveryProblem::NoCapabilities, DiscoveryProblem::NotFound})
        EXPECT_FALSE(FailureMessages::forDiscovery({quiet, "/dev/hidraw3", {}}));
}

TEST(FailureMessages, EveryFileFailureReadsAsTheWindowAlwaysShowedIt)
{
    using Message = FailureMessages::Message;
    const std::filesystem::path configBin = "/opt/kestrel/config.bin";
    const std::error_code denied(EACCES, std::generic_category());
    EXPECT_EQ(FailureMessages::forConfigBin({ConfigFileProblem::Missing, configBin, {}}),
              (Message{"Config file is not exist.", ""}));
    EXPECT_EQ(FailureMessages::forConfigBin({ConfigFileProblem::Unreadable, configBin, denied}),
              (Message{"Config file cannot be read: /opt/kestrel/config.bin: " + denied.message(), ""}));
    EXPECT_EQ(FailureMessages::forConfigBin({ConfigFileProblem::WriteFailed, configBin, denied}),
              (Message{"Error Code is: " + std::to_string(EACCES) + " \n", "NULL ==fp "}));
    EXPECT_EQ(FailureMessages::forStrIniWrite("/opt/kestrel/str.ini", denied),
              (Message{"Error Code is: " + std::to_string(EACCES) + " \n/opt/kestrel/str.ini: " + denied.message(),
                       "NULL ==fp "}));
}

TEST(FailureMessages, ARefusedOpenAtStartupShowsTheErrnoUnderTheProgramsName)
{
    AppTestRig rig;
    startWith(rig, [] { return refusingBackend(EACCES); });
    ASSERT_EQ(rig.result, Application::StartResult::Running);
    EXPECT_FALSE(rig.state().device.present);
    const ShownMessage refused{QString::fromStdString("CreateFile Error Code:" + std::to_string(EACCES)), "kestrel"};
    EXPECT_EQ(rig.prompter.messages, std::vector<ShownMessage>{refused});
}

TEST(FailureMessages, AFailedStartupReadShowsOneBoxNamedAfterTheRead)
{
    // Exchange 1 is the status reply of the query; exchange 2 + 3 + 2 the
    // data fetch of page 2.
    const ShownMessage readFailed{QString::fromStdString(kNotDetected), "ReadOperation"};
    for (const std::pair<int, SimulatedFault>& planted :
         {std::pair{1, SimulatedFault::BadSignature}, std::pair{2 + 3 + 2, SimulatedFault::NoAnswer}}) {
        SCOPED_TRACE(planted.first);
        AppTestRig rig;
        rig.onMouseMade = [planted](SimulatedMouse& mouse) { mouse.failAt(planted.first, planted.second); };
        rig.start();
        EXPECT_FALSE(rig.state().image.isCompleteRead());
        EXPECT_EQ(rig.prompter.messages, std::vector<ShownMessage>{readFailed});
    }
}

TEST(FailureMessages, TheLayersDiagnosticsGoToCategoriesThatAreQuietUnlessAskedFor)
{
    routeDiagnosticsToLogCategories();
    for (const QLoggingCategory* category : {&lcApp(), &lcConfig(), &lcDevice()}) {
        SCOPED_TRACE(category->categoryName());
        EXPECT_FALSE(category->isDebugEnabled());
        EXPECT_FALSE(category->isWarningEnabled());
        EXPECT_TRUE(category->isCriticalEnabled());
    }
    EXPECT_STREQ(lcDevice().categoryName(), "kestrel.device");
    EXPECT_STREQ(lcConfig().categoryName(), "kestrel.config");
    EXPECT_STREQ(lcApp().categoryName(), "kestrel.app");

    // Enabled, a device failure reaches its category as a warning.
    QLoggingCategory::setFilterRules(QStringLiteral("kestrel.device.warning=true"));
    static QStringList heard;
    heard.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context,
                                                                const QString& text) {
        if (type == QtWarningMsg && QByteArray(context.category) == "kestrel.device")
            heard << text;
    });
    AppTestRig rig;
    startWith(rig, [] { return refusingBackend(EACCES); });
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    ASSERT_EQ(heard.size(), 1);
    EXPECT_TRUE(heard[0].contains(QStringLiteral("/dev/hidraw3"))) << heard[0].toStdString();
}
