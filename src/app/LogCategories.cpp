#include "app/LogCategories.h"

#include "config/Diagnostics.h"

#include <string_view>

namespace kestrel {

// Critical only by default: the categories stay silent until enabled.
Q_LOGGING_CATEGORY(lcApp, "kestrel.app", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcConfig, "kestrel.config", QtCriticalMsg)
Q_LOGGING_CATEGORY(lcDevice, "kestrel.device", QtCriticalMsg)

namespace {

void writeToCategory(Diagnostics::Area area, Diagnostics::Level level, std::string_view line)
{
    const QLoggingCategory& category = area == Diagnostics::Area::Device ? lcDevice() : lcConfig();
    const QString text = QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    if (level == Diagnostics::Level::Warning)
        qCWarning(category).noquote() << text;
    else
        qCDebug(category).noquote() << text;
}

} // namespace

void routeDiagnosticsToLogCategories()
{
    Diagnostics::setSink(&writeToCategory);
}

} // namespace kestrel
