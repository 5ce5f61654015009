#include "StderrReporter.h"

#include "config/TextTable.h"

#include <string>

namespace kestrel::ctl {

StderrReporter::StderrReporter(std::ostream& err)
    : err_(err)
{
}

void StderrReporter::follow(FeatureProtocol& protocol)
{
    protocol.setFailureHandler([this](const ProtocolFailure& failure) { showProtocolFailure(failure); });
}

void StderrReporter::follow(DeviceDiscovery& discovery)
{
    discovery.setFailureHandler([this](const DiscoveryFailure& failure) { showDiscoveryFailure(failure); });
}

void StderrReporter::showProtocolFailure(const ProtocolFailure& failure)
{
    // The tool speaks English whatever the window's language.
    print(failure.operation + ": " + TextTable::forLanguage(Language::English).mouseNotDetected);
}

void StderrReporter::showDiscoveryFailure(const DiscoveryFailure& failure)
{
    // Only a refused open has anything to show; the rest is a missing mouse,
    // which the command explains itself.
    if (failure.problem == DiscoveryProblem::OpenRefused)
        print("CreateFile Error Code:" + std::to_string(failure.error.value()));
}

std::string StderrReporter::explanation(const ProtocolFailure& failure)
{
    std::string text = failure.operation + " failed";
    if (failure.page != 0)
        text += " at page " + std::to_string(failure.page);
    // Scripts read this line as it has always been; the system's own error
    // goes to the diagnostics, not here.
    text += ": " + failure.problem;
    return text;
}

void StderrReporter::print(const std::string& line)
{
    reported_ = true;
    if (!quiet_)
        err_ << "kestrelctl: " << line << '\n';
}

} // namespace kestrel::ctl
