#include "table/ui/ExcelAutomation.h"

namespace {

const BYTE kOneVariant[] = VTS_VARIANT;
const BYTE kTwoVariants[] = VTS_VARIANT VTS_VARIANT;
const BYTE kThreeVariants[] = VTS_VARIANT VTS_VARIANT VTS_VARIANT;

} // namespace

LPDISPATCH ExcelApplication::GetWorkbooks()
{
    LPDISPATCH result = nullptr;
    InvokeHelper(0x23C, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, nullptr);
    return result;
}

void ExcelApplication::SetVisible(BOOL visible)
{
    SetProperty(0x22E, VT_BOOL, visible);
}

LPDISPATCH ExcelWorkbooks::Add(const VARIANT& templateArg)
{
    LPDISPATCH result = nullptr;
    InvokeHelper(0xB5, DISPATCH_METHOD, VT_DISPATCH, &result, kOneVariant, &templateArg);
    return result;
}

void ExcelWorkbook::Activate()
{
    InvokeHelper(0x130, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}

LPDISPATCH ExcelWorkbook::GetWorksheets()
{
    LPDISPATCH result = nullptr;
    InvokeHelper(0x1EE, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, nullptr);
    return result;
}

void ExcelWorkbook::Close(const VARIANT& saveChanges, const VARIANT& fileName, const VARIANT& routeWorkbook)
{
    InvokeHelper(0x115, DISPATCH_METHOD, VT_EMPTY, nullptr, kThreeVariants, &saveChanges, &fileName,
                 &routeWorkbook);
}

void ExcelWorkbook::SaveAs(const VARIANT& fileName, const VARIANT& fileFormat, const VARIANT& password,
                           const VARIANT& writeResPassword, const VARIANT& readOnlyRecommended,
                           const VARIANT& createBackup, long accessMode, const VARIANT& conflictResolution,
                           const VARIANT& addToMru, const VARIANT& textCodepage, const VARIANT& textVisualLayout)
{
    static const BYTE params[] = VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_I4
        VTS_VARIANT VTS_VARIANT VTS_VARIANT VTS_VARIANT;
    InvokeHelper(0x11C, DISPATCH_METHOD, VT_EMPTY, nullptr, params, &fileName, &fileFormat, &password,
                 &writeResPassword, &readOnlyRecommended, &createBackup, accessMode, &conflictResolution, &addToMru,
                 &textCodepage, &textVisualLayout);
}

LPDISPATCH ExcelWorksheets::GetItem(const VARIANT& index)
{
    LPDISPATCH result = nullptr;
    InvokeHelper(0xAA, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, kOneVariant, &index);
    return result;
}

LPDISPATCH ExcelWorksheet::GetRange(const VARIANT& firstCell, const VARIANT& lastCell)
{
    LPDISPATCH result = nullptr;
    InvokeHelper(0xC5, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, kTwoVariants, &firstCell, &lastCell);
    return result;
}

LPDISPATCH ExcelWorksheet::GetUsedRange()
{
    LPDISPATCH result = nullptr;
    InvokeHelper(0x19C, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, nullptr);
    return result;
}

LPDISPATCH ExcelRange::GetColumns()
{
    LPDISPATCH result = nullptr;
    InvokeHelper(0xF1, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, nullptr);
    return result;
}

void ExcelRange::AutoFit()
{
    InvokeHelper(0xED, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
}

void ExcelRange::Copy(const VARIANT& destination)
{
    InvokeHelper(0x227, DISPATCH_METHOD, VT_EMPTY, nullptr, kOneVariant, &destination);
}

void ExcelRange::SetFormula(const VARIANT& formula)
{
    SetProperty(0x105, VT_VARIANT, &formula);
}

void ExcelRange::SetNumberFormat(const VARIANT& format)
{
    SetProperty(0xC1, VT_VARIANT, &format);
}

void ExcelRange::Merge(const VARIANT& across)
{
    InvokeHelper(0x234, DISPATCH_METHOD, VT_EMPTY, nullptr, kOneVariant, &across);
}

void ExcelRange::SetVerticalAlignment(const VARIANT& alignment)
{
    SetProperty(0x89, VT_VARIANT, &alignment);
}

void ExcelRange::SetReadingOrder(long order)
{
    SetProperty(0x3CF, VT_I4, order);
}

LPDISPATCH ExcelRange::GetCharacters(const VARIANT& start, const VARIANT& length)
{
    LPDISPATCH result = nullptr;
    InvokeHelper(0x25B, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, kTwoVariants, &start, &length);
    return result;
}

LPDISPATCH ExcelRange::GetFont()
{
    LPDISPATCH result = nullptr;
    InvokeHelper(0x92, DISPATCH_PROPERTYGET, VT_DISPATCH, &result, nullptr);
    return result;
}

void ExcelFont::SetColor(const VARIANT& color)
{
    SetProperty(0x63, VT_VARIANT, &color);
}

void ExcelFont::SetSize(const VARIANT& size)
{
    SetProperty(0x68, VT_VARIANT, &size);
}
