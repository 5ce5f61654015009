#include "platform/windows/NamedMutexLock.h"

#include <windows.h>

namespace kestrel {

NamedMutexLock::~NamedMutexLock()
{
    if (mutex_)
        CloseHandle(mutex_);
}

InstanceLock::Outcome NamedMutexLock::acquire()
{
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    // Taken before anything else can overwrite it.
    const DWORD error = GetLastError();
    if (!mutex)
        return Outcome::Unavailable;
    if (error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return Outcome::HeldByAnotherCopy;
    }
    mutex_ = mutex;
    return Outcome::Acquired;
}

int NamedMutexLock::takeListeningSocket()
{
    return -1;
}

} // namespace kestrel
