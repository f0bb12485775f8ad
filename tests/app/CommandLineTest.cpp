// The command line as the driver, the shell and users write it: parse, the printed-job checks,
// the general checks in their order, the options it overrides, and the installer switches.
#include "app/CommandLine.h"
#include "tests/app/AppTestSupport.h"

#include <gtest/gtest.h>

namespace
{

struct LineCase
{
    std::vector<std::wstring> arguments;
    bool parsed;
    CommandLineOptionMap options;
    std::vector<std::wstring> inputs;
    int32_t printedResult; // the printed-job start's check
    int32_t generalResult; // the general grammar's check
};

TEST(CommandLineTest, ArgumentsToOptionsInputsAndResults)
{
    const std::wstring job = L"C:\\Kest Jobs\\Job 12.kest";
    const LineCase cases[] = {
        // The driver's own line, and the name as a user might write it.
        {{L"-printed=" + job}, true, {{L"printed", job}}, {}, 0, 0},
        {{L"-Printed=" + job}, true, {{L"printed", job}}, {}, 0, 0},
        {{L"-printed=a.kest", L"--add"}, true, {{L"printed", L"a.kest"}, {L"-add", L""}}, {}, 0, 0},
        {{L"--ADD"}, true, {{L"-add", L""}}, {}, 0, 0},
        // Other names of the general grammar end this product's start.
        {{L"-noui"}, true, {{L"noui", L""}}, {}, 3, 0},
        {{L"-format=excel"}, true, {{L"format", L"excel"}}, {}, 3, 0},
        // A bare file name, two printed jobs, names without values.
        {{L"C:\\a.kest"}, false, {}, {}, 3, 3},
        {{L"-printed=a.kest", L"-printed=b.kest"}, false, {{L"printed", L"a.kest"}}, {}, 3, 3},
        {{L"-=x"}, false, {}, {}, 3, 3},
        {{L"-printed="}, false, {}, {}, 3, 3},
        // Inputs keep their order and case; "-input" alone is an option like any other.
        {{L"-input=B.kest", L"-INPUT=a.kest"}, true, {}, {L"B.kest", L"a.kest"}, 0, 0},
        {{L"-input="}, false, {}, {}, 3, 3},
        {{L"-input"}, true, {{L"input", L""}}, {}, 3, 0},
        {{L"-input=a=b.kest"}, true, {}, {L"a=b.kest"}, 0, 0},
    };
    for (const LineCase& c : cases)
    {
        const std::wstring shown = c.arguments.empty() ? L"" : c.arguments[0];
        CommandLine line;
        EXPECT_EQ(line.Parse(c.arguments), c.parsed) << shown;
        EXPECT_EQ(line.m_options, c.options) << shown;
        EXPECT_EQ(line.m_inputs, c.inputs) << shown;
        if (!c.parsed)
            continue;
        CommandLine printed = line;
        EXPECT_EQ(printed.ValidatePrinted(), c.printedResult) << shown;
        CommandLine general = line;
        EXPECT_EQ(general.ValidateGeneral(), c.generalResult) << shown;
    }
}

TEST(CommandLineTest, AnArgumentThatIsNoOptionEndsTheWalkWithTheApplicationsAnswer)
{
    for (bool answer : {false, true})
    {
        std::vector<std::wstring> offered;
        CommandLine line;
        EXPECT_EQ(line.Parse({L"-printed=a.kest", L"b.kest", L"-input=c.kest"},
                             [&](const std::wstring& argument) {
                                 offered.push_back(argument);
                                 return answer;
                             }),
                  answer);
        EXPECT_EQ(offered, std::vector<std::wstring>{L"b.kest"});
        EXPECT_EQ(line.m_options, (CommandLineOptionMap{{L"printed", L"a.kest"}}));
        EXPECT_TRUE(line.m_inputs.empty());
    }
    // This program takes none: its parse fails on one.
    EXPECT_FALSE(theApp.OnNonOptionArgument(L"b.kest"));
    EXPECT_FALSE(theApp.ParseCommandLine({L"b.kest"}));
    theApp.ResetStart();
}

TEST(CommandLineTest, GeneralChecksInTheirOrder)
{
    struct Case
    {
        std::vector<std::wstring> arguments;
        int32_t result;
        uint32_t displayFlags;
        uint32_t runFlags;
    } cases[] = {
        {{L"-layout"}, 101, 0, 0},
        {{L"-format"}, 102, 0, 0},
        {{L"-output", L"-format"}, 102, 0, 0},
        {{L"-output"}, 103, 0, 0},
        {{L"-range"}, 104, 0, 0},
        {{L"-noui=1"}, 105, 0, 0},
        {{L"-autoclose=1"}, 106, 0, 0},
        {{L"-run=1"}, 107, 0, 0},
        {{L"-autoconvert=1"}, 108, 0, 0},
        {{L"-autoconvertwarn=1"}, 109, 0, 0},
        {{L"-preview=maybe"}, 110, 0, 0},
        {{L"-preview"}, 110, 0, 0},
        {{L"-status=yes", L"-preview=maybe"}, 110, 0, 0},
        {{L"-status=yes"}, 111, 0, 0},
        {{L"-noui", L"-autoconvert"}, 121, 0, 0},
        {{L"-noui", L"-autoconvertwarn"}, 122, 0, 0},
        {{L"-format=pdf"}, 131, 0, 0},
        {{L"-format=ExcelFile", L"-noui"},
         132,
         CommandLine::DisplayNoUI,
         CommandLine::RunConvert | CommandLine::RunAutoClose},
        {{L"-range=1-x"}, 133, 0, 0},
        {{L"-range=12345678901234"}, 133, 0, 0},
        {{L"-output=C:\\t.xls"}, 134, 0, 0},
        {{L"-output=C:\\t.xls", L"-format=excel"}, 135, 0, 0},
        {{L"-run", L"-autoconvert"}, 141, 0, 0},
        {{L"-run", L"-autoconvertwarn"}, 142, 0, 0},
        {{L"-autoconvert", L"-autoconvertwarn"}, 143, 0, 0},
        {{L"-status=ON", L"-preview=Off"}, 0, CommandLine::DisplayStatusOn | CommandLine::DisplayPreviewOff, 0},
        {{L"-noui", L"-format=excelfile", L"-output=C:\\t.xls", L"-range=ALL"},
         0,
         CommandLine::DisplayNoUI,
         CommandLine::RunConvert | CommandLine::RunAutoClose},
        {{L"-autoconvertwarn", L"-autoclose"}, 0, 0, CommandLine::RunAutoConvertWarn | CommandLine::RunAutoClose},
        {{L"-run", L"-range=ask"}, 0, 0, CommandLine::RunConvert},
    };
    for (const auto& c : cases)
    {
        CommandLine line;
        ASSERT_TRUE(line.Parse(c.arguments)) << c.arguments[0];
        EXPECT_EQ(line.ValidateGeneral(), c.result) << c.arguments[0];
        if (c.result == 0 || c.result == 132)
        {
            EXPECT_EQ(line.m_displayFlags, c.displayFlags) << c.arguments[0];
            EXPECT_EQ(line.m_runFlags, c.runFlags) << c.arguments[0];
        }
    }
}

TEST(CommandLineTest, ApplyingTheLineOverridesTheOptionsForThisRun)
{
    struct Case
    {
        std::vector<std::wstring> arguments;
        int32_t target;
        int32_t convertPages;
        int32_t result;
    } cases[] = {
        {{L"-format=WordClipboard"}, TargetClipboardWord, 0, 0},
        {{L"-format=excelfile", L"-output=C:\\t.xls", L"-range=all"}, TargetExcelFile, 1, 0},
        {{L"-range=current"}, TargetExcelSheet, 0, 0},
        {{L"-range=2-4"}, TargetExcelSheet, 2, 0},
        {{L"-range=ask"}, TargetExcelSheet, 2, 0},
        {{L"-noui", L"-range=ask"}, TargetExcelSheet, 0, RangeAskWithoutUI},
    };
    for (const auto& c : cases)
    {
        theApp.ResetStart();
        // The general grammar of the conversion layer, as a product without the narrowing has it.
        ASSERT_TRUE(theApp.m_commandLine.Parse(c.arguments)) << c.arguments[0];
        ASSERT_EQ(theApp.m_commandLine.ValidateGeneral(), 0) << c.arguments[0];
        theApp.m_noUI = theApp.m_commandLine.IsNoUI();
        theApp.ApplyCommandLineOptions();
        EXPECT_EQ(theApp.Options().m_target, c.target) << c.arguments[0];
        EXPECT_EQ(theApp.Options().m_convertPages, c.convertPages) << c.arguments[0];
        EXPECT_EQ(theApp.m_startupResult, c.result) << c.arguments[0];
    }
    theApp.ResetStart();
}

TEST(CommandLineTest, ThisProductTakesOnlyPrintedJobsAndInputs)
{
    struct Case
    {
        std::vector<std::wstring> arguments;
        bool accepted;
        int32_t result;
    } cases[] = {
        {{L"-printed=C:\\j.kest"}, true, 0},
        {{L"-input=C:\\a.kest", L"-input=C:\\b.kest"}, true, 0},
        {{L"-noui"}, false, 3},
        {{L"-range=1-2"}, false, 3},
        {{L"C:\\a.kest"}, false, 3},
    };
    for (const auto& c : cases)
    {
        theApp.ResetStart();
        EXPECT_EQ(theApp.ProcessCommandLine(c.arguments), c.accepted) << c.arguments[0];
        EXPECT_EQ(theApp.m_startupResult, c.result) << c.arguments[0];
        EXPECT_FALSE(theApp.IsNoUI());
    }
    theApp.ResetStart();
}

TEST(CommandLineTest, InstallerSwitchesAreScannedUpToTheFirstOne)
{
    struct Case
    {
        std::vector<std::wstring> arguments;
        InstallerSwitch::Kind kind;
        bool quiet;
    } cases[] = {
        {{L"/NoUI", L"/InstallPrinter"}, InstallerSwitch::Install, true},
        {{L"/InstallPrinter", L"/NoUI"}, InstallerSwitch::Install, false},
        {{L"-x", L"/NoUI", L"/UninstallPrinter", L"/InstallPrinter"}, InstallerSwitch::Uninstall, true},
        {{L"/installprinter"}, InstallerSwitch::None, false},
        {{L"/NoUI"}, InstallerSwitch::None, true},
        {{}, InstallerSwitch::None, false},
    };
    for (const auto& c : cases)
    {
        const InstallerSwitch found = ScanInstallerSwitches(c.arguments);
        EXPECT_EQ(found.m_kind, c.kind) << c.arguments.size();
        EXPECT_EQ(found.m_quiet, c.quiet) << c.arguments.size();
    }
}

} // namespace
