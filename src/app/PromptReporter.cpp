#include "app/PromptReporter.h"

#include <utility>

namespace kestrel {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

PromptReporter::PromptReporter(Prompter& prompter, QString programName)
    : prompter_(prompter)
    , programName_(std::move(programName))
{
}

void PromptReporter::showMessage(std::string_view text, std::string_view caption)
{
    prompter_.showMessage(owner_, fromUtf8(text), caption.empty() ? programName_ : fromUtf8(caption));
}

} // namespace kestrel
