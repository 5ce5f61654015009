#pragma once

#include "config/MessageReporter.h"

#include <ostream>

namespace kestrel::ctl {

// Prints the program's failure messages as "kestrelctl: CAPTION: TEXT" and
// remembers that one was given, so that the command can fail.
class StderrReporter final : public MessageReporter {
public:
    explicit StderrReporter(std::ostream& err)
        : err_(err)
    {
    }

    void showMessage(std::string_view text, std::string_view caption) override
    {
        reported_ = true;
        if (quiet_)
            return;
        err_ << "kestrelctl: ";
        if (!caption.empty())
            err_ << caption << ": ";
        err_ << text << '\n';
    }

    // From now on failures are only remembered: the command says them its own way.
    void keepQuiet() { quiet_ = true; }

    bool reported() const { return reported_; }

private:
    std::ostream& err_;
    bool reported_ = false;
    bool quiet_ = false;
};

} // namespace kestrel::ctl
