#pragma once
// What a user does in the dialogs and message boxes of this process, from a thread of its own
// while the test's thread sits in their modal loops.
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

inline std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

// What a user does in a dialog of this process: wait for it by caption, then act on it.
struct DialogStep
{
    std::wstring caption;
    std::function<void(HWND)> act;
};

struct FindContext
{
    const std::wstring* caption;
    HWND found;
};

inline BOOL CALLBACK FindDialog(HWND window, LPARAM param)
{
    auto* context = reinterpret_cast<FindContext*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && TextOf(window) == *context->caption)
    {
        wchar_t className[32] = {};
        GetClassNameW(window, className, 32);
        if (std::wstring(className) == L"#32770")
        {
            context->found = window;
            return FALSE;
        }
    }
    return TRUE;
}

// Runs the steps on its own thread while the test's thread sits in the modal loops.
class DialogUser
{
public:
    explicit DialogUser(std::vector<DialogStep> steps)
        : m_thread([this, steps]() {
              for (const DialogStep& step : steps)
              {
                  HWND dialog = nullptr;
                  for (int i = 0; i < 500 && !dialog; ++i)
                  {
                      FindContext context = {&step.caption, nullptr};
                      EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&context));
                      dialog = context.found;
                      if (!dialog)
                          Sleep(10);
                  }
                  if (!dialog)
                  {
                      m_missed = true;
                      m_done = true;
                      return;
                  }
                  Sleep(50);
                  step.act(dialog);
                  // The next step's dialog may share the caption: wait until this one is gone or stays.
                  Sleep(150);
              }
              m_done = true;
          })
    {
    }
    ~DialogUser()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    // All steps taken or given up. Until then the steps may ask this thread's windows for their
    // texts: a thread that waits for the user must keep answering them.
    bool Done() const { return m_done; }
    bool Missed()
    {
        if (m_thread.joinable())
            m_thread.join();
        return m_missed;
    }

private:
    std::atomic<bool> m_missed{false};
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// Posted: a click that opens a message box must not hold this thread until the box closes.
inline void Click(HWND dialog, int id)
{
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

inline void Type(HWND dialog, int id, const wchar_t* text)
{
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// A message box's text, then its first button pressed.
inline std::function<void(HWND)> AnswerMessage(std::wstring& seen)
{
    return [&seen](HWND box) {
        HWND text = FindWindowExW(box, nullptr, L"Static", nullptr);
        while (text && TextOf(text).empty())
            text = FindWindowExW(box, text, L"Static", nullptr);
        seen = text ? TextOf(text) : L"";
        HWND button = FindWindowExW(box, nullptr, L"Button", nullptr);
        PostMessageW(button, BM_CLICK, 0, 0);
    };
}
