#pragma once

#include "config/ProfileRule.h"

#include <string>
#include <vector>

namespace kestrel::ctl {

// The settings two profile documents hold differently, one line each:
// `PATH: OLD -> NEW`, in the order of the first document.
std::vector<std::string> profileDifferences(const ProfileRule::Json& first, const ProfileRule::Json& second);

} // namespace kestrel::ctl
