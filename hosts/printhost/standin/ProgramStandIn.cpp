// Stands in for the Kest program that the driver starts at the end of a job: it reports the work
// file it was handed and, when KEST_STANDIN_LOG names a file, appends its command line to it.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    const wchar_t* printed = nullptr;
    for (int i = 1; i < argc; ++i)
    {
        if (std::wcsncmp(argv[i], L"-printed=", 9) == 0)
            printed = argv[i] + 9;
    }
    std::wprintf(L"Kest stand-in: printed work file %ls\n", printed ? printed : L"(none)");

    wchar_t logPath[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"KEST_STANDIN_LOG", logPath, MAX_PATH);
    if (length && length < MAX_PATH)
    {
        FILE* log = _wfopen(logPath, L"a, ccs=UTF-8");
        if (log)
        {
            std::fwprintf(log, L"%ls\n", GetCommandLineW());
            std::fclose(log);
        }
    }
    return printed ? 0 : 1;
}
