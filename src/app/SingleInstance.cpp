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
    return lock_->error() == QLockFile::LockFailedError ? Outcome::HeldByAnotherCopy : Outcome::Unavailable;
}

} // namespace kestrel
