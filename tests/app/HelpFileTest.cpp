// The compiled help file beside KEST.exe, read through the system's storage of such files: it
// holds every inner file the program opens, a topic for every help context the program can pass
// (its menu and toolbar commands, its windows and dialogs, the tutorial's links), and a pop-up
// text for every control whose help the program asks for.
#include "app/HtmlHelpSeam.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <objidl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace
{

std::wstring ProgramFolder()
{
    std::wstring program = L"" KEST_PROGRAM_EXE;
    for (wchar_t& c : program)
        if (c == L'/')
            c = L'\\';
    return program.substr(0, program.find_last_of(L'\\') + 1);
}

const std::wstring HelpFile = ProgramFolder() + L"KEST.chm";

// The compiled help file's storage interface, as the system's help components read such files.
struct IITStorage : IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) = 0;
};
const CLSID ClassITStorage = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID InterfaceITStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};

// An inner file of the help file ("tutorial/Tutorial.htm", "#IVB"); empty when it is not there.
std::string ReadInnerFile(const std::wstring& inner)
{
    std::string bytes;
    IITStorage* storage = nullptr;
    if (FAILED(CoCreateInstance(ClassITStorage, nullptr, CLSCTX_INPROC_SERVER, InterfaceITStorage,
                                reinterpret_cast<void**>(&storage))))
        return bytes;
    IStorage* file = nullptr;
    if (SUCCEEDED(
            storage->StgOpenStorage(HelpFile.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &file)))
    {
        // A folder at a time, as the storage holds them.
        IStorage* folder = file;
        folder->AddRef();
        std::wstring rest = inner;
        for (size_t slash = rest.find(L'/'); folder && slash != std::wstring::npos; slash = rest.find(L'/'))
        {
            IStorage* inside = nullptr;
            if (FAILED(folder->OpenStorage(rest.substr(0, slash).c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE,
                                           nullptr, 0, &inside)))
                inside = nullptr;
            folder->Release();
            folder = inside;
            rest = rest.substr(slash + 1);
        }
        IStream* stream = nullptr;
        if (folder &&
            SUCCEEDED(folder->OpenStream(rest.c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream)))
        {
            char buffer[4096];
            ULONG got = 0;
            while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &got)) && got > 0)
                bytes.append(buffer, got);
            stream->Release();
        }
        if (folder)
            folder->Release();
        file->Release();
    }
    storage->Release();
    return bytes;
}

// The help file's context map: context number to the inner file it shows.
std::vector<std::pair<DWORD, std::string>> ContextMap()
{
    const std::string map = ReadInnerFile(L"#IVB"), strings = ReadInnerFile(L"#STRINGS");
    std::vector<std::pair<DWORD, std::string>> contexts;
    DWORD size = 0;
    if (map.size() < sizeof size)
        return contexts;
    std::memcpy(&size, map.data(), sizeof size);
    for (size_t at = 4; at + 8 <= map.size() && at + 8 <= size + 4; at += 8)
    {
        DWORD context = 0, offset = 0;
        std::memcpy(&context, map.data() + at, 4);
        std::memcpy(&offset, map.data() + at + 4, 4);
        contexts.emplace_back(context, offset < strings.size() ? std::string(strings.c_str() + offset) : "");
    }
    return contexts;
}

void CollectMenuCommands(HMENU menu, std::set<DWORD>& commands)
{
    for (int i = 0, count = GetMenuItemCount(menu); i < count; ++i)
    {
        if (HMENU sub = GetSubMenu(menu, i))
            CollectMenuCommands(sub, commands);
        else if (const UINT id = GetMenuItemID(menu, i); id != 0 && id != UINT(-1))
            commands.insert(id);
    }
}

struct ProgramResources
{
    std::set<DWORD> commands;     // of the program's menus and toolbars
    std::set<DWORD> helpControls; // controls of the toolkit's pages that answer right-click help
};

// The program's own menus (the toolkit's lie from 16000 on).
BOOL CALLBACK AddMenuCommands(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR data)
{
    if (IS_INTRESOURCE(name) && reinterpret_cast<ULONG_PTR>(name) < 16000)
        if (HMENU menu = LoadMenuW(module, name))
        {
            CollectMenuCommands(menu, reinterpret_cast<ProgramResources*>(data)->commands);
            DestroyMenu(menu);
        }
    return TRUE;
}

// The program's toolbars (type 241: version, image size, count, then the commands).
BOOL CALLBACK AddToolbarCommands(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR data)
{
    if (!IS_INTRESOURCE(name) || reinterpret_cast<ULONG_PTR>(name) >= 16000)
        return TRUE;
    HRSRC resource = FindResourceW(module, name, type);
    const WORD* words = resource ? static_cast<const WORD*>(LockResource(LoadResource(module, resource))) : nullptr;
    const size_t size = resource ? SizeofResource(module, resource) / sizeof(WORD) : 0;
    for (size_t i = 4; words && size >= 4 && i < 4u + words[3] && i < size; ++i)
        if (words[i] != 0)
            reinterpret_cast<ProgramResources*>(data)->commands.insert(words[i]);
    return TRUE;
}

// The controls with ids 16600 to 16699 of the customize sheet's pages (by their titles).
BOOL CALLBACK AddHelpControls(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR data)
{
    HRSRC resource = FindResourceW(module, name, type);
    const BYTE* bytes = resource ? static_cast<const BYTE*>(LockResource(LoadResource(module, resource))) : nullptr;
    const size_t size = resource ? SizeofResource(module, resource) : 0;
    auto word = [&](size_t at) -> WORD {
        WORD value = 0;
        if (at + 2 <= size)
            std::memcpy(&value, bytes + at, 2);
        return value;
    };
    // A text or an ordinal (0xFFFF and a number).
    auto skipText = [&](size_t at) -> size_t {
        if (word(at) == 0xFFFF)
            return at + 4;
        while (at + 2 <= size && word(at) != 0)
            at += 2;
        return at + 2;
    };
    if (!bytes || size < 26 || word(2) != 0xFFFF)
        return TRUE;
    DWORD style = 0;
    std::memcpy(&style, bytes + 12, 4);
    const WORD items = word(16);
    const size_t titleAt = skipText(skipText(26)); // after menu and class
    std::wstring title;
    for (size_t c = titleAt; word(titleAt) != 0xFFFF && word(c) != 0; c += 2)
        title += static_cast<wchar_t>(word(c));
    static const std::set<std::wstring> pages = {L"Commands", L"Toolbars", L"Keyboard", L"Menu", L"Options", L"Mouse"};
    if (!pages.count(title))
        return TRUE;
    size_t at = skipText(titleAt);
    if (style & (DS_SETFONT | DS_SHELLFONT))
        at = skipText(at + 6);
    for (WORD item = 0; item < items; ++item)
    {
        at = (at + 3) & ~size_t(3);
        if (at + 24 > size)
            break;
        DWORD id = 0;
        std::memcpy(&id, bytes + at + 20, 4);
        if (id >= 16600 && id < 16700)
            reinterpret_cast<ProgramResources*>(data)->helpControls.insert(id);
        at = skipText(skipText(at + 24)); // class, title
        at += 2 + word(at);               // creation data
    }
    return TRUE;
}

ProgramResources ReadProgramResources()
{
    ProgramResources found;
    HMODULE program = LoadLibraryExW((ProgramFolder() + L"KEST.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!program)
        return found;
    EnumResourceNamesW(program, RT_MENU, AddMenuCommands, reinterpret_cast<LONG_PTR>(&found));
    EnumResourceNamesW(program, MAKEINTRESOURCEW(241), AddToolbarCommands, reinterpret_cast<LONG_PTR>(&found));
    EnumResourceNamesW(program, RT_DIALOG, AddHelpControls, reinterpret_cast<LONG_PTR>(&found));
    FreeLibrary(program);
    return found;
}

std::set<DWORD> PopupTopics(const std::string& text)
{
    std::set<DWORD> topics;
    for (size_t at = text.find(".topic "); at != std::string::npos; at = text.find(".topic ", at + 1))
        topics.insert(static_cast<DWORD>(std::strtoul(text.c_str() + at + 7, nullptr, 10)));
    return topics;
}

// The numbers after each "scheme://" link of the page.
std::vector<int> LinkNumbers(const std::string& page, const std::string& scheme)
{
    std::vector<int> numbers;
    const std::string prefix = "\"" + scheme + "://";
    for (size_t at = page.find(prefix); at != std::string::npos; at = page.find(prefix, at + 1))
        numbers.push_back(std::atoi(page.c_str() + at + prefix.size()));
    return numbers;
}

class HelpFileTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }
    static void TearDownTestSuite() { CoUninitialize(); }
};

TEST_F(HelpFileTest, HoldsTheTopicsTheTutorialAndThePopupTexts)
{
    ASSERT_NE(GetFileAttributesW(HelpFile.c_str()), INVALID_FILE_ATTRIBUTES) << "no KEST.chm beside KEST.exe";
    for (const wchar_t* topic : {L"index.htm", L"table.htm", L"formats.htm", L"converting.htm", L"options.htm"})
        EXPECT_NE(ReadInnerFile(topic).find("<h1>"), std::string::npos) << topic;

    // The tutorial pane's page: its script function and the steps 1 to 10 it switches between.
    const std::string tutorial = ReadInnerFile(L"tutorial/Tutorial.htm");
    EXPECT_NE(tutorial.find("function SetCurrentStep(name)"), std::string::npos);
    for (int step = 1; step <= 10; ++step)
        EXPECT_NE(tutorial.find("id=\"Step" + std::to_string(step) + "\""), std::string::npos) << step;
    const std::vector<int> steps = LinkNumbers(tutorial, "step");
    EXPECT_FALSE(steps.empty());
    for (int step : steps)
        EXPECT_TRUE(step >= 1 && step <= 10) << "step://" << step;
    EXPECT_EQ(LinkNumbers(tutorial, "open"), std::vector<int>{40});

    // Its "help://" links name the default topic (0) or a context of the file.
    std::set<DWORD> contexts;
    for (const auto& [context, file] : ContextMap())
        contexts.insert(context);
    const std::vector<int> helpLinks = LinkNumbers(tutorial, "help");
    EXPECT_FALSE(helpLinks.empty());
    for (int link : helpLinks)
        EXPECT_TRUE(link == 0 || contexts.count(static_cast<DWORD>(link))) << "help://" << link;

    const std::set<DWORD> popups = PopupTopics(ReadInnerFile(&HelpPopupTextFile[3]));
    const std::set<DWORD> controls = ReadProgramResources().helpControls;
    EXPECT_EQ(controls.size(), 34u); // 16601 is on two pages
    for (DWORD control : controls)
        EXPECT_TRUE(popups.count(control + 0x41000)) << "no pop-up text for control " << control;
}

TEST_F(HelpFileTest, EveryContextTheProgramPassesIsInTheContextMap)
{
    const std::vector<std::pair<DWORD, std::string>> map = ContextMap();
    ASSERT_FALSE(map.empty()) << "the help file has no context map";
    std::set<DWORD> contexts;
    for (const auto& [context, file] : map)
    {
        contexts.insert(context);
        // Each context names a page by its name inside the file, which the viewer opens; a path of
        // the machine that built the file names nothing there.
        EXPECT_TRUE(!file.empty() && file[0] != '/' && file.find_first_of(":\\") == std::string::npos)
            << context << " " << file;
        EXPECT_NE(ReadInnerFile(std::wstring(file.begin(), file.end())).find("<h1>"), std::string::npos)
            << context << " " << file;
    }
    // The topics the tutorial's help links name.
    const std::vector<std::pair<DWORD, std::string>> topics = {
        {1, "index.htm"}, {2, "table.htm"}, {3, "formats.htm"}, {4, "converting.htm"}, {5, "options.htm"}};
    for (const auto& topic : topics)
        EXPECT_NE(std::find(map.begin(), map.end(), topic), map.end()) << topic.second;
    // Context help on a button and F1 on a menu item: 0x10000 plus the command.
    const std::set<DWORD> commands = ReadProgramResources().commands;
    EXPECT_GT(commands.size(), 70u);
    for (DWORD command : commands)
        EXPECT_TRUE(contexts.count(0x10000 + command)) << "command " << command;
    // The main and document windows: 0x20000 plus the resource.
    for (DWORD context : {0x20000u + 128, 0x20000u + 129})
        EXPECT_TRUE(contexts.count(context)) << context;
}

} // namespace
