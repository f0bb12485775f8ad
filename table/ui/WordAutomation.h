#pragma once
// Thin wrappers over Word's automation objects, in two families: Word 97 (major version 8) and
// Word 2000 and later, which adds the members the older one lacks. The same dispatch identifier
// means the same member in both. Failures raise the framework's exceptions.
#include "table/ui/AutomationSupport.h"

namespace Word97 {

class WordObject : public COleDispatchDriver
{
public:
    WordObject() = default;
    explicit WordObject(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    void Select();
};

class WordApplication : public COleDispatchDriver
{
public:
    LPDISPATCH GetDocuments();
    LPDISPATCH GetSelection();
    CString GetVersion();
    void Quit(VARIANT* saveChanges, VARIANT* format, VARIANT* routeDocument);
};

class WordDocuments : public COleDispatchDriver
{
public:
    explicit WordDocuments(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    LPDISPATCH Add(VARIANT* templateName, VARIANT* newTemplate);
};

class WordDocument : public WordObject
{
public:
    explicit WordDocument(LPDISPATCH dispatch) : WordObject(dispatch) {}
    LPDISPATCH GetTables();
    LPDISPATCH GetRange(VARIANT* start, VARIANT* end);
    void Close(VARIANT* saveChanges, VARIANT* format, VARIANT* routeDocument);
};

class WordTables : public COleDispatchDriver
{
public:
    explicit WordTables(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    LPDISPATCH Add(LPDISPATCH range, long rows, long columns);
};

class WordTable : public COleDispatchDriver
{
public:
    explicit WordTable(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    LPDISPATCH GetCell(long row, long column);
};

class WordCell : public WordObject
{
public:
    explicit WordCell(LPDISPATCH dispatch) : WordObject(dispatch) {}
    LPDISPATCH GetRange();
};

class WordRange : public WordObject
{
public:
    explicit WordRange(LPDISPATCH dispatch) : WordObject(dispatch) {}
    long GetStart();
    long GetEnd();
};

class WordSelection : public COleDispatchDriver
{
public:
    explicit WordSelection(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    LPDISPATCH GetFont();
    LPDISPATCH GetRange();
    void SetText(LPCTSTR text);
    void TypeText(LPCTSTR text);
    LPDISPATCH GetCells();
    void Copy();
};

class WordCells : public COleDispatchDriver
{
public:
    explicit WordCells(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    void Merge();
};

class WordFont : public COleDispatchDriver
{
public:
    explicit WordFont(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    void SetSize(float size);
};

} // namespace Word97

namespace Word2000 {

using Word97::WordCell;
using Word97::WordCells;
using Word97::WordDocuments;
using Word97::WordRange;
using Word97::WordTables;

class WordApplication : public Word97::WordApplication
{
};

class WordParagraphs : public COleDispatchDriver
{
public:
    explicit WordParagraphs(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    // 1 is left to right.
    void SetReadingOrder(long direction);
};

class WordDocument : public Word97::WordDocument
{
public:
    using Word97::WordDocument::WordDocument;
    LPDISPATCH GetParagraphs();
};

class WordTable : public Word97::WordTable
{
public:
    using Word97::WordTable::WordTable;
    void AutoFitBehavior(long behavior);
};

class WordSelection : public Word97::WordSelection
{
public:
    using Word97::WordSelection::WordSelection;
    // Makes the selected paragraph run right to left.
    void SetRightToLeftParagraph();
};

class WordFont : public Word97::WordFont
{
public:
    using Word97::WordFont::WordFont;
    void SetColor(long color);
    void SetSizeBi(float size);
};

} // namespace Word2000

// The connection to Word: the probe picks the family by the major version of the installed Word.
class WordApplication
{
public:
    WordApplication() = default;
    WordApplication(const WordApplication&) = delete;
    WordApplication& operator=(const WordApplication&) = delete;

    // False when Word cannot be started. A failure while the probe is read or quit raises.
    bool Open();
    bool IsWord97() const { return m_word97; }
    LPDISPATCH GetDocuments();
    LPDISPATCH GetSelection();
    // Quits without saving.
    void Quit();
    // Lets go of Word without a call to it.
    void Release();

private:
    Word97::WordApplication& Live();

    Word97::WordApplication m_word97App;
    Word2000::WordApplication m_word2000App;
    bool m_word97 = false;
};
