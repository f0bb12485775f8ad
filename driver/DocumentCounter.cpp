#include "driver/DocumentCounter.h"

#include "driver/JobEnvironment.h"
#include "driver/PrintJob.h"

#include <atomic>
#include <cstdio>

const wchar_t kDocumentCounterMutex[] = L"QuillmereKEST-DocumentUnique";

namespace {

constexpr int kFallbackAttempts = 1000;

std::wstring HexName(DWORD number)
{
    wchar_t name[16];
    swprintf(name, sizeof name / sizeof name[0], L"%08lx", static_cast<unsigned long>(number));
    return name;
}

// Without a job number the name comes from this process and a sequence of its own; creating the
// temporary archive exclusively makes sure that no other job, in any process, has the name.
std::wstring ReserveFallbackBasePath(const std::wstring& folder)
{
    static std::atomic<unsigned long> sequence{0};
    for (int attempt = 0; attempt < kFallbackAttempts; ++attempt)
    {
        wchar_t name[64];
        swprintf(name, sizeof name / sizeof name[0], L"ffffffff-%08lx-%lu",
                 static_cast<unsigned long>(GetCurrentProcessId()), ++sequence);
        const std::wstring base = CombinePath(folder, name, false);
        if (FileExists(base + L".kest"))
            continue;
        HANDLE file = CreateFileW((base + L".tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE)
        {
            CloseHandle(file);
            return base;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    return std::wstring();
}

} // namespace

DWORD IncrementDocumentCounter()
{
    bool found = false;
    DWORD value = ReadRegistryDword(kKestSubKey, L"DocumentUnique", found);
    if (!found)
        value = 1;
    const DWORD next = value == 0xFFFFFFFF ? 1 : value + 1;
    return WriteRegistryDword(kKestSubKey, L"DocumentUnique", next) ? next : 0;
}

DWORD NextDocumentNumber()
{
    HANDLE mutex = CreateMutexW(nullptr, FALSE, kDocumentCounterMutex);
    if (!mutex)
        return kNoDocumentNumber;
    const DWORD waited = WaitForSingleObject(mutex, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED)
    {
        CloseHandle(mutex);
        return kNoDocumentNumber;
    }
    const DWORD number = IncrementDocumentCounter();
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return number ? number : kNoDocumentNumber;
}

std::wstring MakeJobBasePath(const std::wstring& folder)
{
    const DWORD number = NextDocumentNumber();
    if (number == kNoDocumentNumber)
        return ReserveFallbackBasePath(folder);
    return CombinePath(folder, HexName(number), false);
}
