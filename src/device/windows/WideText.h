#pragma once

#include <string>
#include <string_view>

namespace kestrel {

// The Windows interfaces speak UTF-16; the program's text is UTF-8.
std::string toUtf8(std::wstring_view text);
std::wstring toWide(std::string_view text);

} // namespace kestrel
