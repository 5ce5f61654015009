#pragma once

#include "platform/InstanceLock.h"

namespace kestrel {

// The single-instance rule as a named mutex. The name has no namespace
// prefix, so it holds within the user's logon session; the handle stays open
// for the life of the object, and the system lets go of it however the
// process ends. Copies do not talk through it.
class NamedMutexLock final : public InstanceLock {
public:
    static constexpr const wchar_t* kMutexName = L"QX8-216Mutex";

    NamedMutexLock() = default;
    ~NamedMutexLock() override;
    NamedMutexLock(const NamedMutexLock&) = delete;
    NamedMutexLock& operator=(const NamedMutexLock&) = delete;

    Outcome acquire() override;
    int takeListeningSocket() override;

private:
    void* mutex_ = nullptr;
};

} // namespace kestrel
