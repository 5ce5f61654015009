#pragma once

#include "device/DeviceDiscovery.h"
#include "device/FeatureProtocol.h"

#include <ostream>
#include <string>

namespace kestrel::ctl {

// How the tool tells of the device link's failures. As they happen, it prints
// what the window would show in a message box, as "kestrelctl: CAPTION: TEXT"
// (a refused open as "kestrelctl: CreateFile Error Code:N"), and remembers
// that one was given, so that the command can fail. Afterwards a command may
// explain a failed exchange in the tool's own words.
class StderrReporter {
public:
    explicit StderrReporter(std::ostream& err);

    // Routes the failures of these two to this reporter.
    void follow(FeatureProtocol& protocol);
    void follow(DeviceDiscovery& discovery);

    void showProtocolFailure(const ProtocolFailure& failure);
    void showDiscoveryFailure(const DiscoveryFailure& failure);

    // "ReadOperation failed at page 2: no page data", with the system's error
    // when there was one.
    static std::string explanation(const ProtocolFailure& failure);

    // From now on failures are only remembered: the command says them its own way.
    void keepQuiet() { quiet_ = true; }

    bool reported() const { return reported_; }

private:
    void print(const std::string& line);

    std::ostream& err_;
    bool reported_ = false;
    bool quiet_ = false;
};

} // namespace kestrel::ctl
