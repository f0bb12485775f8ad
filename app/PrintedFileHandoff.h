#pragma once
// The record a starting copy sends to a running one (WM_COPYDATA, identifier 1001), the answers,
// and both ends of the exchange. The record arrives from any process: nothing in it is trusted.
#include <windows.h>

#include <cstdint>
#include <string>

#pragma pack(push, 1)
struct PrintedFileHandoff
{
    static constexpr ULONG_PTR Identifier = 1001;
    static constexpr size_t PathLength = 260;

    wchar_t m_path[PathLength]; // ended by a zero: at most 259 characters
    uint8_t m_printed;          // 1 for a print job's work file, 0 for a file named by "-input"
    uint8_t m_add;              // 1: append to the print target
};
#pragma pack(pop)
static_assert(sizeof(PrintedFileHandoff) == 522, "the record's size is fixed between copies");

enum HandoffAnswer : LRESULT
{
    HandoffTaken = 200,
    HandoffNotTaken = 201,
    HandoffBadSize = 202,
    HandoffBusy = 203,
};

// The window class of the running copy's main frame, found by the starting copy.
constexpr const wchar_t* MainFrameClassName = L"QuillmereKestMainFrame";
// "Internal KEST Error number %d": the running copy gave an answer outside the exchange.
constexpr int32_t HandoffErrorNumber = 2057;

struct HandoffRequest
{
    std::wstring m_path;
    bool m_printed = false;
    bool m_add = false;
};

// False when the path does not fit (260 characters or more).
bool BuildHandoff(const std::wstring& path, bool printed, bool add, PrintedFileHandoff& record);

// The receiving side's checks of a copy-data record of identifier 1001: 202 for a size other
// than the record's, 201 for a path without its zero or flag bytes other than 0 and 1, else 0
// with the request filled in.
LRESULT ReadHandoff(const COPYDATASTRUCT& data, HandoffRequest& request);

class PrintJobReceiver
{
public:
    virtual ~PrintJobReceiver() = default;
    // Opens the file, or appends a print job to the print target; false when nothing opened.
    virtual bool OpenOrAddWorkFile(const std::wstring& path, bool printed, bool add) = 0;
};

// The main frame's answer to WM_COPYDATA; handled is false for records of other identifiers.
LRESULT AnswerCopyData(HWND mainWindow, const COPYDATASTRUCT* data, PrintJobReceiver& receiver, bool& handled);

enum class HandoffOutcome
{
    NoRunningCopy, // this copy keeps the file
    NotSent,       // the path does not fit the record: this copy keeps the file
    Taken,         // 200: the running copy opened it
    Refused,       // 201: the running copy could not open it and said so
    Unanswered,    // no answer in time: the running copy may still take it, so this copy must not
    Failed,        // an answer outside the exchange or a send that never arrived: this copy keeps it
};

struct HandoffSender
{
    // The window class of the copy to hand files to.
    const wchar_t* m_className = MainFrameClassName;
    // The longest wait for one answer. A receiver that does not answer within it still holds the
    // record and may open the file whenever it gets to it: the file is left to it (Unanswered).
    DWORD m_answerTimeout = 120000;
    // Sends that did not arrive (the window went between finding and sending) are tried this often.
    int m_sendAttempts = 3;
    DWORD m_busyRetryDelay = 1000;
    // The number of busy answers received, for whoever watches the rounds.
    int m_busyRounds = 0;

    HandoffOutcome Send(const std::wstring& path, bool printed, bool add);
};

// Polls every interval until the file exists or timeout has passed; true when it exists.
bool WaitForFile(const std::wstring& path, DWORD timeout, DWORD interval = 250);

// True when path names a file directly inside folder (names compared without regard to case).
bool IsInFolder(const std::wstring& path, const std::wstring& folder);
