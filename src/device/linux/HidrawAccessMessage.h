#pragma once

#include <string>

namespace kestrel {

// The file name of the udev rule that gives the user at the seat access to
// the mouse's hidraw nodes.
inline constexpr const char* kUdevRuleFileName = "70-kestrel.rules";

// When a hidraw node exists but refused to open for lack of rights (EACCES,
// EPERM), the text that says so and how to install the udev rule; empty for
// any other failure.
std::string hidrawAccessMessage(const std::string& nodePath, int errorCode);

} // namespace kestrel
