// The menu-sound thread through its seams: which sounds it plays and in what order, requests
// that arrive while a sound plays, the end request, and a thread start that fails.
#include "uitoolkit/bars/KTMenuSound.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <string>
#include <vector>

namespace
{
// Long enough never to matter unless the thread hangs; no test measures time.
const DWORD kHangMilliseconds = 20000;

struct SoundRecorder
{
    CRITICAL_SECTION lock;
    std::vector<std::wstring> played;
    HANDLE hEntered = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE hRelease = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    SoundRecorder() { InitializeCriticalSection(&lock); }
    ~SoundRecorder()
    {
        CloseHandle(hEntered);
        CloseHandle(hRelease);
        DeleteCriticalSection(&lock);
    }
    std::vector<std::wstring> Played()
    {
        EnterCriticalSection(&lock);
        std::vector<std::wstring> copy = played;
        LeaveCriticalSection(&lock);
        return copy;
    }
};

SoundRecorder* g_pRecorder = nullptr;

BOOL WINAPI RecordSound(LPCWSTR pszSound, HMODULE, DWORD dwFlags)
{
    EnterCriticalSection(&g_pRecorder->lock);
    g_pRecorder->played.push_back(pszSound ? std::wstring(pszSound) + (dwFlags == 0x12002 ? L"" : L"?")
                                           : (dwFlags == SND_PURGE ? L"purge" : L"?"));
    LeaveCriticalSection(&g_pRecorder->lock);
    if (pszSound)
    {
        SetEvent(g_pRecorder->hEntered);
        WaitForSingleObject(g_pRecorder->hRelease, INFINITE);
    }
    return FALSE;
}

int g_nStarts = 0;
HANDLE FailingStart(unsigned(__stdcall*)(void*), void*)
{
    ++g_nStarts;
    return nullptr;
}

class MenuSoundTest : public ::testing::Test
{
protected:
    void SetUp() override { g_pRecorder = &m_recorder; }
    void TearDown() override { g_pRecorder = nullptr; }

    // Waits until the thread has gone idle after playing everything asked.
    static bool WaitIdle(CKTMenuSound& sound)
    {
        for (DWORD waited = 0; waited < kHangMilliseconds; waited += 5)
        {
            if (sound.GetRequest() == 0)
                return true;
            Sleep(5);
        }
        return false;
    }

    SoundRecorder m_recorder;
};
} // namespace

TEST_F(MenuSoundTest, FirstRequestStartsTheThreadLaterOnesReuseIt)
{
    CKTMenuSound sound;
    sound.m_pfnPlay = &RecordSound;
    EXPECT_EQ(CKTMenuSound::NO_THREAD, sound.GetRequest());
    sound.Play(CKTMenuSound::SOUND_POPUP);
    ASSERT_TRUE(sound.HasThread());
    ASSERT_TRUE(WaitIdle(sound));
    sound.Play(CKTMenuSound::SOUND_COMMAND);
    ASSERT_TRUE(WaitIdle(sound));
    EXPECT_EQ((std::vector<std::wstring>{L"MenuPopup", L"MenuCommand"}), m_recorder.Played());

    sound.Play(CKTMenuSound::SOUND_END);
    ASSERT_TRUE(sound.WaitForThreadEnd(kHangMilliseconds));
    EXPECT_EQ(L"purge", m_recorder.Played().back());
    // After the end no thread starts again.
    sound.Play(CKTMenuSound::SOUND_POPUP);
    EXPECT_EQ(CKTMenuSound::SOUND_END, sound.GetRequest());
    EXPECT_EQ(3u, m_recorder.Played().size());
}

TEST_F(MenuSoundTest, RequestsDuringASoundAreNotLostAndTheLastWins)
{
    CKTMenuSound sound;
    sound.m_pfnPlay = &RecordSound;
    ResetEvent(m_recorder.hRelease);
    sound.Play(CKTMenuSound::SOUND_POPUP);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(m_recorder.hEntered, kHangMilliseconds));
    // While the popup sound plays: two requests, of which the last is played after it.
    sound.Play(CKTMenuSound::SOUND_COMMAND);
    sound.Play(CKTMenuSound::SOUND_POPUP);
    SetEvent(m_recorder.hRelease);
    ASSERT_TRUE(WaitIdle(sound));
    EXPECT_EQ((std::vector<std::wstring>{L"MenuPopup", L"MenuPopup"}), m_recorder.Played());

    // The end request during a sound ends the thread once the sound is over.
    ResetEvent(m_recorder.hEntered);
    ResetEvent(m_recorder.hRelease);
    sound.Play(CKTMenuSound::SOUND_COMMAND);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(m_recorder.hEntered, kHangMilliseconds));
    sound.Play(CKTMenuSound::SOUND_END);
    SetEvent(m_recorder.hRelease);
    ASSERT_TRUE(sound.WaitForThreadEnd(kHangMilliseconds));
    EXPECT_EQ((std::vector<std::wstring>{L"MenuPopup", L"MenuPopup", L"MenuCommand", L"purge"}), m_recorder.Played());
}

TEST_F(MenuSoundTest, FailedStartIsTriedAgainAndDisabledSoundsDoNothing)
{
    CKTMenuSound sound;
    sound.m_pfnPlay = &RecordSound;
    g_nStarts = 0;
    sound.m_pfnStart = &FailingStart;
    sound.Play(CKTMenuSound::SOUND_POPUP);
    EXPECT_EQ(CKTMenuSound::NO_THREAD, sound.GetRequest());
    EXPECT_FALSE(sound.HasThread());
    sound.Play(CKTMenuSound::SOUND_COMMAND);
    EXPECT_EQ(2, g_nStarts);

    sound.m_bEnabled = FALSE;
    sound.Play(CKTMenuSound::SOUND_POPUP);
    EXPECT_EQ(2, g_nStarts);
    sound.m_bEnabled = TRUE;
    sound.m_pfnStart = CKTMenuSound().m_pfnStart;
    sound.Play(CKTMenuSound::SOUND_POPUP);
    ASSERT_TRUE(sound.HasThread());
    ASSERT_TRUE(WaitIdle(sound));
    EXPECT_EQ(std::vector<std::wstring>{L"MenuPopup"}, m_recorder.Played());
    // The destructor ends the thread; nothing blocks.
}
