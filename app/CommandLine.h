#pragma once
// The program's command line: "-name", "-name=value", repeatable "-input=file", and the
// installer switches. The general grammar of unattended runs is checked in full; the printed-job
// start narrows it to "printed" and "-add".
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

using CommandLineOptionMap = std::map<std::wstring, std::wstring>;

// Start-up result codes of the command line.
enum CommandLineResult : int32_t
{
    CommandLineAccepted = 0,
    CommandLineRejected = 3,
    RangeAskWithoutUI = 201,
    TooManyInputsWithoutUI = 202,
    NothingOpenedWithoutUI = 203,
};

class CommandLine
{
public:
    static constexpr uint32_t DisplayStatusOn = 0x1;
    static constexpr uint32_t DisplayStatusOff = 0x2;
    static constexpr uint32_t DisplayPreviewOn = 0x4;
    static constexpr uint32_t DisplayPreviewOff = 0x8;
    static constexpr uint32_t DisplayNoUI = 0x100;
    static constexpr uint32_t RunConvert = 0x1000;
    static constexpr uint32_t RunAutoConvert = 0x2000;
    static constexpr uint32_t RunAutoConvertWarn = 0x4000;
    static constexpr uint32_t RunAutoClose = 0x8000;

    // The arguments after the program's name. False on an empty name or value after '=' or a name
    // given twice; the map and list then hold what was read so far. An argument that is no option
    // ends the walk with the answer of onNonOption (false without one).
    bool Parse(const std::vector<std::wstring>& arguments,
               const std::function<bool(const std::wstring&)>& onNonOption = nullptr);
    // The checks of unattended runs, in their order; 0 or the first code that applies. Sets the
    // display and run flags.
    int32_t ValidateGeneral();
    // The printed-job start: any name but "printed" and "-add" gives 3 before the general checks.
    int32_t ValidatePrinted();

    bool Has(const wchar_t* name) const { return m_options.count(name) != 0; }
    // The value of the option; empty when absent or given without a value.
    std::wstring Value(const wchar_t* name) const;
    bool IsNoUI() const { return (m_displayFlags & DisplayNoUI) != 0; }

    CommandLineOptionMap m_options;
    std::vector<std::wstring> m_inputs;
    uint32_t m_displayFlags = 0;
    uint32_t m_runFlags = 0;
};

// The process's arguments after the program's name.
std::vector<std::wstring> GetProgramArguments();

// The installer switches, compared exactly. The first "/InstallPrinter" or "/UninstallPrinter"
// ends the scan, so "/NoUI" counts only before it.
struct InstallerSwitch
{
    enum Kind
    {
        None,
        Install,
        Uninstall
    } m_kind = None;
    bool m_quiet = false;
};
InstallerSwitch ScanInstallerSwitches(const std::vector<std::wstring>& arguments);
