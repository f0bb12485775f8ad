#pragma once
// The registry entries that tie the work-file extension to the program, and the web links the
// program opens, which carry the number of the setup program that installed it.
#include <windows.h>

#include <cstdint>
#include <string>

// The running module's full path; empty when it cannot be read.
std::wstring GetModulePath();

// The quoted module path and " %1", or with inputOption " -input=\"%1\""; false without a path.
bool GetShellOpenCommand(const std::wstring& modulePath, bool inputOption, std::wstring& command);

// Writes ".<extension>" = "<extension>file", its "DefaultIcon" and "shell\open\command" under
// root (the classes root for the program). False at the first write that failed.
bool RegisterFileType(const std::wstring& extension, const std::wstring& modulePath, const std::wstring& command,
                      HKEY root = HKEY_CLASSES_ROOT);

// The number in a setup program's file name ("Setup-1234.exe": 1234); 0 when there is none or it
// does not fit 32 bits.
int32_t SetupNumberFromName(const std::wstring& name);
// From the machine-wide "SetupExeName"; 0 when absent.
int32_t ReadSetupNumber();

constexpr int32_t FeedbackLinkId = 40;
std::wstring GetWebLinkUrl(int32_t setupNumber, int32_t linkId);

// How a link reaches the user's browser: the shell's default action, or a stand-in in tests.
using ShellOpenFunction = bool (*)(HWND owner, const std::wstring& target);
bool ShellOpenDefault(HWND owner, const std::wstring& target);
