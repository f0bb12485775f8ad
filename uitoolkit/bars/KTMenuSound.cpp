#include "uitoolkit/bars/KTMenuSound.h"

#include <mmsystem.h>
#include <process.h>

namespace
{
const DWORD kSoundFlags = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT;
const DWORD kPollMilliseconds = 5;
// Bounds the wait at destruction, should a sound driver never return.
const DWORD kEndWaitMilliseconds = 3000;

HANDLE StartCrtThread(unsigned(__stdcall* pfnThread)(void*), void* pArgument)
{
    const uintptr_t thread = _beginthreadex(nullptr, 0, pfnThread, pArgument, 0, nullptr);
    return reinterpret_cast<HANDLE>(thread);
}

BOOL WINAPI PlaySystemSound(LPCWSTR pszSound, HMODULE hModule, DWORD dwFlags)
{
    return PlaySoundW(pszSound, hModule, dwFlags);
}

int CodeOf(LONG request)
{
    return request < 0 ? static_cast<int>(request) : static_cast<int>(request & 3);
}
} // namespace

CKTMenuSound::CKTMenuSound() : m_pfnPlay(&PlaySystemSound), m_pfnStart(&StartCrtThread)
{
    InitializeCriticalSection(&m_startLock);
}

CKTMenuSound::~CKTMenuSound()
{
    // Normally CleanUp has ended the thread; a program that skipped it still must not leave a
    // thread reading this object.
    CleanUp();
    DeleteCriticalSection(&m_startLock);
}

void CKTMenuSound::CleanUp()
{
    EnterCriticalSection(&m_startLock);
    m_request.store(SOUND_END);
    if (m_hThread != nullptr)
    {
        WaitForSingleObject(m_hThread, kEndWaitMilliseconds);
        CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    LeaveCriticalSection(&m_startLock);
}

CKTMenuSound& CKTMenuSound::Get()
{
    static CKTMenuSound s_sound;
    return s_sound;
}

int CKTMenuSound::GetRequest() const
{
    return CodeOf(m_request.load());
}

void CKTMenuSound::Play(int nCode)
{
    if (!m_bEnabled || (nCode != SOUND_COMMAND && nCode != SOUND_POPUP && nCode != SOUND_END))
        return;
    const LONG tagged = nCode == SOUND_END ? LONG(SOUND_END) : LONG(((++m_nSerial & 0x1FFFFFFF) << 2) | nCode);
    LONG current = m_request.load();
    if (current != NO_THREAD)
    {
        // Once ended, the thread stays ended: a late request must not revive the value.
        while (current != SOUND_END && !m_request.compare_exchange_weak(current, tagged))
        {
        }
        return;
    }
    if (nCode == SOUND_END)
        return;
    EnterCriticalSection(&m_startLock);
    if (m_request.load() == NO_THREAD)
    {
        // A thread that has ended after an earlier failed wait leaves its handle here.
        if (m_hThread != nullptr)
        {
            CloseHandle(m_hThread);
            m_hThread = nullptr;
        }
        m_request.store(tagged);
        HANDLE hThread = m_pfnStart(&CKTMenuSound::ThreadProc, this);
        if (hThread != nullptr)
        {
            SetThreadPriority(hThread, THREAD_PRIORITY_BELOW_NORMAL);
            m_hThread = hThread;
        }
        else
        {
            m_request.store(NO_THREAD);
        }
    }
    else
    {
        m_request.store(tagged);
    }
    LeaveCriticalSection(&m_startLock);
}

BOOL CKTMenuSound::WaitForThreadEnd(DWORD dwMilliseconds)
{
    if (m_hThread == nullptr)
        return TRUE;
    return WaitForSingleObject(m_hThread, dwMilliseconds) == WAIT_OBJECT_0;
}

unsigned __stdcall CKTMenuSound::ThreadProc(void* pThis)
{
    static_cast<CKTMenuSound*>(pThis)->Run();
    return 0;
}

void CKTMenuSound::Run()
{
    for (;;)
    {
        LONG request = m_request.load();
        if (request == SOUND_END)
            break;
        const int code = CodeOf(request);
        if (code == SOUND_COMMAND || code == SOUND_POPUP)
        {
            m_pfnPlay(code == SOUND_COMMAND ? L"MenuCommand" : L"MenuPopup", nullptr, kSoundFlags);
            // Only the request just played is cleared; a newer one, or the end, stays.
            m_request.compare_exchange_strong(request, 0);
        }
        Sleep(kPollMilliseconds);
    }
    m_pfnPlay(nullptr, nullptr, SND_PURGE);
}

void PlayMenuSound(int nCode)
{
    CKTMenuSound::Get().Play(nCode);
}
