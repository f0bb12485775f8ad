#pragma once
// A mutex that an object carries so that two threads can share its fields, and the scoped
// holder that takes it.
#include <windows.h>
#include <cstdint>

class OxLockable
{
public:
    OxLockable();
    OxLockable(const OxLockable&) = delete;
    OxLockable& operator=(const OxLockable&) = delete;
    virtual ~OxLockable();

    // True when the mutex was acquired (or abandoned by a thread that ended holding it).
    bool Lock(DWORD timeoutMs = INFINITE);
    void Unlock();

private:
    HANDLE m_mutex = nullptr;
};

class OxLock
{
public:
    explicit OxLock(OxLockable* lockable);
    OxLock(const OxLock&) = delete;
    OxLock& operator=(const OxLock&) = delete;
    virtual ~OxLock();

    bool IsLocked() const { return m_locked; }

private:
    OxLockable* m_lockable;
    bool m_locked = false;
};
