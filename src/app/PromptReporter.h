#pragma once

#include "skin/Prompter.h"

#include "skin/MessageReporter.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace kestrel {

// Shows the configuration and device layers' failure messages as message
// boxes owned by the main window. An empty caption becomes the program's
// name (the executable's file name without its extension).
class PromptReporter final : public MessageReporter {
public:
    PromptReporter(Prompter& prompter, QString programName);

    void setOwner(QWidget* owner) { owner_ = owner; }
    const QString& programName() const { return programName_; }

    void showMessage(std::string_view text, std::string_view caption) override;

private:
    Prompter& prompter_;
    QString programName_;
    QPointer<QWidget> owner_;
};

} // namespace kestrel
