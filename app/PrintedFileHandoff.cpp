#include "app/PrintedFileHandoff.h"

#include <cstring>
#include <vector>

#include "pagemodel/PathHelpers.h"

bool BuildHandoff(const std::wstring& path, bool printed, bool add, PrintedFileHandoff& record)
{
    std::memset(&record, 0, sizeof(record));
    if (path.size() >= PrintedFileHandoff::PathLength)
        return false;
    std::memcpy(record.m_path, path.c_str(), path.size() * sizeof(wchar_t));
    record.m_printed = printed ? 1 : 0;
    record.m_add = add ? 1 : 0;
    return true;
}

LRESULT ReadHandoff(const COPYDATASTRUCT& data, HandoffRequest& request)
{
    if (data.cbData != sizeof(PrintedFileHandoff) || data.lpData == nullptr)
        return HandoffBadSize;
    PrintedFileHandoff record;
    std::memcpy(&record, data.lpData, sizeof(record));
    size_t length = 0;
    while (length < PrintedFileHandoff::PathLength && record.m_path[length] != 0)
        ++length;
    if (length == 0 || length == PrintedFileHandoff::PathLength || record.m_printed > 1 || record.m_add > 1)
        return HandoffNotTaken;
    request.m_path.assign(record.m_path, length);
    request.m_printed = record.m_printed == 1;
    request.m_add = record.m_add == 1;
    return 0;
}

LRESULT AnswerCopyData(HWND mainWindow, const COPYDATASTRUCT* data, PrintJobReceiver& receiver, bool& handled)
{
    handled = data != nullptr && data->dwData == PrintedFileHandoff::Identifier;
    if (!handled)
        return 0;
    if (!::IsWindowEnabled(mainWindow))
        return HandoffBusy;
    HandoffRequest request;
    const LRESULT checked = ReadHandoff(*data, request);
    if (checked != 0)
        return checked;
    return receiver.OpenOrAddWorkFile(request.m_path, request.m_printed, request.m_add) ? HandoffTaken
                                                                                        : HandoffNotTaken;
}

HandoffOutcome HandoffSender::Send(const std::wstring& path, bool printed, bool add)
{
    PrintedFileHandoff record;
    if (!BuildHandoff(path, printed, add, record))
        return HandoffOutcome::NotSent;
    int failedSends = 0;
    for (;;)
    {
        HWND window = ::FindWindowW(m_className, nullptr);
        if (!window)
            return HandoffOutcome::NoRunningCopy;
        COPYDATASTRUCT data = {};
        data.dwData = PrintedFileHandoff::Identifier;
        data.cbData = sizeof(record);
        data.lpData = &record;
        DWORD_PTR answer = 0;
        ::SetLastError(ERROR_SUCCESS);
        if (!::SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                   SMTO_NORMAL | SMTO_ABORTIFHUNG, m_answerTimeout, &answer))
        {
            // A receiver that is slow or hung may still open the file later: keeping it here too
            // would show one job in two copies, each deleting it when closed. A window that went
            // before the record reached it took nothing: look again.
            if (::GetLastError() == ERROR_TIMEOUT || ::IsWindow(window))
                return HandoffOutcome::Unanswered;
            if (++failedSends >= m_sendAttempts)
                return HandoffOutcome::Failed;
            continue;
        }
        switch (answer)
        {
        case HandoffTaken:
            return HandoffOutcome::Taken;
        case HandoffNotTaken:
            return HandoffOutcome::Refused;
        case HandoffBusy:
            ++m_busyRounds;
            ::Sleep(m_busyRetryDelay);
            break;
        default:
            return HandoffOutcome::Failed;
        }
    }
}

bool WaitForFile(const std::wstring& path, DWORD timeout, DWORD interval)
{
    const DWORD start = ::GetTickCount();
    for (;;)
    {
        if (FileExists(path))
            return true;
        if (::GetTickCount() - start >= timeout)
            return false;
        ::Sleep(interval);
    }
}

namespace
{

std::wstring FullPath(const std::wstring& path)
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;)
    {
        const DWORD length =
            ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return std::wstring();
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        buffer.resize(length + 1);
    }
}

} // namespace

bool IsInFolder(const std::wstring& path, const std::wstring& folder)
{
    if (path.empty() || folder.empty())
        return false;
    std::wstring file = FullPath(path);
    std::wstring base = FullPath(folder);
    if (file.empty() || base.empty())
        return false;
    while (!base.empty() && base.back() == L'\\')
        base.pop_back();
    const size_t slash = file.find_last_of(L'\\');
    if (slash == std::wstring::npos || slash == file.size() - 1)
        return false;
    const std::wstring parent = file.substr(0, slash);
    return ::CompareStringOrdinal(parent.c_str(), static_cast<int>(parent.size()), base.c_str(),
                                  static_cast<int>(base.size()), TRUE) == CSTR_EQUAL;
}
