#pragma once

#include <string_view>

namespace kestrel {

// Where the window's failure messages go: a modal message box, or a
// recording in tests.
// An empty caption stands for the program's own name.
class MessageReporter {
public:
    virtual ~MessageReporter() = default;
    virtual void showMessage(std::string_view text, std::string_view caption) = 0;
};

} // namespace kestrel
