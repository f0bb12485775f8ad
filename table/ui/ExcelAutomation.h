#pragma once
// Thin wrappers over Excel's automation objects: one Invoke per method by fixed dispatch
// identifiers. Each wrapper owns its IDispatch; a method that returns an object returns its
// IDispatch for the caller to attach to a wrapper. Failures raise the framework's exceptions.
#include "table/ui/AutomationSupport.h"
#include "table/ui/ExcelCellName.h"

#include <string>

class ExcelApplication : public COleDispatchDriver
{
public:
    LPDISPATCH GetWorkbooks();
    void SetVisible(BOOL visible);
};

class ExcelWorkbooks : public COleDispatchDriver
{
public:
    explicit ExcelWorkbooks(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    LPDISPATCH Add(const VARIANT& templateArg);
};

class ExcelWorkbook : public COleDispatchDriver
{
public:
    explicit ExcelWorkbook(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    void Activate();
    LPDISPATCH GetWorksheets();
    void Close(const VARIANT& saveChanges, const VARIANT& fileName, const VARIANT& routeWorkbook);
    void SaveAs(const VARIANT& fileName, const VARIANT& fileFormat, const VARIANT& password,
                const VARIANT& writeResPassword, const VARIANT& readOnlyRecommended, const VARIANT& createBackup,
                long accessMode, const VARIANT& conflictResolution, const VARIANT& addToMru,
                const VARIANT& textCodepage, const VARIANT& textVisualLayout);
};

class ExcelWorksheets : public COleDispatchDriver
{
public:
    explicit ExcelWorksheets(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    LPDISPATCH GetItem(const VARIANT& index);
};

class ExcelWorksheet : public COleDispatchDriver
{
public:
    explicit ExcelWorksheet(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    LPDISPATCH GetRange(const VARIANT& firstCell, const VARIANT& lastCell);
    LPDISPATCH GetUsedRange();
};

// Also wraps the Characters object, whose Font the export reaches the same way.
class ExcelRange : public COleDispatchDriver
{
public:
    explicit ExcelRange(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    LPDISPATCH GetColumns();
    void AutoFit();
    void Copy(const VARIANT& destination);
    void SetFormula(const VARIANT& formula);
    void SetNumberFormat(const VARIANT& format);
    void Merge(const VARIANT& across);
    void SetVerticalAlignment(const VARIANT& alignment);
    void SetReadingOrder(long order);
    LPDISPATCH GetCharacters(const VARIANT& start, const VARIANT& length);
    LPDISPATCH GetFont();
};

class ExcelFont : public COleDispatchDriver
{
public:
    explicit ExcelFont(LPDISPATCH dispatch) : COleDispatchDriver(dispatch) {}
    void SetColor(const VARIANT& color);
    void SetSize(const VARIANT& size);
};
