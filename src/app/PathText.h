#pragma once

#include <QString>

#include <filesystem>

namespace kestrel {

// Paths between the standard library and Qt, without loss on any platform.
QString toQString(const std::filesystem::path& path);
std::filesystem::path toPath(const QString& text);

} // namespace kestrel
