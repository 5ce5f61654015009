#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

// A notice for the main window: the kind selects the text, the value fills it in.
struct Notice {
    int kind = 0;
    int value = 0;

    friend bool operator==(const Notice&, const Notice&) = default;
};

// The names a running copy of the window program is known by to the local
// programs of its user: the single-instance lock and the notice socket, both
// named after the program's mutex in the user's runtime folder. A notice
// travels as one line of text, "KIND VALUE\n", both in decimal.
class NoticeEndpoint {
public:
    static constexpr std::string_view kMutexName = "QX8-216Mutex";
    static constexpr std::size_t kMaxLineLength = 64;

    // The first of the choices below that is private to the user (made when
    // missing); the last choice when none is, which the caller then finds unusable.
    static std::filesystem::path runtimeFolder();
    static std::filesystem::path runtimeFolder(const char* xdgRuntimeDir, const char* tmpDir, unsigned userId);
    // $XDG_RUNTIME_DIR when it names an absolute folder, then a folder of the
    // user's own under the temporary folder ($TMPDIR or /tmp).
    static std::vector<std::filesystem::path> runtimeFolderChoices(const char* xdgRuntimeDir, const char* tmpDir,
                                                                   unsigned userId);

    // Creates the runtime folder when it is missing (private to the user);
    // true only when it is a real folder that no other user can change.
    static bool prepareRuntimeFolder(const std::filesystem::path& folder);

    static std::filesystem::path lockFile(const std::filesystem::path& runtimeFolder);
    static std::filesystem::path socketFile(const std::filesystem::path& runtimeFolder);

    static std::string encode(Notice notice);
    // One line without its newline; nullopt unless it is exactly two decimal
    // integers within the int range separated by blanks.
    static std::optional<Notice> decode(std::string_view line);
    // A decimal integer within the int range, sign allowed, nothing else.
    static std::optional<int> parseNumber(std::string_view text);
};

} // namespace kestrel
