#pragma once

#include <QLoggingCategory>

namespace kestrel {

// The program's logging categories. Nothing of them is printed unless asked
// for, e.g. QT_LOGGING_RULES="kestrel.*.debug=true": the program prints no
// more than it always did.
Q_DECLARE_LOGGING_CATEGORY(lcApp)
Q_DECLARE_LOGGING_CATEGORY(lcConfig)
Q_DECLARE_LOGGING_CATEGORY(lcDevice)

// Sends the configuration and device layers' diagnostics to their categories.
void routeDiagnosticsToLogCategories();

} // namespace kestrel
