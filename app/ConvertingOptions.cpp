#include "app/ConvertingOptions.h"

#include <windows.h>

#include "framework/AfxWinApp.h"

namespace
{

constexpr uint32_t ConvertToFirstCommand = 34101;
// Written by no one: a string read back as this was absent.
constexpr const wchar_t* AbsentText = L"\x01\x01";
constexpr int AbsentNumber = -1;

bool ReadNumber(CWinApp& app, const wchar_t* name, int32_t& value)
{
    const int read = static_cast<int>(app.GetProfileInt(ConvertingOptions::Section, name, AbsentNumber));
    if (read == AbsentNumber)
        return false;
    value = read;
    return true;
}

void ReadFlag(CWinApp& app, const wchar_t* name, bool& value)
{
    int32_t number = 0;
    if (ReadNumber(app, name, number))
        value = number == 1;
}

void ReadText(CWinApp& app, const wchar_t* name, std::wstring& value)
{
    const CString read = app.GetProfileString(ConvertingOptions::Section, name, AbsentText);
    if (read != AbsentText)
        value = static_cast<LPCWSTR>(read);
}

} // namespace

ConvertingOptions::ConvertingOptions()
{
    m_excelKeepFormatting = false;
    m_excelMergeCells = false;
    m_wordKeepFormatting = true;
    m_wordMergeCells = false;
    ReadInstalledApplications();
}

bool ConvertingOptions::Save(CWinApp& app) const
{
    const struct
    {
        const wchar_t* name;
        int value;
    } numbers[] = {
        {L"Target", static_cast<int>(m_target)},
        {L"AskForFilename", m_askForFilename ? 1 : 0},
        {L"ConvertPages", m_convertPages},
        {L"AskConvertPages", m_askConvertPages ? 1 : 0},
        {L"ExcelKeepFormatting", m_excelKeepFormatting ? 1 : 0},
        {L"WordKeepFormatting", m_wordKeepFormatting ? 1 : 0},
        {L"TextSelectionDir", m_textSelectionDir},
        {L"DrawHandles", m_drawHandles ? 1 : 0},
        {L"DrawRowAlways", m_drawRowAlways ? 1 : 0},
    };
    for (const auto& n : numbers)
        if (!app.WriteProfileInt(Section, n.name, n.value))
            return false;
    const struct
    {
        const wchar_t* name;
        const std::wstring& value;
    } texts[] = {
        {L"ExcelCurrency", m_excelCurrency},
        {L"ExcelDate", m_excelDate},
        {L"ExcelTime", m_excelTime},
        {L"ExcelNumber", m_excelNumber},
    };
    for (const auto& t : texts)
        if (!app.WriteProfileString(Section, t.name, t.value.c_str()))
            return false;
    return app.WriteProfileInt(Section, L"ExcelMergeCells", m_excelMergeCells ? 1 : 0) &&
           app.WriteProfileInt(Section, L"WordMergeCells", m_wordMergeCells ? 1 : 0);
}

bool ConvertingOptions::Load(CWinApp& app)
{
    int32_t target = static_cast<int32_t>(m_target);
    if (ReadNumber(app, L"Target", target))
        m_target = static_cast<ConversionTarget>(target);
    ReadFlag(app, L"AskForFilename", m_askForFilename);
    ReadNumber(app, L"ConvertPages", m_convertPages);
    ReadFlag(app, L"AskConvertPages", m_askConvertPages);
    ReadFlag(app, L"ExcelKeepFormatting", m_excelKeepFormatting);
    ReadFlag(app, L"WordKeepFormatting", m_wordKeepFormatting);
    ReadNumber(app, L"TextSelectionDir", m_textSelectionDir);
    ReadFlag(app, L"DrawHandles", m_drawHandles);
    ReadFlag(app, L"DrawRowAlways", m_drawRowAlways);
    ReadText(app, L"ExcelCurrency", m_excelCurrency);
    ReadText(app, L"ExcelDate", m_excelDate);
    ReadText(app, L"ExcelTime", m_excelTime);
    ReadText(app, L"ExcelNumber", m_excelNumber);
    ReadFlag(app, L"ExcelMergeCells", m_excelMergeCells);
    ReadFlag(app, L"WordMergeCells", m_wordMergeCells);
    return true;
}

uint32_t ConvertingOptions::GetTargetCommand() const
{
    const int32_t target = static_cast<int32_t>(m_target);
    if (target < 0 || target >= ConversionTargetCount)
        return 0;
    return ConvertToFirstCommand + static_cast<uint32_t>(target);
}

bool ConvertingOptions::IsClassRegistered(const wchar_t* progId)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, progId, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

void ConvertingOptions::ReadInstalledApplications()
{
    m_excelInstalled = IsClassRegistered(L"Excel.Application");
    m_wordInstalled = IsClassRegistered(L"Word.Application");
}

bool CDCOptions::Save(CWinApp& app) const
{
    return ConvertingOptions::Save(app) && app.WriteProfileInt(Section, L"Accumulate", m_accumulate ? 1 : 0);
}

bool CDCOptions::Load(CWinApp& app)
{
    ConvertingOptions::Load(app);
    ReadFlag(app, L"Accumulate", m_accumulate);
    return true;
}

void CDCOptions::CopyFrom(const ConvertingOptions& source)
{
    ConvertingOptions::CopyFrom(source);
    if (const CDCOptions* options = dynamic_cast<const CDCOptions*>(&source))
        m_accumulate = options->m_accumulate;
}
