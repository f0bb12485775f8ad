#include "table/OxLock.h"

OxLockable::OxLockable() : m_mutex(CreateMutexW(nullptr, FALSE, nullptr))
{
}

OxLockable::~OxLockable()
{
    if (m_mutex)
        CloseHandle(m_mutex);
}

bool OxLockable::Lock(DWORD timeoutMs)
{
    if (!m_mutex)
        return false;
    DWORD result = WaitForSingleObject(m_mutex, timeoutMs);
    return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

void OxLockable::Unlock()
{
    if (m_mutex)
        ReleaseMutex(m_mutex);
}

OxLock::OxLock(OxLockable* lockable) : m_lockable(lockable)
{
    m_locked = m_lockable && m_lockable->Lock(INFINITE);
}

OxLock::~OxLock()
{
    // Only a lock that was taken is given back.
    if (m_locked)
        m_lockable->Unlock();
}
