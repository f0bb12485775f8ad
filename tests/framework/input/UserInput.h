// Input as a user gives it, from a thread of its own while the tested thread runs its loops:
// the mouse and keys through SendInput, and keys whose state must survive a mouse press through
// the display's own test extension (xdotool), which the system's input queue does not reset.
// Also a picture of a screen area for the build folder.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class UserInput
{
public:
    UserInput() = default;
    ~UserInput() { Wait(); }
    UserInput(const UserInput&) = delete;
    UserInput& operator=(const UserInput&) = delete;

    // Steps are queued and then played in order by Start.
    UserInput& MoveTo(POINT pt);
    // Moves in small steps, as a hand does, so every window on the way sees the cursor.
    UserInput& Glide(POINT from, POINT to, int nSteps = 12);
    UserInput& LeftDown();
    // A left click at a point found when the step is played (a window that opens meanwhile).
    UserInput& ClickAt(std::function<POINT()> where);
    UserInput& LeftUp();
    UserInput& RightDown();
    UserInput& RightUp();
    UserInput& Key(WORD vk, bool bDown);
    // A key pressed and released.
    UserInput& Press(WORD vk) { return Key(vk, true).Key(vk, false); }
    // Characters typed as the keyboard's text input (no key codes), one by one.
    UserInput& Type(const std::wstring& text);
    // "ctrl", "shift", "alt": pressed or released through the display.
    UserInput& DisplayKey(const char* keyName, bool bDown);
    UserInput& Pause(DWORD dwMilliseconds);
    UserInput& Call(std::function<void()> step);

    void Start();
    bool Done() const { return m_bDone; }
    void Wait();

private:
    std::vector<std::function<void()>> m_steps;
    std::thread m_thread;
    std::atomic<bool> m_bDone{false};
};

// Runs xdotool with the arguments and waits for it; false when it could not run.
bool RunXdotool(const std::wstring& arguments);

// Writes the screen area as a 24-bit BMP file (relative paths land in the test's build folder).
bool SaveScreenArea(const wchar_t* path, const RECT& rect);
// The colour of a screen pixel.
COLORREF ScreenPixel(POINT pt);
