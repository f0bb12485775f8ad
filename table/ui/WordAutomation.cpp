#include "table/ui/WordAutomation.h"

#include <cwchar>

namespace {

const BYTE kTwoVariantRefs[] = VTS_PVARIANT VTS_PVARIANT;
const BYTE kThreeVariantRefs[] = VTS_PVARIANT VTS_PVARIANT VTS_PVARIANT;

LPDISPATCH GetObject(COleDispatchDriver& driver, DISPID id)
{
    LPDISPATCH result = nullptr;
    driver.InvokeHelper(id, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, nullptr);
    return result;
}

} // namespace

namespace Word97 {

void WordObject::Select()
{
    InvokeHelper(0xFFFF, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}

LPDISPATCH WordApplication::GetDocuments()
{
    return GetObject(*this, 0x6);
}

LPDISPATCH WordApplication::GetSelection()
{
    return GetObject(*this, 0x5);
}

CString WordApplication::GetVersion()
{
    CString version;
    InvokeHelper(0x18, DISPATCH_PROPERTYGET, VT_BSTR, &version, nullptr);
    return version;
}

void WordApplication::Quit(VARIANT* saveChanges, VARIANT* format, VARIANT* routeDocument)
{
    InvokeHelper(0x451, DISPATCH_METHOD, VT_EMPTY, nullptr, kThreeVariantRefs, saveChanges, format, routeDocument);
}

LPDISPATCH WordDocuments::Add(VARIANT* templateName, VARIANT* newTemplate)
{
    LPDISPATCH result = nullptr;
    InvokeHelper(0xB, DISPATCH_METHOD, VT_DISPATCH, &result, kTwoVariantRefs, templateName, newTemplate);
    return result;
}

LPDISPATCH WordDocument::GetTables()
{
    return GetObject(*this, 0x6);
}

LPDISPATCH WordDocument::GetRange(VARIANT* start, VARIANT* end)
{
    LPDISPATCH result = nullptr;
    InvokeHelper(0x7D0, DISPATCH_METHOD, VT_DISPATCH, &result, kTwoVariantRefs, start, end);
    return result;
}

void WordDocument::Close(VARIANT* saveChanges, VARIANT* format, VARIANT* routeDocument)
{
    InvokeHelper(0x451, DISPATCH_METHOD, VT_EMPTY, nullptr, kThreeVariantRefs, saveChanges, format, routeDocument);
}

LPDISPATCH WordTables::Add(LPDISPATCH range, long rows, long columns)
{
    static const BYTE params[] = VTS_DISPATCH VTS_I4 VTS_I4;
    LPDISPATCH result = nullptr;
    InvokeHelper(0x4, DISPATCH_METHOD, VT_DISPATCH, &result, params, range, rows, columns);
    return result;
}

LPDISPATCH WordTable::GetCell(long row, long column)
{
    static const BYTE params[] = VTS_I4 VTS_I4;
    LPDISPATCH result = nullptr;
    InvokeHelper(0x11, DISPATCH_METHOD, VT_DISPATCH, &result, params, row, column);
    return result;
}

LPDISPATCH WordCell::GetRange()
{
    return GetObject(*this, 0x0);
}

long WordRange::GetStart()
{
    long result = 0;
    InvokeHelper(0x3, DISPATCH_PROPERTYGET, VT_I4, &result, nullptr);
    return result;
}

long WordRange::GetEnd()
{
    long result = 0;
    InvokeHelper(0x4, DISPATCH_PROPERTYGET, VT_I4, &result, nullptr);
    return result;
}

LPDISPATCH WordSelection::GetFont()
{
    return GetObject(*this, 0x5);
}

LPDISPATCH WordSelection::GetRange()
{
    return GetObject(*this, 0x190);
}

void WordSelection::SetText(LPCTSTR text)
{
    SetProperty(0x0, VT_BSTR, text);
}

void WordSelection::TypeText(LPCTSTR text)
{
    static const BYTE params[] = VTS_BSTR;
    InvokeHelper(0x1FB, DISPATCH_METHOD, VT_EMPTY, nullptr, params, text);
}

LPDISPATCH WordSelection::GetCells()
{
    return GetObject(*this, 0x39);
}

void WordSelection::Copy()
{
    InvokeHelper(0x78, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}

void WordCells::Merge()
{
    InvokeHelper(0xCC, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}

void WordFont::SetSize(float size)
{
    SetProperty(0x8D, VT_R4, static_cast<double>(size));
}

} // namespace Word97

namespace Word2000 {

void WordParagraphs::SetReadingOrder(long direction)
{
    SetProperty(0x83, VT_I4, direction);
}

LPDISPATCH WordDocument::GetParagraphs()
{
    return GetObject(*this, 0x10);
}

void WordTable::AutoFitBehavior(long behavior)
{
    static const BYTE params[] = VTS_I4;
    InvokeHelper(0x14, DISPATCH_METHOD, VT_EMPTY, nullptr, params, behavior);
}

void WordSelection::SetRightToLeftParagraph()
{
    InvokeHelper(0x25D, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}

void WordFont::SetColor(long color)
{
    SetProperty(0x9F, VT_I4, color);
}

void WordFont::SetSizeBi(float size)
{
    SetProperty(0xA2, VT_R4, static_cast<double>(size));
}

} // namespace Word2000

namespace {

void QuitWithoutSaving(Word97::WordApplication& app)
{
    COleVariant saveChanges(static_cast<short>(FALSE), VT_BOOL);
    COleVariant format = OmittedArgument();
    COleVariant route = OmittedArgument();
    app.Quit(&saveChanges, &format, &route);
}

} // namespace

bool WordApplication::Open()
{
    Word97::WordApplication probe;
    if (!probe.CreateDispatch(_T("Word.Application")))
        return false;
    CString version;
    try {
        version = probe.GetVersion();
    } catch (CException*) {
        // The probe is a hidden Word of its own: it must not outlive the failure.
        try {
            QuitWithoutSaving(probe);
        } catch (CException* e) {
            e->Delete();
        }
        throw;
    }
    QuitWithoutSaving(probe);
    probe.ReleaseDispatch();

    const long major = std::wcstol(static_cast<LPCTSTR>(version), nullptr, 10);
    m_word97 = major < 9;
    return Live().CreateDispatch(_T("Word.Application")) != FALSE;
}

Word97::WordApplication& WordApplication::Live()
{
    return m_word97 ? m_word97App : static_cast<Word97::WordApplication&>(m_word2000App);
}

LPDISPATCH WordApplication::GetDocuments()
{
    return Live().GetDocuments();
}

LPDISPATCH WordApplication::GetSelection()
{
    return Live().GetSelection();
}

void WordApplication::Quit()
{
    if (Live().m_lpDispatch)
        QuitWithoutSaving(Live());
}

void WordApplication::Release()
{
    m_word97App.ReleaseDispatch();
    m_word2000App.ReleaseDispatch();
}
