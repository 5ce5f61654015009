#pragma once

#include <string>
#include <string_view>

namespace kestrel {

// Named pipes, the local channel between programs on Windows. A pipe name is
// machine-wide and anyone may create one, so a sender makes sure the process
// serving it runs as the same user before it says anything; the server (a
// QLocalServer) lets only its own user connect.
class NamedPipe {
public:
    // The security identifier of this process's user as text ("S-1-5-21-..."),
    // empty when the system does not tell it.
    static std::string ownUserSid();
    // Sends `line` to the pipe `name` (without the "\\.\pipe\" prefix). Empty
    // on success, otherwise why it failed; `nobodyListens` is set when no
    // pipe of that name exists. A busy pipe is waited for at most `waitMilliseconds`.
    static std::string sendLine(std::string_view name, std::string_view line, bool* nobodyListens = nullptr,
                                unsigned waitMilliseconds = 2000);
};

} // namespace kestrel
