#include "ExcelStub.h"

#include "ExcelModel.h"
#include "StubClipboard.h"
#include "StubControl.h"

#include <windows.h>

#include <algorithm>

namespace officestubs {

namespace {

using A = ArgType;
const wchar_t kApp[] = L"Excel";

class XlFontObject : public StubObject {
public:
    XlFontObject(std::shared_ptr<XlSheet> sheet, long row, long column, long start, long length)
        : StubObject(kApp), m_sheet(std::move(sheet)), m_row(row), m_column(column), m_start(start), m_length(length) {}
    std::wstring Describe() const override
    {
        return L"Font[" + XlCellName(m_row, m_column) + L"," + std::to_wstring(m_start) + L"," +
               std::to_wstring(m_length) + L"]";
    }
    const wchar_t* ClassName() const override { return L"Font"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {
            {0x63, CallKind::Put, L"Color", {A::Any}, false},
            {0x68, CallKind::Put, L"Size", {A::Any}, false},
        };
        return members;
    }
    void Call(const Member& member, const Args& args, VARIANT*) override
    {
        XlFontRun& run = Run();
        if (member.id == 0x63) {
            const double color = args.Number(0);
            if (color < 0 || color > 0xFFFFFF)
                Raise(L"Unable to set the Color property of the Font class");
            run.hasColor = true;
            run.color = static_cast<long>(color);
        } else {
            const double size = args.Number(0);
            if (size < 1 || size > 409)
                Raise(L"Unable to set the Size property of the Font class");
            run.hasSize = true;
            run.size = size;
        }
    }

private:
    XlFontRun& Run()
    {
        XlCell& cell = m_sheet->cells[{m_row, m_column}];
        const long textLength = static_cast<long>(cell.formula.size());
        const long start = (std::min)(m_start, textLength + 1);
        const long length = (std::max)(0L, (std::min)(m_length, textLength - start + 1));
        for (XlFontRun& run : cell.runs)
            if (run.start == start && run.length == length)
                return run;
        cell.runs.push_back(XlFontRun{start, length});
        return cell.runs.back();
    }

    std::shared_ptr<XlSheet> m_sheet;
    long m_row, m_column, m_start, m_length;
};

class XlCharactersObject : public StubObject {
public:
    XlCharactersObject(std::shared_ptr<XlSheet> sheet, long row, long column, long start, long length)
        : StubObject(kApp), m_sheet(std::move(sheet)), m_row(row), m_column(column), m_start(start), m_length(length) {}
    std::wstring Describe() const override
    {
        return L"Characters[" + XlCellName(m_row, m_column) + L"," + std::to_wstring(m_start) + L"," +
               std::to_wstring(m_length) + L"]";
    }
    const wchar_t* ClassName() const override { return L"Characters"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {{0x92, CallKind::Get, L"Font", {}, false}};
        return members;
    }
    void Call(const Member&, const Args&, VARIANT* result) override
    {
        ReturnObject(result, new XlFontObject(m_sheet, m_row, m_column, m_start, m_length));
    }

private:
    std::shared_ptr<XlSheet> m_sheet;
    long m_row, m_column, m_start, m_length;
};

// A cell's text on the clipboard: between double quotes (its own doubled) when it holds a TAB or
// a line break, as the application copies it.
std::wstring CopiedCellText(const std::wstring& text)
{
    if (text.find_first_of(L"\t\r\n") == std::wstring::npos)
        return text;
    std::wstring quoted = L"\"";
    for (wchar_t c : text)
        quoted += c == L'"' ? std::wstring(L"\"\"") : std::wstring(1, c);
    return quoted + L"\"";
}

std::wstring TabSeparated(const XlSheet& sheet, const XlBlock& block)
{
    std::wstring text;
    for (long row = block.top; row <= block.bottom; ++row) {
        for (long column = block.left; column <= block.right; ++column) {
            if (column > block.left)
                text += L'\t';
            if (const XlCell* cell = sheet.Find(row, column))
                text += CopiedCellText(cell->formula);
        }
        text += L"\r\n";
    }
    return text;
}

class XlRangeObject : public StubObject {
public:
    XlRangeObject(std::shared_ptr<XlSheet> sheet, const XlBlock& block, bool columns)
        : StubObject(kApp), m_sheet(std::move(sheet)), m_block(block), m_columns(columns) {}
    std::wstring Describe() const override
    {
        std::wstring name = XlCellName(m_block.top, m_block.left);
        if (m_block.bottom != m_block.top || m_block.right != m_block.left)
            name += L":" + XlCellName(m_block.bottom, m_block.right);
        return (m_columns ? L"Columns[" : L"Range[") + name + L"]";
    }
    const wchar_t* ClassName() const override { return L"Range"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {
            {0xF1, CallKind::Get, L"Columns", {}, false},
            {0xED, CallKind::Method, L"AutoFit", {}, false},
            {0x227, CallKind::Method, L"Copy", {A::Any}, false},
            {0x105, CallKind::Put, L"Formula", {A::Bstr}, false},
            {0x6, CallKind::Put, L"Value", {A::Bstr}, false},
            {0xC1, CallKind::Put, L"NumberFormat", {A::Bstr}, false},
            {0x234, CallKind::Method, L"Merge", {A::Any}, false},
            {0x89, CallKind::Put, L"VerticalAlignment", {A::Any}, false},
            {0x3CF, CallKind::Put, L"ReadingOrder", {A::Int}, false},
            {0x25B, CallKind::Get, L"Characters", {A::Any, A::Any}, false},
        };
        return members;
    }

    void Call(const Member& member, const Args& args, VARIANT* result) override
    {
        switch (member.id) {
        case 0xF1: ReturnObject(result, new XlRangeObject(m_sheet, m_block, true)); break;
        case 0xED:
            // Only whole columns (or rows, which the stand-in does not size) can be fitted.
            if (!m_columns)
                Raise(L"AutoFit method of Range class failed");
            m_sheet->AutoFitColumns(m_block);
            break;
        case 0x227:
            if (!args.Omitted(0))
                Raise(L"Copy method of Range class failed");
            if (!PutTextOnClipboard(TabSeparated(*m_sheet, m_block)))
                Raise(L"Copy method of Range class failed");
            break;
        case 0x105:
        case 0x6: Type(args.Text(0)); break;
        case 0xC1: ForEachCell([&](XlCell& cell) { cell.numberFormat = args.Text(0); }); break;
        case 0x234: Merge(args); break;
        case 0x89: {
            const long alignment = static_cast<long>(args.Number(0));
            if (alignment != kXlAlignTop && alignment != -4108 && alignment != -4107 && alignment != -4130 &&
                alignment != -4117)
                Raise(L"Unable to set the VerticalAlignment property of the Range class");
            ForEachCell([&](XlCell& cell) { cell.verticalAlignment = alignment; });
            break;
        }
        case 0x3CF: {
            const long order = args.Int(0);
            if (order != kXlRightToLeft && order != -5003 && order != -5002)
                Raise(L"Unable to set the ReadingOrder property of the Range class");
            ForEachCell([&](XlCell& cell) { cell.readingOrder = order; });
            break;
        }
        case 0x25B: {
            const long start = static_cast<long>(args.Number(0));
            const long length = static_cast<long>(args.Number(1));
            if (start < 1 || length < 0)
                Raise(L"Unable to get the Characters property of the Range class");
            ReturnObject(result, new XlCharactersObject(m_sheet, m_block.top, m_block.left, start, length));
            break;
        }
        }
    }

private:
    void Type(const std::wstring& typed)
    {
        // The application's cell limit; a longer text is refused, not cut.
        if (typed.size() > kXlCellLimit)
            Raise(L"Application-defined or object-defined error");
        for (long row = m_block.top; row <= m_block.bottom; ++row)
            for (long column = m_block.left; column <= m_block.right; ++column) {
                m_sheet->Type(row, column, typed);
                // Logged so that a test sees a formula however the value was written.
                if (m_sheet->Find(row, column)->value.isFormula)
                    LogLine(L"Excel " + XlCellName(row, column) + L" holds a formula");
            }
    }

    template <class F> void ForEachCell(F f)
    {
        for (long row = m_block.top; row <= m_block.bottom; ++row)
            for (long column = m_block.left; column <= m_block.right; ++column)
                f(m_sheet->cells[{row, column}]);
    }

    void Merge(const Args& args)
    {
        const bool across = !args.Omitted(0) && args.Bool(0);
        std::vector<XlBlock> blocks;
        if (across)
            for (long row = m_block.top; row <= m_block.bottom; ++row)
                blocks.push_back(XlBlock{row, m_block.left, row, m_block.right});
        else
            blocks.push_back(m_block);
        for (const XlBlock& block : blocks)
            for (const XlBlock& merged : m_sheet->merges)
                if (block.Overlaps(merged))
                    Raise(L"Cannot merge a range that overlaps a merged range");
        for (const XlBlock& block : blocks)
            if (block.bottom > block.top || block.right > block.left)
                m_sheet->merges.push_back(block);
    }

    std::shared_ptr<XlSheet> m_sheet;
    XlBlock m_block;
    bool m_columns;
};

class XlWorksheetObject : public StubObject {
public:
    explicit XlWorksheetObject(std::shared_ptr<XlSheet> sheet) : StubObject(kApp), m_sheet(std::move(sheet)) {}
    std::wstring Describe() const override { return L"Worksheet"; }
    const wchar_t* ClassName() const override { return L"Worksheet"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {
            {0xC5, CallKind::Get, L"Range", {A::Bstr, A::Any}, false},
            {0x19C, CallKind::Get, L"UsedRange", {}, false},
        };
        return members;
    }
    void Call(const Member& member, const Args& args, VARIANT* result) override
    {
        if (member.id == 0x19C) {
            ReturnObject(result, new XlRangeObject(m_sheet, m_sheet->UsedRange(), false));
            return;
        }
        XlBlock first{}, last{};
        if (!ParseReference(args.Text(0), first) ||
            (!args.Omitted(1) && !ParseReference(args.Text(1), last)))
            Raise(L"Method 'Range' of object '_Worksheet' failed");
        if (!args.Omitted(1)) {
            first.top = (std::min)(first.top, last.top);
            first.left = (std::min)(first.left, last.left);
            first.bottom = (std::max)(first.bottom, last.bottom);
            first.right = (std::max)(first.right, last.right);
        }
        ReturnObject(result, new XlRangeObject(m_sheet, first, false));
    }

private:
    static bool ParseReference(const std::wstring& text, XlBlock& block)
    {
        const size_t colon = text.find(L':');
        if (!XlParseCellName(text.substr(0, colon), block.top, block.left))
            return false;
        block.bottom = block.top;
        block.right = block.left;
        if (colon == std::wstring::npos)
            return true;
        long row = 0, column = 0;
        if (!XlParseCellName(text.substr(colon + 1), row, column))
            return false;
        block.top = (std::min)(block.top, row);
        block.bottom = (std::max)(block.bottom, row);
        block.left = (std::min)(block.left, column);
        block.right = (std::max)(block.right, column);
        return true;
    }

    std::shared_ptr<XlSheet> m_sheet;
};

class XlWorksheetsObject : public StubObject {
public:
    explicit XlWorksheetsObject(std::shared_ptr<XlWorkbook> book) : StubObject(kApp), m_book(std::move(book)) {}
    std::wstring Describe() const override { return L"Worksheets"; }
    const wchar_t* ClassName() const override { return L"Worksheets"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {{0xAA, CallKind::Get, L"Item", {A::Int}, false}};
        return members;
    }
    void Call(const Member&, const Args& args, VARIANT* result) override
    {
        const long index = args.Int(0);
        if (index < 1 || index > static_cast<long>(m_book->sheets.size()))
            throw StubError{DISP_E_BADINDEX, L"Subscript out of range"};
        ReturnObject(result, new XlWorksheetObject(m_book->sheets[index - 1]));
    }

private:
    std::shared_ptr<XlWorkbook> m_book;
};

class XlWorkbookObject : public StubObject {
public:
    explicit XlWorkbookObject(std::shared_ptr<XlWorkbook> book) : StubObject(kApp), m_book(std::move(book)) {}
    std::wstring Describe() const override { return L"Workbook"; }
    const wchar_t* ClassName() const override { return L"Workbook"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {
            {0x130, CallKind::Method, L"Activate", {}, false},
            {0x1EE, CallKind::Get, L"Worksheets", {}, false},
            {0x115, CallKind::Method, L"Close", {A::Any, A::Any, A::Any}, false},
            {0x11C, CallKind::Method, L"SaveAs",
             {A::Any, A::Any, A::Any, A::Any, A::Any, A::Any, A::Int, A::Any, A::Any, A::Any, A::Any}, false},
        };
        return members;
    }
    void Call(const Member& member, const Args& args, VARIANT* result) override
    {
        if (m_book->closed)
            Raise(L"Object required: the workbook was closed");
        switch (member.id) {
        case 0x130: break;
        case 0x1EE: ReturnObject(result, new XlWorksheetsObject(m_book)); break;
        case 0x115:
            if (!args.Omitted(0))
                args.Bool(0);
            m_book->closed = true;
            break;
        case 0x11C: SaveAs(args); break;
        }
    }

private:
    void SaveAs(const Args& args)
    {
        const std::wstring path = args.Text(0);
        for (size_t i : {1, 2, 3, 4, 7, 9, 10})
            if (!args.Omitted(i))
                Raise(L"SaveAs method of Workbook class failed: only the default workbook format is written");
        for (size_t i : {5, 8})
            if (!args.Omitted(i))
                args.Bool(i);
        const long accessMode = args.Int(6);
        if (accessMode < 1 || accessMode > 3)
            Raise(L"SaveAs method of Workbook class failed");
        // The application asks before it replaces a file; nobody answers an automated instance.
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            Raise(L"A file named '" + path + L"' already exists in this location.");
        if (m_book->sheets.empty() || !WriteXlsx(*m_book->sheets.front(), path))
            Raise(L"Cannot access '" + path + L"'.");
    }

    std::shared_ptr<XlWorkbook> m_book;
};

class XlWorkbooksObject : public StubObject {
public:
    explicit XlWorkbooksObject(std::shared_ptr<XlApplication> app) : StubObject(kApp), app_data_(std::move(app)) {}
    std::wstring Describe() const override { return L"Workbooks"; }
    const wchar_t* ClassName() const override { return L"Workbooks"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {{0xB5, CallKind::Method, L"Add", {A::Any}, false}};
        return members;
    }
    void Call(const Member&, const Args& args, VARIANT* result) override
    {
        const long kOneWorksheet = -4167;
        size_t sheets = 3;
        if (!args.Omitted(0)) {
            if (args.Int(0) != kOneWorksheet)
                Raise(L"Add method of Workbooks class failed");
            sheets = 1;
        }
        auto book = std::make_shared<XlWorkbook>();
        for (size_t i = 0; i < sheets; ++i)
            book->sheets.push_back(std::make_shared<XlSheet>());
        app_data_->workbooks.push_back(book);
        ReturnObject(result, new XlWorkbookObject(book));
    }

private:
    std::shared_ptr<XlApplication> app_data_;
};

class XlApplicationObject : public StubObject {
public:
    XlApplicationObject() : StubObject(kApp), app_data_(std::make_shared<XlApplication>()) {}
    std::wstring Describe() const override { return L"Application"; }
    const wchar_t* ClassName() const override { return L"Application"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {
            {0x23C, CallKind::Get, L"Workbooks", {}, false},
            {0x22E, CallKind::Put, L"Visible", {A::Bool}, false},
        };
        return members;
    }
    void Call(const Member& member, const Args& args, VARIANT* result) override
    {
        if (member.id == 0x23C)
            ReturnObject(result, new XlWorkbooksObject(app_data_));
        else
            app_data_->visible = args.Bool(0);
    }

private:
    std::shared_ptr<XlApplication> app_data_;
};

} // namespace

StubObject* CreateExcelApplication()
{
    return new XlApplicationObject();
}

} // namespace officestubs
