#pragma once

#include <KestrelCtl.h>

#include <sstream>
#include <string>
#include <vector>

namespace kestrel::test {

// What one kestrelctl command printed and returned.
struct CtlRun {
    int exitCode;
    std::string out;
    std::string err;
};

// Runs kestrelctl in the process, with its streams captured.
inline CtlRun runCtl(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = ctl::KestrelCtl(out, err).run(args);
    return {code, out.str(), err.str()};
}

} // namespace kestrel::test
