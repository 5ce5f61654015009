#pragma once

#include "platform/InstanceLock.h"

#include <chrono>
#include <optional>
#include <string>

namespace kestrel {

// The rule that only one copy of the program runs per user: the running copy
// holds the user's socket name in the abstract namespace (see NoticeEndpoint)
// for the life of its process. The kernel lets go of the name when the holder
// ends, however it ends, so there is no lock to go stale, and nothing in the
// environment (runtime folder, temporary folder, host name) changes the name.
// Another user's process holding the name makes the outcome Unavailable: the
// program then runs without the rule.
class SingleInstance final : public InstanceLock {
public:
    static constexpr int kBacklog = 16;
    // How long a holder that has bound the name but does not listen yet is given.
    static constexpr std::chrono::milliseconds kHolderStartTime{200};

    explicit SingleInstance(std::string socketName);
    ~SingleInstance() override;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    Outcome acquire() override;
    const std::string& socketName() const { return socketName_; }
    // The listening socket that holds the name, for the notice server to
    // answer on; -1 unless acquired. The caller owns it from then on.
    int takeListeningSocket() override;

private:
    // What the holder of the name says about itself; nullopt when it does not answer.
    std::optional<Outcome> askHolder() const;

    std::string socketName_;
    int listeningFd_ = -1;
};

} // namespace kestrel
