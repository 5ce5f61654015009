#include "WriteVerification.h"

#include "ExitCode.h"
#include "HexFormat.h"

namespace kestrel::ctl {

int verifyWrite(FeatureProtocol& protocol, ConfigImage& image, std::ostream& out, std::ostream& err)
{
    const ConfigImage written = image;
    if (!protocol.readMouse()) {
        err << "kestrelctl: verify: ";
        if (const auto& failure = protocol.lastFailure()) {
            err << failure->operation << " failed";
            if (failure->page != 0)
                err << " at page " << failure->page;
            err << ": " << failure->problem << '\n';
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
