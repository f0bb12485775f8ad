// Registers the stand-ins once and gives each test COM and a fresh stub session.
#pragma once
#include "DispatchCaller.h"
#include "hosts/officestubs/StubClient.h"

#include <gtest/gtest.h>

#include <memory>

// A workbook path in the folder that check_workbooks.py reads after the suite, with no file there.
inline std::wstring WorkbookPath(const wchar_t* name)
{
    CreateDirectoryW(L"" KEST_WORKBOOK_DIR, nullptr);
    const std::wstring path = std::wstring(L"" KEST_WORKBOOK_DIR) + L"\\" + name;
    DeleteFileW(path.c_str());
    return path;
}

class StubTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(officestubs::RegisterOfficeStubs(), S_OK); }
    void SetUp() override { CoInitialize(nullptr); }
    void TearDown() override
    {
        session.reset();
        CoUninitialize();
    }
    std::unique_ptr<officestubs::StubSession> session = std::make_unique<officestubs::StubSession>();
};
