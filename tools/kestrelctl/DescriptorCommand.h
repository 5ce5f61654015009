#pragma once

#include "CtlOptions.h"

#include <ostream>

namespace kestrel::ctl {

// kestrelctl descriptor FILE: the top-level collections of a HID report
// descriptor file (as sysfs shows one), one line each, sized as the
// platform's HID parser sizes them. A malformed descriptor, or one without
// any collection, is an error.
class DescriptorCommand {
public:
    DescriptorCommand(std::ostream& out, std::ostream& err);

    int run(const CtlOptions& options);

private:
    std::ostream& out_;
    std::ostream& err_;
};

} // namespace kestrel::ctl
