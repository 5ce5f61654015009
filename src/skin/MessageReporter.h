#pragma once

#include <string_view>

namespace kestrel {

// Where the program's failure messages go: a modal message box in the window,
// standard error in the command-line tool, a recording in tests.
// An empty caption stands for the program's own name.
class MessageReporter {
public:
    virtual ~MessageReporter() = default;
    virtual void showMessage(std::string_view text, std::string_view caption) = 0;
};

} // namespace kestrel
