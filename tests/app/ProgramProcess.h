#pragma once
// Running KEST.exe and its helper programs as separate processes from a test, and reading what
// they leave in the machine-wide product key and the spooler.
#include "app/Spooler.h"

#include <windows.h>

#include <string>
#include <vector>

namespace program_process
{

inline const wchar_t* const ProductKey = L"Software\\QuillMere\\KEST";

// A build path (forward slashes) as the programs in the prefix expect it.
inline std::wstring WindowsPath(const wchar_t* path)
{
    std::wstring text = path;
    for (wchar_t& c : text)
        if (c == L'/')
            c = L'\\';
    return text;
}

// Starts the program with the arguments; the process handle (the caller closes it), or null.
inline HANDLE StartProcess(const std::wstring& program, const std::wstring& arguments, DWORD* id = nullptr)
{
    std::wstring command = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    if (id)
        *id = process.dwProcessId;
    return process.hProcess;
}

// Waits for the process to end; its exit code, or STILL_ACTIVE when it did not end in time.
inline DWORD FinishProcess(HANDLE process, DWORD milliseconds = 120000)
{
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process, milliseconds) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    return code;
}

// Runs the program to its end; its exit code, or STILL_ACTIVE when it did not start or end.
inline DWORD RunProcess(const std::wstring& program, const std::wstring& arguments)
{
    HANDLE process = StartProcess(program, arguments);
    if (!process)
        return STILL_ACTIVE;
    const DWORD code = FinishProcess(process);
    CloseHandle(process);
    return code;
}

// KEST.exe from the build.
inline std::wstring ProgramPath()
{
    return WindowsPath(L"" KEST_PROGRAM_EXE);
}

// The running copy's main window once it shows, or null when none showed in time.
inline HWND WaitForMainWindow(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;)
    {
        if (HWND window = FindWindowW(L"QuillmereKestMainFrame", nullptr))
            if (IsWindowVisible(window))
                return window;
        if (GetTickCount() - start > milliseconds)
            return nullptr;
        Sleep(100);
    }
}

// The document windows in the main window's client area.
inline int ChildWindowCount(HWND main)
{
    HWND client = FindWindowExW(main, nullptr, L"MDIClient", nullptr);
    int count = 0;
    for (HWND child = client ? GetWindow(client, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

inline bool HasKestPrinter()
{
    SystemSpooler spooler;
    std::vector<Spooler::PrinterEntry> printers;
    if (!spooler.ListPrinters(printers))
        return false;
    for (const auto& printer : printers)
        if (printer.m_name == L"Kest Printer")
            return true;
    return false;
}

// Sets a text value of the machine-wide product key; an empty text removes it.
inline void SetProductValue(const wchar_t* name, const std::wstring& value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, ProductKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    if (value.empty())
        RegDeleteValueW(key, name);
    else
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

// A text value of the machine-wide product key, empty when missing.
inline std::wstring ProductValue(const wchar_t* name)
{
    wchar_t text[MAX_PATH] = {};
    DWORD bytes = sizeof(text) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, ProductKey, name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
        return {};
    return text;
}

} // namespace program_process
