#include "table/ProgressThread.h"

#include "table/ConversionMessages.h"
#include "table/TableConverter.h"

#include <windows.h>

#include <exception>

namespace {

std::wstring Widen(const char* text)
{
    int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], size);
    wide.resize(static_cast<size_t>(size) - 1);
    return wide;
}

void ReportUnexpected(TableConverter& converter, const char* what)
{
    converter.SetProgress(nullptr);
    try {
        converter.SetError(FormatMessageText(ConversionMessages::UnexpectedError, {Widen(what)}), false);
    } catch (...) {
        // Out of memory for the message itself: the failure flag still tells the caller.
    }
}

} // namespace

int32_t ProgressThread::Run(TableConverter* converter, ProgressInterface* progress)
{
    m_success = false;
    if (!converter)
        return 0;
    try {
        m_success = RunJob(*converter, progress);
    } catch (const std::exception& e) {
        ReportUnexpected(*converter, e.what());
    } catch (...) {
        ReportUnexpected(*converter, "unknown exception");
    }
    return 0;
}
