#include "WordStub.h"

#include "StubClipboard.h"
#include "StubControl.h"
#include "WordModel.h"

#include <windows.h>

#include <cwchar>

namespace officestubs {

namespace {

using A = ArgType;
using AppPtr = std::shared_ptr<WdApplication>;
const wchar_t kApp[] = L"Word";

class WdObject : public StubObject {
public:
    explicit WdObject(AppPtr app) : StubObject(kApp), m_word(std::move(app)) {}

protected:
    bool HasNewerMembers() const override { return !m_word->older; }
    void Call(const Member& member, const Args& args, VARIANT* result) override
    {
        if (m_word->quit)
            throw StubError{RPC_E_DISCONNECTED, L"The object invoked has disconnected from its clients."};
        Handle(member, args, result);
    }
    virtual void Handle(const Member& member, const Args& args, VARIANT* result) = 0;

    void Select(WdSelection selection)
    {
        m_word->selection = std::move(selection);
        m_word->font = WdFont(); // a new selection types in the default font
    }

    WdCell& SelectedCell()
    {
        WdSelection& s = m_word->selection;
        if (s.kind != WdSelection::Cell || !s.document || s.document->closed || !s.document->table)
            Raise(L"This command is available only when the selection is in a table cell.");
        return s.document->table->At(s.row, s.column);
    }

    AppPtr m_word;
};

class WdFontObject : public WdObject {
public:
    using WdObject::WdObject;
    std::wstring Describe() const override { return L"Font"; }
    const wchar_t* ClassName() const override { return L"Font"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {
            {0x8D, CallKind::Put, L"Size", {A::Float}, false},
            {0x9F, CallKind::Put, L"Color", {A::Int}, true},
            {0xA2, CallKind::Put, L"SizeBi", {A::Float}, true},
        };
        return members;
    }
    void Handle(const Member& member, const Args& args, VARIANT*) override
    {
        if (member.id == 0x9F) {
            const long color = args.Int(0);
            if (color < 0 || color > 0xFFFFFF)
                Raise(L"Value out of range");
            m_word->font.color = color;
            return;
        }
        const double size = args.Number(0);
        if (size < 1 || size > 1638)
            Raise(L"The measurement must be between 1 pt and 1638 pt.");
        (member.id == 0x8D ? m_word->font.size : m_word->font.sizeBi) = size;
    }
};

class WdRangeObject : public WdObject {
public:
    WdRangeObject(AppPtr app, std::shared_ptr<WdDocument> document, long start, long end)
        : WdObject(std::move(app)), m_document(std::move(document)), m_start(start), m_end(end) {}
    std::wstring Describe() const override
    {
        return L"Range[" + std::to_wstring(m_start) + L"," + std::to_wstring(m_end) + L"]";
    }
    const wchar_t* ClassName() const override { return L"Range"; }
    bool IsInsertionPointOf(const std::shared_ptr<WdDocument>& document) const
    {
        return m_document == document && m_start == m_end;
    }
    long Start() const { return m_start; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {
            {0x3, CallKind::Get, L"Start", {}, false},
            {0x4, CallKind::Get, L"End", {}, false},
            {0xFFFF, CallKind::Method, L"Select", {}, false},
        };
        return members;
    }
    void Handle(const Member& member, const Args&, VARIANT* result) override
    {
        if (m_document->closed)
            Raise(L"The object has been deleted.");
        if (member.id == 0xFFFF) {
            WdSelection s;
            s.kind = WdSelection::Range;
            s.document = m_document;
            s.start = m_start;
            s.end = m_end;
            Select(s);
        } else if (result) {
            V_VT(result) = VT_I4;
            V_I4(result) = member.id == 0x3 ? m_start : m_end;
        }
    }

private:
    std::shared_ptr<WdDocument> m_document;
    long m_start, m_end;
};

class WdCellsObject : public WdObject {
public:
    using WdObject::WdObject;
    std::wstring Describe() const override { return L"Cells"; }
    const wchar_t* ClassName() const override { return L"Cells"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {{0xCC, CallKind::Method, L"Merge", {}, false}};
        return members;
    }
    // Merges the rectangle of cells between the first and the last cell the selection touches.
    void Handle(const Member&, const Args&, VARIANT*) override
    {
        const WdSelection& s = m_word->selection;
        if (s.kind != WdSelection::Range || !s.document || !s.document->table || s.end <= s.start)
            Raise(L"Cells cannot be merged: the selection is not a range of table cells.");
        WdTable& table = *s.document->table;
        long top = 0, left = 0, bottom = 0, right = 0;
        if (!table.Locate(s.start, top, left) || !table.Locate(s.end - 1, bottom, right) || bottom < top ||
            right < left || (bottom == top && right == left))
            Raise(L"Cells cannot be merged: the selection is not a block of cells.");
        for (long r = top; r <= bottom; ++r)
            for (long c = left; c <= right; ++c) {
                const WdCell& cell = table.At(r, c);
                if (cell.covered || cell.rowSpan > 1 || cell.columnSpan > 1)
                    Raise(L"Cells cannot be merged: the block overlaps merged cells.");
            }
        WdCell& owner = table.At(top, left);
        owner.rowSpan = bottom - top + 1;
        owner.columnSpan = right - left + 1;
        for (long r = top; r <= bottom; ++r)
            for (long c = left; c <= right; ++c) {
                if (r == top && c == left)
                    continue;
                WdCell& cell = table.At(r, c);
                if (!cell.runs.empty()) {
                    if (!owner.runs.empty())
                        owner.runs.push_back(WdRun{L"\r"});
                    owner.runs.insert(owner.runs.end(), cell.runs.begin(), cell.runs.end());
                    cell.runs.clear();
                }
                cell.covered = true;
                cell.ownerRow = top;
                cell.ownerColumn = left;
            }
    }
};

class WdSelectionObject : public WdObject {
public:
    using WdObject::WdObject;
    std::wstring Describe() const override { return L"Selection"; }
    const wchar_t* ClassName() const override { return L"Selection"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {
            {0x5, CallKind::Get, L"Font", {}, false},
            {0x190, CallKind::Get, L"Range", {}, false},
            {0x0, CallKind::Put, L"Text", {A::Bstr}, false},
            {0x1FB, CallKind::Method, L"TypeText", {A::Bstr}, false},
            {0x39, CallKind::Get, L"Cells", {}, false},
            {0x78, CallKind::Method, L"Copy", {}, false},
            {0x25D, CallKind::Method, L"RtlPara", {}, true},
        };
        return members;
    }
    void Handle(const Member& member, const Args& args, VARIANT* result) override
    {
        WdSelection& s = m_word->selection;
        switch (member.id) {
        case 0x5: ReturnObject(result, new WdFontObject(m_word)); break;
        case 0x190: ReturnObject(result, CurrentRange()); break;
        case 0x0: SelectedCell().runs.assign(1, Typed(args.Text(0))); break;
        case 0x1FB: SelectedCell().runs.push_back(Typed(args.Text(0))); break;
        case 0x39:
            if (s.kind != WdSelection::Range && s.kind != WdSelection::Cell)
                Raise(L"This command is available only when the selection is in a table.");
            ReturnObject(result, new WdCellsObject(m_word));
            break;
        case 0x78:
            if (s.kind != WdSelection::Document || !s.document || s.document->closed || !s.document->table)
                Raise(L"This method or property is not available because the document holds no table.");
            if (!PutOnClipboard({{RegisterClipboardFormatW(L"Rich Text Format"), TableRtf(*s.document->table)},
                                 UnicodeTextFormat(TableText(*s.document->table))}))
                Raise(L"The clipboard could not be opened.");
            break;
        case 0x25D: SelectedCell().rightToLeft = true; break;
        }
    }

private:
    WdRun Typed(const std::wstring& text) const
    {
        WdRun run;
        run.text = text;
        run.size = m_word->font.size;
        run.color = m_word->font.color;
        return run;
    }

    StubObject* CurrentRange()
    {
        const WdSelection& s = m_word->selection;
        if (!s.document || s.document->closed)
            Raise(L"This command is not available because no document is open.");
        switch (s.kind) {
        case WdSelection::Cell: {
            const WdTable& t = *s.document->table;
            return new WdRangeObject(m_word, s.document, t.CellStart(s.row, s.column), t.CellEnd(s.row, s.column));
        }
        case WdSelection::Range: return new WdRangeObject(m_word, s.document, s.start, s.end);
        case WdSelection::Document: return new WdRangeObject(m_word, s.document, 0, s.document->Length());
        default: return new WdRangeObject(m_word, s.document, 0, 0);
        }
    }
};

class WdCellObject : public WdObject {
public:
    WdCellObject(AppPtr app, std::shared_ptr<WdDocument> document, long row, long column)
        : WdObject(std::move(app)), m_document(std::move(document)), m_row(row), m_column(column) {}
    std::wstring Describe() const override
    {
        return L"Cell[" + std::to_wstring(m_row) + L"," + std::to_wstring(m_column) + L"]";
    }
    const wchar_t* ClassName() const override { return L"Cell"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {
            {0xFFFF, CallKind::Method, L"Select", {}, false},
            {0x0, CallKind::Get, L"Range", {}, false},
        };
        return members;
    }
    void Handle(const Member& member, const Args&, VARIANT* result) override
    {
        if (m_document->closed || m_document->table->At(m_row, m_column).covered)
            Raise(L"The object has been deleted.");
        if (member.id == 0xFFFF) {
            WdSelection s;
            s.kind = WdSelection::Cell;
            s.document = m_document;
            s.row = m_row;
            s.column = m_column;
            Select(s);
        } else {
            const WdTable& t = *m_document->table;
            ReturnObject(result, new WdRangeObject(m_word, m_document, t.CellStart(m_row, m_column),
                                                   t.CellEnd(m_row, m_column)));
        }
    }

private:
    std::shared_ptr<WdDocument> m_document;
    long m_row, m_column;
};

class WdTableObject : public WdObject {
public:
    WdTableObject(AppPtr app, std::shared_ptr<WdDocument> document)
        : WdObject(std::move(app)), m_document(std::move(document)) {}
    std::wstring Describe() const override { return L"Table"; }
    const wchar_t* ClassName() const override { return L"Table"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {
            {0x11, CallKind::Method, L"Cell", {A::Int, A::Int}, false},
            {0x14, CallKind::Method, L"AutoFitBehavior", {A::Int}, true},
        };
        return members;
    }
    void Handle(const Member& member, const Args& args, VARIANT* result) override
    {
        if (m_document->closed)
            Raise(L"The object has been deleted.");
        WdTable& table = *m_document->table;
        if (member.id == 0x14) {
            const long behaviour = args.Int(0);
            if (behaviour < 0 || behaviour > 2)
                Raise(L"Value out of range");
            table.autoFit = behaviour;
            return;
        }
        const long row = args.Int(0), column = args.Int(1);
        if (row < 1 || row > table.rows || column < 1 || column > table.columns || table.At(row, column).covered)
            Raise(L"The requested member of the collection does not exist.");
        ReturnObject(result, new WdCellObject(m_word, m_document, row, column));
    }

private:
    std::shared_ptr<WdDocument> m_document;
};

class WdTablesObject : public WdObject {
public:
    WdTablesObject(AppPtr app, std::shared_ptr<WdDocument> document)
        : WdObject(std::move(app)), m_document(std::move(document)) {}
    std::wstring Describe() const override { return L"Tables"; }
    const wchar_t* ClassName() const override { return L"Tables"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {
            {0x4, CallKind::Method, L"Add", {A::Object, A::Int, A::Int}, false}};
        return members;
    }
    void Handle(const Member&, const Args& args, VARIANT* result) override
    {
        auto* range = dynamic_cast<WdRangeObject*>(args.Object(0));
        if (!range || !range->IsInsertionPointOf(m_document) || m_document->table)
            Raise(L"The stand-in adds one table at the start of an empty document.");
        const long rows = args.Int(1), columns = args.Int(2);
        if (rows < 1 || rows > 32767)
            Raise(L"The number must be between 1 and 32767.");
        if (columns < 1 || columns > 63)
            Raise(L"The number must be between 1 and 63.");
        auto table = std::make_shared<WdTable>();
        table->rows = rows;
        table->columns = columns;
        table->cells.resize(static_cast<size_t>(rows) * columns);
        m_document->table = table;
        ReturnObject(result, new WdTableObject(m_word, m_document));
    }

private:
    std::shared_ptr<WdDocument> m_document;
};

class WdParagraphsObject : public WdObject {
public:
    WdParagraphsObject(AppPtr app, std::shared_ptr<WdDocument> document)
        : WdObject(std::move(app)), m_document(std::move(document)) {}
    std::wstring Describe() const override { return L"Paragraphs"; }
    const wchar_t* ClassName() const override { return L"Paragraphs"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {{0x83, CallKind::Put, L"ReadingOrder", {A::Int}, true}};
        return members;
    }
    void Handle(const Member&, const Args& args, VARIANT*) override
    {
        const long direction = args.Int(0);
        if (direction != 0 && direction != 1)
            Raise(L"Value out of range");
        m_document->paragraphDirection = direction;
    }

private:
    std::shared_ptr<WdDocument> m_document;
};

// Save changes must be false or omitted: the stand-in never saves a document.
void RequireNoSave(const Args& args)
{
    if (!args.Omitted(0) && args.Bool(0))
        Raise(L"The stand-in does not save documents.");
    if (!args.Omitted(1) || !args.Omitted(2))
        Raise(L"Only the save-changes argument is supported.");
}

class WdDocumentObject : public WdObject {
public:
    WdDocumentObject(AppPtr app, std::shared_ptr<WdDocument> document)
        : WdObject(std::move(app)), m_document(std::move(document)) {}
    std::wstring Describe() const override { return L"Document"; }
    const wchar_t* ClassName() const override { return L"Document"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {
            {0x6, CallKind::Get, L"Tables", {}, false},
            {0x10, CallKind::Get, L"Paragraphs", {}, true},
            {0x7D0, CallKind::Method, L"Range", {A::Int, A::Int}, false},
            {0x451, CallKind::Method, L"Close", {A::Any, A::Any, A::Any}, false},
            {0xFFFF, CallKind::Method, L"Select", {}, false},
        };
        return members;
    }
    void Handle(const Member& member, const Args& args, VARIANT* result) override
    {
        if (m_document->closed)
            Raise(L"The object has been deleted.");
        switch (member.id) {
        case 0x6: ReturnObject(result, new WdTablesObject(m_word, m_document)); break;
        case 0x10: ReturnObject(result, new WdParagraphsObject(m_word, m_document)); break;
        case 0x7D0: {
            const long start = args.Int(0), end = args.Int(1);
            if (start < 0 || end < start || end > m_document->Length())
                Raise(L"Value out of range");
            ReturnObject(result, new WdRangeObject(m_word, m_document, start, end));
            break;
        }
        case 0x451: {
            RequireNoSave(args);
            m_document->closed = true;
            auto& documents = m_word->documents;
            for (auto it = documents.begin(); it != documents.end(); ++it)
                if (*it == m_document) {
                    documents.erase(it);
                    break;
                }
            if (m_word->selection.document == m_document)
                m_word->selection = WdSelection();
            break;
        }
        case 0xFFFF: {
            WdSelection s;
            s.kind = WdSelection::Document;
            s.document = m_document;
            Select(s);
            break;
        }
        }
    }

private:
    std::shared_ptr<WdDocument> m_document;
};

class WdDocumentsObject : public WdObject {
public:
    using WdObject::WdObject;
    std::wstring Describe() const override { return L"Documents"; }
    const wchar_t* ClassName() const override { return L"Documents"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {{0xB, CallKind::Method, L"Add", {A::Any, A::Any}, false}};
        return members;
    }
    void Handle(const Member&, const Args& args, VARIANT* result) override
    {
        if (!args.Omitted(0) || !args.Omitted(1))
            Raise(L"The stand-in creates documents from the default template only.");
        auto document = std::make_shared<WdDocument>();
        m_word->documents.push_back(document);
        WdSelection s;
        s.kind = WdSelection::InsertionPoint;
        s.document = document;
        Select(s);
        ReturnObject(result, new WdDocumentObject(m_word, document));
    }
};

class WdApplicationObject : public WdObject {
public:
    WdApplicationObject() : WdObject(std::make_shared<WdApplication>())
    {
        std::wstring version = ReadSetting(L"KEST_WORD_VERSION");
        m_word->version = version.empty() ? L"16.0" : version;
        m_word->older = std::wcstol(m_word->version.c_str(), nullptr, 10) < 9;
    }
    std::wstring Describe() const override { return L"Application"; }
    const wchar_t* ClassName() const override { return L"Application"; }

protected:
    const std::vector<Member>& Members() const override
    {
        static const std::vector<Member> members = {
            {0x6, CallKind::Get, L"Documents", {}, false},
            {0x5, CallKind::Get, L"Selection", {}, false},
            {0x18, CallKind::Get, L"Version", {}, false},
            {0x451, CallKind::Method, L"Quit", {A::Any, A::Any, A::Any}, false},
        };
        return members;
    }
    void Handle(const Member& member, const Args& args, VARIANT* result) override
    {
        switch (member.id) {
        case 0x6: ReturnObject(result, new WdDocumentsObject(m_word)); break;
        case 0x5: ReturnObject(result, new WdSelectionObject(m_word)); break;
        case 0x18:
            if (result) {
                V_VT(result) = VT_BSTR;
                V_BSTR(result) = SysAllocString(m_word->version.c_str());
            }
            break;
        case 0x451:
            RequireNoSave(args);
            m_word->quit = true;
            break;
        }
    }
};

} // namespace

StubObject* CreateWordApplication()
{
    return new WdApplicationObject();
}

} // namespace officestubs
