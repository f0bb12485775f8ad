#include "table/OxLock.h"

OxLockable::OxLockable() : mutex_(CreateMutexW(nullptr, FALSE, nullptr))
{
}

OxLockable::~OxLockable()
{
    if (mutex_)
        CloseHandle(mutex_);
}

bool OxLockable::Lock(DWORD timeoutMs)
{
    if (!mutex_)
        return false;
    DWORD result = WaitForSingleObject(mutex_, timeoutMs);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

void OxLockable::Unlock()
{
    if (mutex_)
        ReleaseMutex(mutex_);
}

OxLock::OxLock(OxLockable* lockable) : lockable_(lockable)
{
    locked_ = lockable_ && lockable_->Lock(INFINITE);
}

OxLock::~OxLock()
{
    // Only a lock that was taken is given back.
    if (locked_)
        lockable_->Unlock();
}
