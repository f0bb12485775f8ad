#pragma once
// The menu sounds: opening a menu and choosing a command play the system's menu sounds on a
// worker thread, so that the user-interface thread never waits for the sound device.
//
// The request is one atomic value: -2 no thread, -1 the thread is to end, 0 idle, else a
// sound code (1 command, 2 popup) tagged with a serial number, so that the thread clears only
// the request it played and a request that arrives during a sound is played after it.
//
// Ownership: the object owns its thread handle; the destructor ends the thread and closes it.
#include <windows.h>

#include <atomic>

class CKTMenuSound
{
public:
    enum
    {
        SOUND_COMMAND = 1,
        SOUND_POPUP = 2,
        SOUND_END = -1,
        NO_THREAD = -2
    };
    using PlayFunction = BOOL(WINAPI*)(LPCWSTR pszSound, HMODULE hModule, DWORD dwFlags);
    using StartFunction = HANDLE (*)(unsigned(__stdcall* pfnThread)(void*), void* pArgument);

    CKTMenuSound();
    ~CKTMenuSound();
    CKTMenuSound(const CKTMenuSound&) = delete;
    CKTMenuSound& operator=(const CKTMenuSound&) = delete;

    // Queues a sound (1, 2) or ends the thread (-1). Never waits for a sound.
    void Play(int nCode);
    // -2, -1, 0, 1 or 2 as above (the serial left out).
    int GetRequest() const;
    BOOL HasThread() const { return m_hThread != nullptr; }
    // TRUE once the thread has ended (or there is none).
    BOOL WaitForThreadEnd(DWORD dwMilliseconds);
    // Ends the thread for good at the library's clean-up, while the process can still wait for
    // it (a static destructor runs after the threads were torn down): no sound plays after it.
    void CleanUp();

    BOOL m_bEnabled = TRUE;
    // Seams: the system's sound call and the thread start.
    PlayFunction m_pfnPlay;
    StartFunction m_pfnStart;

    static CKTMenuSound& Get();

private:
    static unsigned __stdcall ThreadProc(void* pThis);
    void Run();

    std::atomic<LONG> m_request{NO_THREAD};
    LONG m_nSerial = 0;
    HANDLE m_hThread = nullptr;
    CRITICAL_SECTION m_startLock;
};

// The toolkit's entry: 1 a command was chosen, 2 a menu opened, -1 ends the sound thread.
void PlayMenuSound(int nCode);
