#include "tests/uitoolkit/customize/CustomizeTestSupport.h"

#include "framework/Afx.h"

void Pump()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (!AfxGetThread()->PreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

void PumpFor(DWORD dwMs)
{
    const DWORD dwStart = ::GetTickCount();
    while (::GetTickCount() - dwStart < dwMs)
    {
        Pump();
        ::Sleep(5);
    }
}

void Play(UserInput& input)
{
    input.Start();
    PumpUntil([&] { return input.Done(); }, 20000);
    input.Wait();
    Pump();
}
