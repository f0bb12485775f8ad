#include "app/CommandLine.h"

#include <windows.h>

#include <shellapi.h>

#include "app/PageListParser.h"

namespace
{

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    return text;
}

} // namespace

bool CommandLine::Parse(const std::vector<std::wstring>& arguments,
                        const std::function<bool(const std::wstring&)>& onNonOption)
{
    for (const std::wstring& argument : arguments)
    {
        if (argument.empty() || argument[0] != L'-')
            return onNonOption ? onNonOption(argument) : false;
        const std::wstring rest = argument.substr(1);
        const size_t equals = rest.find(L'=');
        std::wstring name;
        std::wstring value;
        if (equals == std::wstring::npos)
            name = Lower(rest);
        else
        {
            name = Lower(rest.substr(0, equals));
            value = rest.substr(equals + 1);
            if (name.empty() || value.empty())
                return false;
            if (name == L"input")
            {
                m_inputs.push_back(value);
                continue;
            }
        }
        if (!m_options.emplace(name, value).second)
            return false;
    }
    return true;
}

std::wstring CommandLine::Value(const wchar_t* name) const
{
    const auto found = m_options.find(name);
    return found == m_options.end() ? std::wstring() : found->second;
}

int32_t CommandLine::ValidatePrinted()
{
    for (const auto& option : m_options)
        if (option.first != L"printed" && option.first != L"-add")
            return CommandLineRejected;
    return ValidateGeneral();
}

int32_t CommandLine::ValidateGeneral()
{
    struct Presence
    {
        const wchar_t* name;
        bool needsValue;
        int32_t code;
    };
    static const Presence presence[] = {
        {L"layout", true, 101}, {L"format", true, 102},       {L"output", true, 103},
        {L"range", true, 104},  {L"noui", false, 105},        {L"autoclose", false, 106},
        {L"run", false, 107},   {L"autoconvert", false, 108}, {L"autoconvertwarn", false, 109},
    };
    for (const Presence& p : presence)
    {
        const auto found = m_options.find(p.name);
        if (found != m_options.end() && found->second.empty() == p.needsValue)
            return p.code;
    }
    for (const auto& onOff : {std::make_pair(L"preview", 110), std::make_pair(L"status", 111)})
    {
        const auto found = m_options.find(onOff.first);
        if (found == m_options.end())
            continue;
        found->second = Lower(found->second);
        if (found->second != L"on" && found->second != L"off")
            return onOff.second;
    }
    if (Has(L"noui"))
    {
        if (Has(L"autoconvert"))
            return 121;
        if (Has(L"autoconvertwarn"))
            return 122;
        m_displayFlags |= DisplayNoUI;
        m_runFlags |= RunConvert | RunAutoClose;
    }
    const auto format = m_options.find(L"format");
    if (format != m_options.end())
    {
        format->second = Lower(format->second);
        const std::wstring& f = format->second;
        if (f != L"excel" && f != L"excelfile" && f != L"clipboard" && f != L"excelclipboard" && f != L"wordclipboard")
            return 131;
        if (f == L"excelfile" && IsNoUI() && !Has(L"output"))
            return 132;
    }
    const auto range = m_options.find(L"range");
    if (range != m_options.end())
    {
        range->second = Lower(range->second);
        const std::wstring& r = range->second;
        PageRangeList pages;
        if (r != L"all" && r != L"current" && r != L"ask" && !ParsePageList(r, pages))
            return 133;
    }
    if (Has(L"output"))
    {
        if (format == m_options.end())
            return 134;
        if (format->second != L"excelfile")
            return 135;
    }
    if (Has(L"status"))
        m_displayFlags |= Value(L"status") == L"on" ? DisplayStatusOn : DisplayStatusOff;
    if (Has(L"preview"))
        m_displayFlags |= Value(L"preview") == L"on" ? DisplayPreviewOn : DisplayPreviewOff;
    if (Has(L"run"))
    {
        if (Has(L"autoconvert"))
            return 141;
        if (Has(L"autoconvertwarn"))
            return 142;
        m_runFlags |= RunConvert;
    }
    if (Has(L"autoconvert"))
    {
        if (Has(L"autoconvertwarn"))
            return 143;
        m_runFlags |= RunAutoConvert;
    }
    if (Has(L"autoconvertwarn"))
        m_runFlags |= RunAutoConvertWarn;
    if (Has(L"autoclose"))
        m_runFlags |= RunAutoClose;
    return CommandLineAccepted;
}

std::vector<std::wstring> GetProgramArguments()
{
    std::vector<std::wstring> arguments;
    int count = 0;
    LPWSTR* list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!list)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.emplace_back(list[i]);
    ::LocalFree(list);
    return arguments;
}

InstallerSwitch ScanInstallerSwitches(const std::vector<std::wstring>& arguments)
{
    InstallerSwitch result;
    for (const std::wstring& argument : arguments)
    {
        if (argument == L"/NoUI")
            result.m_quiet = true;
        else if (argument == L"/InstallPrinter")
            result.m_kind = InstallerSwitch::Install;
        else if (argument == L"/UninstallPrinter")
            result.m_kind = InstallerSwitch::Uninstall;
        if (result.m_kind != InstallerSwitch::None)
            break;
    }
    return result;
}
