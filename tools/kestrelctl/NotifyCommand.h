#pragma once

#include "app/endpoint/NoticeEndpoint.h"

#include <ostream>
#include <string>
#include <vector>

namespace kestrel::ctl {

// "notify KIND VALUE": hands a notice to the running window program of this
// user, which shows it as it shows its own. Exit codes as for every command:
// 0 sent, 1 no copy runs or the notice did not reach it, 2 a usage error.
class NotifyCommand {
public:
    NotifyCommand(std::ostream& err, std::string socketName = NoticeEndpoint::socketNameForThisUser());

    int run(const std::vector<std::string>& arguments);

private:
    // Empty on success, otherwise why the notice could not be delivered.
    std::string send(Notice notice) const;

    std::ostream& err_;
    std::string socketName_;
};

} // namespace kestrel::ctl
