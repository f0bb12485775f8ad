#include "driver/DriverErrors.h"

#include "driver/DriverPDEV.h"

#include <atomic>
#include <cstdio>

const wchar_t kDriverMessageCaption[] = L"Kest Printer Driver";
const wchar_t kNoPagesPrintedMessage[] = L"Print job will be cancelled because no pages were printed.";

namespace {

constexpr int kFirstNumber = kErrorNoMemoryForPageSet;
constexpr int kLastNumber = kErrorPrinterRefused;

void ShowMessageBox(const wchar_t* text, const wchar_t* caption)
{
    MessageBoxW(nullptr, text, caption, MB_OK | MB_ICONERROR);
}

std::atomic<DriverMessageSink> g_sink{&ShowMessageBox};
std::atomic<bool> g_forced[kLastNumber - kFirstNumber + 1];

BOOL Show(DriverPDEV* pdev, const wchar_t* text)
{
    bool alreadyFailed = pdev && pdev->m_aborted;
    if (pdev)
        pdev->m_aborted = 1;
    if (!alreadyFailed)
        g_sink.load()(text, kDriverMessageCaption);
    return TRUE;
}

} // namespace

void SetDriverMessageSink(DriverMessageSink sink)
{
    g_sink = sink ? sink : &ShowMessageBox;
}

BOOL ReportDriverError(DriverPDEV* pdev, int number)
{
    wchar_t text[1024];
    swprintf(text, sizeof text / sizeof text[0],
             L"Internal Kest printer driver error %d\nPlease contact product support", number);
    return Show(pdev, text);
}

BOOL ReportDriverMessage(DriverPDEV* pdev, const wchar_t* text)
{
    return Show(pdev, text);
}

void ForceDriverFault(int number)
{
    if (number >= kFirstNumber && number <= kLastNumber)
        g_forced[number - kFirstNumber] = true;
}

void ClearDriverFaults()
{
    for (auto& forced : g_forced)
        forced = false;
}

bool DriverFaultForced(int number)
{
    return number >= kFirstNumber && number <= kLastNumber && g_forced[number - kFirstNumber];
}
