#pragma once

namespace kestrel::ctl {

// kestrelctl's exit codes, which scripts rely on.
inline constexpr int kSuccess = 0;
inline constexpr int kFailure = 1; // a file or the mouse failed, or a check found a difference
inline constexpr int kUsageError = 2;

} // namespace kestrel::ctl
