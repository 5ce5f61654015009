#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// Unix stream sockets in Linux's abstract namespace: a name there belongs to
// the socket bound to it for exactly as long as that socket is open, and no
// file is made, so nothing is left behind when its holder is killed. The
// namespace has no file permissions; callers check who is on the other end.
class AbstractSocket {
public:
    // A listening, non-blocking socket bound to `name`; -1 with errno set
    // (EADDRINUSE: another socket holds the name).
    static int listenOn(std::string_view name, int backlog);
    // A connected socket; -1 with errno set (ECONNREFUSED: nothing holds the
    // name, or its holder does not listen yet). A holder whose queue is full
    // is waited for at most `sendTimeoutSeconds`.
    static int connectTo(std::string_view name, int sendTimeoutSeconds = 2);
    // The user id of the process at the other end of a connected socket, as
    // it was when that end connected or listened.
    static std::optional<unsigned> peerUserId(int fd);
    static unsigned ownUserId();
    // Sends `line` over a fresh connection to `name` after checking that this
    // user's process holds it. Empty on success, otherwise why it failed;
    // `nobodyListens` is set when no copy holds the name.
    static std::string sendLine(std::string_view name, std::string_view line, bool* nobodyListens = nullptr);
};

} // namespace kestrel
