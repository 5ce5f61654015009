#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Windows refuses paths of MAX_PATH (260) characters and more unless the
// program declares itself long-path aware and the system allows it, or the
// path carries the extended-length prefix "\\?\". The prefix also turns off
// the system's own clean-up of the path (separators, "." and "..", trailing
// dots and spaces, device names), so the path is cleaned up here first, and
// only paths that need it get the prefix: everything else reaches the system
// exactly as given. Plain text handling, so that it is checked on any platform.
namespace kestrel::longpath {

// From this full length on a path is given the prefix: the lowest limit
// among the Win32 file calls, CreateDirectoryW's (MAX_PATH less room for an
// 8.3 name).
inline constexpr std::size_t kPrefixFrom = 248;

// The extended-length form of `path` when its full form is kPrefixFrom
// characters or longer, else `path` unchanged. Relative and rooted paths are
// resolved against `currentFolder` (an absolute path). A path the system
// would clean up in ways not repeated here (a component ending in a dot or a
// space, a device name, a drive-relative "C:name") and a path that already
// has a prefix come back unchanged.
std::wstring extendedLengthPath(std::wstring_view path, std::wstring_view currentFolder);

} // namespace kestrel::longpath
