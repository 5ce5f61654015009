#include "app/PathText.h"

namespace kestrel {

QString toQString(const std::filesystem::path& path)
{
    return QString::fromStdU16String(path.u16string());
}

std::filesystem::path toPath(const QString& text)
{
    return std::filesystem::path(text.toStdU16String());
}

} // namespace kestrel
