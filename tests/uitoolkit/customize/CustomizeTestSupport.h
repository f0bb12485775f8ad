#pragma once
// Message loops for the customization tests: the tested thread runs its messages (through the
// thread's pre-translation, as the program's loop does) while the input plays on its own thread.
#include "tests/framework/input/UserInput.h"

#include "framework/Afx.h"

#include <ostream>
#include <windows.h>

// Failure messages show texts, not addresses.
void PrintTo(const CString& str, std::ostream* os);

void Pump();
void PumpFor(DWORD dwMs);
// Pumps until the predicate holds or the time is up; returns the predicate's value.
template <class Pred>
bool PumpUntil(Pred pred, DWORD dwTimeoutMs = 5000)
{
    const DWORD dwStart = ::GetTickCount();
    while (!pred())
    {
        if (::GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        Pump();
        ::Sleep(5);
    }
    return true;
}
// Plays the input on its own thread while this thread runs its messages.
void Play(UserInput& input);

// A screen-compatible bitmap of one colour (the caller deletes it).
HBITMAP SolidBitmap(COLORREF color, int cx, int cy);
