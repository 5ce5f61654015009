#include "app/FailureMessages.h"

#include "app/LogCategories.h"

#include "config/TextTable.h"
#include "config/Unicode.h"

#include <utility>

namespace kestrel {

namespace {

std::string writeFailedText(const std::error_code& error)
{
    return "Error Code is: " + std::to_string(error.value()) + " \n";
}

} // namespace

FailureMessages::Message FailureMessages::forProtocol(const ProtocolFailure& failure,
                                                      std::string_view notDetectedText)
{
    return {std::string(notDetectedText), failure.operation};
}

std::optional<FailureMessages::Message> FailureMessages::forDiscovery(const DiscoveryFailure& failure)
{
    if (failure.problem != DiscoveryProblem::OpenRefused)
        return std::nullopt;
    return Message{"CreateFile Error Code:" + std::to_string(failure.error.value()), {}};
}

FailureMessages::Message FailureMessages::forConfigBin(const ConfigFileFailure& failure)
{
    switch (failure.problem) {
    case ConfigFileProblem::Missing:
        return {"Config file is not exist.", {}};
    case ConfigFileProblem::Unreadable:
        // A file that exists but cannot be read (or is no regular file at
        // all) leaves the settings as they are, like a missing one, but the
        // user learns which file it was and why it was not loaded.
        return {"Config file cannot be read: " + unicode::utf8FromPath(failure.path) + ": " + failure.error.message(),
                {}};
    case ConfigFileProblem::WriteFailed:
        break;
    }
    return {writeFailedText(failure.error), std::string(kWriteFailedCaption)};
}

FailureMessages::Message FailureMessages::forStrIniWrite(const std::filesystem::path& path,
                                                         const std::error_code& error)
{
    return {writeFailedText(error) + unicode::utf8FromPath(path) + ": " + error.message(),
            std::string(kWriteFailedCaption)};
}

FailureMessages::FailureMessages(MessageReporter& reporter)
    : reporter_(reporter)
    , notDetectedText_(TextTable::forLanguage(Language::English).mouseNotDetected)
{
}

void FailureMessages::showProtocolFailure(const ProtocolFailure& failure)
{
    show(forProtocol(failure, notDetectedText_));
}

void FailureMessages::showDiscoveryFailure(const DiscoveryFailure& failure)
{
    if (const auto message = forDiscovery(failure))
        show(*message);
}

void FailureMessages::showConfigBinFailure(const ConfigFileFailure& failure)
{
    show(forConfigBin(failure));
}

void FailureMessages::showStrIniWriteFailure(const std::filesystem::path& path, const std::error_code& error)
{
    show(forStrIniWrite(path, error));
}

void FailureMessages::show(const Message& message)
{
    qCDebug(lcApp) << "showing" << message.caption.c_str() << message.text.c_str();
    reporter_.showMessage(message.text, message.caption);
}

} // namespace kestrel
