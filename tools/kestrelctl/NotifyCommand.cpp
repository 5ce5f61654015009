#include "NotifyCommand.h"

#include "ExitCode.h"

#include <utility>

namespace kestrel::ctl {

NotifyCommand::NotifyCommand(std::ostream& err, std::string socketName)
    : err_(err)
    , socketName_(std::move(socketName))
{
}

int NotifyCommand::run(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 2) {
        err_ << "kestrelctl: notify takes 2 arguments: KIND VALUE\n";
        return kUsageError;
    }
    const auto kind = NoticeEndpoint::parseNumber(arguments[0]);
    const auto value = NoticeEndpoint::parseNumber(arguments[1]);
    if (!kind || !value) {
        err_ << "kestrelctl: notify: KIND and VALUE must be whole numbers\n";
        return kUsageError;
    }
    const std::string error = send(Notice{*kind, *value});
    if (!error.empty()) {
        err_ << "kestrelctl: " << error << '\n';
        return kFailure;
    }
    return kSuccess;
}

std::string NotifyCommand::send(Notice notice) const
{
    bool nobodyListens = false;
    const std::string error = NoticeEndpoint::sendLine(socketName_, NoticeEndpoint::encode(notice), &nobodyListens);
    if (nobodyListens)
        return "no running copy of kestrel to notify (" + error + ")";
    return error.empty() ? error : "the notice did not reach kestrel: " + error;
}

} // namespace kestrel::ctl
