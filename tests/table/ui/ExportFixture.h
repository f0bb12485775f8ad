#pragma once
// Grids built by hand, a progress interface that records what it is told, and the stand-in
// automation servers registered for the export tests.
#include "hosts/officestubs/StubClient.h"
#include "pagemodel/ConvertingWord.h"
#include "table/ConvertingTableGrid.h"
#include "table/ConvertingTableLayout.h"
#include "table/ProgressInterface.h"
#include "table/TableConverter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

class TestGrid
{
public:
    explicit TestGrid(int columns)
    {
        for (int i = 0; i < columns; ++i) {
            ConvertingTableColumn column;
            column.x = i + 1 < columns ? (i + 1) * 100 : -1;
            m_layout.AppendColumn(column);
        }
        m_grid = std::make_unique<ConvertingTableGrid>(&m_layout);
    }

    // A word in the cell at the 0-based grid row and column.
    TestGrid& Add(int row, int column, const wchar_t* text, int32_t format = CellFormatAutomatic,
                  bool spaceBefore = true, int32_t colour = 0, int32_t size = 0)
    {
        m_grid->SetCell(column, row, 0, 0, ConvertingWord(RECT{0, 0, 10, 10}, text, colour, size), text, spaceBefore,
                       format);
        return *this;
    }

    // A word that starts a merged block of 1 + extraRows rows and 1 + extraColumns columns.
    TestGrid& AddBlock(int row, int column, int extraRows, int extraColumns, const wchar_t* text)
    {
        m_grid->SetCell(column, row, extraColumns, extraRows, ConvertingWord(RECT{0, 0, 10, 10}, text), text, true,
                       CellFormatAutomatic);
        return *this;
    }

    // Makes sure the grid has this many rows.
    TestGrid& Rows(int rows)
    {
        while (m_grid->GetRowCount() < rows)
            m_grid->SetCell(0, rows - 1, 0, 0, ConvertingWord(RECT{0, 0, 10, 10}, L"r"), L"r", true, 0);
        return *this;
    }

    const ConvertingTableGrid& Grid() const { return *m_grid; }

private:
    ConvertingTableLayout m_layout;
    std::unique_ptr<ConvertingTableGrid> m_grid;
};

class RecordingProgress : public ProgressInterface
{
public:
    void SetRange(int32_t, int32_t) override {}
    void SetPos(int32_t pos) override
    {
        positions.push_back(pos);
        if (throwAtPosition > 0 && static_cast<int>(positions.size()) == throwAtPosition)
            throw std::runtime_error("not a framework exception");
        if (cancelAtPosition > 0 && static_cast<int>(positions.size()) == cancelAtPosition)
            SetCanceled(true);
    }
    void ShowPercent(bool, bool) override {}
    void SetStatusText(const std::wstring& text) override { statusTexts.push_back(text); }
    void SetPosAndText(int32_t pos, const std::wstring& text)
        override
    {
        SetPos(pos);
        SetStatusText(text);
    }
    void SetTitle(const std::wstring&) override {}
    void AllowCancel(bool) override {}
    void Step(int32_t) override {}
    void Hide(bool) override {}

    std::vector<int32_t> positions;
    std::vector<std::wstring> statusTexts;
    int cancelAtPosition = 0; // the n-th SetPos sets the canceled flag
    int throwAtPosition = 0;  // the n-th SetPos throws a std::runtime_error
};

class StubExportTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_EQ(officestubs::RegisterOfficeStubs(), S_OK); }
    void SetUp() override { converter.SetProgress(&progress); }

    bool Logged(const char* line) const { return session.Logged(line); }
    std::vector<std::string> Calls(const char* text) const { return session.Calls(text); }

    officestubs::StubSession session;
    TableConverter converter;
    RecordingProgress progress;
};
