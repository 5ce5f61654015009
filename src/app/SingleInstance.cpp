#include "SingleInstance.h"

#include "NoticeEndpoint.h"
#include "PathText.h"

namespace kestrel {

SingleInstance::SingleInstance(const std::filesystem::path& runtimeFolder)
    : runtimeFolder_(runtimeFolder)
{
}

SingleInstance::Outcome SingleInstance::acquire()
{
    if (!NoticeEndpoint::prepareRuntimeFolder(runtimeFolder_))
        return Outcome::Unavailable;
    lock_ = std::make_unique<QLockFile>(toQString(NoticeEndpoint::lockFile(runtimeFolder_)));
    // Staleness is judged by the holder's process alone, never by the lock's age:
    // a copy may run for weeks.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return Outcome::Acquired;
    if (lock_->error() != QLockFile::LockFailedError)
        return Outcome::Unavailable;
    // QLockFile trusts a lock whose holder it cannot name; one left empty or
    // half-written by a crash or a full disk would then block every start.
    // Removing it succeeds only when no live process holds the file itself.
    if (!namesItsHolder() && lock_->removeStaleLockFile() && lock_->tryLock(0))
        return Outcome::Acquired;
    return Outcome::HeldByAnotherCopy;
}

bool SingleInstance::namesItsHolder() const
{
    qint64 pid = 0;
    QString host;
    QString application;
    return lock_->getLockInfo(&pid, &host, &application) && !application.isEmpty();
}

} // namespace kestrel
