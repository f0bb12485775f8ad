// What the driver's tests share: a fresh job folder and registry values per test, the driver's
// messages recorded instead of shown, and readers for the work files the driver writes.
#pragma once

#include "hosts/printhost/DriverSession.h"
#include "hosts/printhost/EmfPlayer.h"
#include "pagemodel/CDCText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

std::vector<std::wstring>& DriverTest_RecordedMessages();

struct ArchiveEntry
{
    std::string name;
    std::vector<uint8_t> data;
};

class DriverTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The driver's messages since the test began.
    static std::vector<std::wstring>& Messages();
    // The numbers of the driver's numbered messages, in order.
    static std::vector<int> ErrorNumbers();

    const std::wstring& Folder() const { return m_folder; }
    std::wstring LaunchLog() const { return m_folder + L"\\launch.log"; }
    // The files of the job folder that match the pattern (e.g. "*.kest"), sorted.
    std::vector<std::wstring> FilesIn(const wchar_t* pattern) const;
    // The stand-in program's command lines, waiting up to a few seconds for the expected count.
    std::vector<std::wstring> LaunchedCommandLines(size_t expected) const;

    static void SetDocumentCounter(DWORD value);
    static void DeleteDocumentCounter();
    static DWORD DocumentCounter();

private:
    std::wstring m_folder;
};

std::wstring StandInProgramPath();
std::vector<ArchiveEntry> ReadArchive(const std::wstring& path);
bool HasEntryNamed(const std::vector<ArchiveEntry>& entries, const char* name);
const ArchiveEntry* FindEntry(const std::vector<ArchiveEntry>& entries, const char* name);

// A text report of the given pages through the host: one call per line, fixed pitch.
struct ReportLayout;
bool PrintTextPages(DriverSession& session, const std::vector<std::wstring>& pageTexts, const wchar_t* name);
bool PrintTextPages(DriverSession& session, const std::vector<std::wstring>& pageTexts, const wchar_t* name,
                    const ReportLayout& layout);

// The characters of a text run as a string.
std::wstring Characters(const CDCText& text);
