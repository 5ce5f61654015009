#pragma once

#include <QLockFile>

#include <filesystem>
#include <memory>

namespace kestrel {

// The rule that only one copy of the program runs per user: a lock file named
// after the program's mutex in the user's runtime folder, held for the life
// of the process. Only a lock held by a running copy counts: one left behind
// by a copy that was killed, or left unreadable, is stale and taken over.
class SingleInstance {
public:
    enum class Outcome {
        Acquired,
        HeldByAnotherCopy,
        // The runtime folder cannot be used safely: the program runs without the rule.
        Unavailable,
    };

    explicit SingleInstance(const std::filesystem::path& runtimeFolder);

    Outcome acquire();
    bool holds() const { return lock_ && lock_->isLocked(); }

private:
    // The lock file records the process and program that hold it.
    bool namesItsHolder() const;

    std::filesystem::path runtimeFolder_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace kestrel
