#include "WriteVerification.h"

#include "ExitCode.h"
#include "HexFormat.h"
#include "StderrReporter.h"

namespace kestrel::ctl {

int verifyWrite(FeatureProtocol& protocol, ConfigImage& image, std::ostream& out, std::ostream& err)
{
    const ConfigImage written = image;
    if (!protocol.readMouse()) {
        err << "kestrelctl: verify: ";
        if (const auto& failure = protocol.lastFailure()) {
            err << StderrReporter::explanation(*failure) << '\n';
        } else {
            err << "cannot read the configuration back\n";
        }
        return kFailure;
    }
    const auto differences = imageDifferences(written, image);
    if (differences.empty()) {
        out << "verified\n";
        return kSuccess;
    }
    for (const std::string& line : differences)
        out << line << '\n';
    err << "kestrelctl: the mouse holds something other than what was written\n";
    return kFailure;
}

} // namespace kestrel::ctl
