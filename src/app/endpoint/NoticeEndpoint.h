#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrel {

// A notice for the main window: the kind selects the text, the value fills it in.
struct Notice {
    int kind = 0;
    int value = 0;

    friend bool operator==(const Notice&, const Notice&) = default;
};

// How a running copy of the window program is found by the local programs
// of its user. On Linux that is one Unix stream socket in the abstract
// namespace, named after the program's mutex and the user id. Binding the
// name is the single-instance rule (the kernel frees it the moment its holder
// ends, so nothing is ever left behind), and the same socket carries notices
// and show requests. On Windows the named mutex keeps the rule and a named
// pipe, named after the mutex and the user's security identifier, carries
// the lines. The name depends on the user alone, never on the environment, so
// every session of one user (desktop, ssh, su, cron) finds the same copy.
//
// A notice travels as one line of text, "KIND VALUE\n", both in decimal; a
// request to show the window as the line "show\n".
class NoticeEndpoint {
public:
    static constexpr std::string_view kMutexName = "QX8-216Mutex";
    static constexpr std::string_view kShowRequest = "show";
    static constexpr std::size_t kMaxLineLength = 64;

    // The socket's name in the abstract namespace (without the leading zero
    // byte), or the pipe's name (without "\\.\pipe\"), of a user.
    static std::string socketName(std::string_view userId);
    static std::string socketNameForThisUser();
    // Sends one line to the copy that holds `name`, after making sure it runs
    // as this user. Empty on success, otherwise why it failed; `nobodyListens`
    // is set when no copy holds the name.
    static std::string sendLine(std::string_view name, std::string_view line, bool* nobodyListens = nullptr);

    static std::string encode(Notice notice);
    // One line without its newline; nullopt unless it is exactly two decimal
    // integers within the int range separated by blanks.
    static std::optional<Notice> decode(std::string_view line);
    static std::string encodeShowRequest();
    // One line without its newline; blanks around the word are allowed.
    static bool isShowRequest(std::string_view line);
    // A decimal integer within the int range, sign allowed, nothing else.
    static std::optional<int> parseNumber(std::string_view text);
};

} // namespace kestrel
