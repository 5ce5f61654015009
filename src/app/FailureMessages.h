#pragma once

#include "device/DeviceDiscovery.h"
#include "device/ProtocolFailure.h"
#include "skin/MessageReporter.h"

#include "config/ConfigFileFailure.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace kestrel {

// The window's wording of what the configuration files and the device link
// report as failed, shown as message boxes through the reporter. The texts
// are the program's own and stay as they are: the device messages take the
// failed operation's name as caption, the file messages the program's name
// (an empty caption) or "NULL ==fp " for a failed write.
class FailureMessages {
public:
    struct Message {
        std::string text;
        std::string caption;
        bool operator==(const Message&) const = default;
    };

    static constexpr std::string_view kWriteFailedCaption = "NULL ==fp ";

    // notDetectedText is the "mouse not detected" text in the window's language.
    static Message forProtocol(const ProtocolFailure& failure, std::string_view notDetectedText);
    // Only a refused open is shown; every other failed search is a missing mouse.
    static std::optional<Message> forDiscovery(const DiscoveryFailure& failure);
    static Message forConfigBin(const ConfigFileFailure& failure);
    // A failed str.ini write reads like a failed config.bin store, with the
    // file's name and the reason added, so that edits are not lost unseen.
    static Message forStrIniWrite(const std::filesystem::path& path, const std::error_code& error);

    explicit FailureMessages(MessageReporter& reporter);

    void setNotDetectedText(std::string text) { notDetectedText_ = std::move(text); }

    void showProtocolFailure(const ProtocolFailure& failure);
    void showDiscoveryFailure(const DiscoveryFailure& failure);
    void showConfigBinFailure(const ConfigFileFailure& failure);
    void showStrIniWriteFailure(const std::filesystem::path& path, const std::error_code& error);

private:
    void show(const Message& message);

    MessageReporter& reporter_;
    std::string notDetectedText_;
};

} // namespace kestrel
