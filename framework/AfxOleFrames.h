// The in-place editing side of OLE as far as the toolkit asks for it: the in-place frame classes
// (known by their run-time classes; nothing here activates objects in place), documents that can
// hold OLE items, and their items. The program embeds nothing, so every query answers "none".
#pragma once

#include "framework/AfxDocument.h"
#include "framework/AfxFrame.h"

class COleClientItem : public CCmdTarget
{
    DECLARE_DYNAMIC(COleClientItem)
public:
    COleClientItem() = default;
    virtual BOOL IsInPlaceActive() const { return FALSE; }
    // Ends the item's activation and closes its server; nothing for an item that is not open.
    virtual void Close() {}
};

class COleDocument : public CDocument
{
    DECLARE_DYNCREATE(COleDocument)
public:
    COleDocument() = default;
    // The item active in place in the given view's frame, or null.
    virtual COleClientItem* GetInPlaceActiveItem(CWnd* pWnd);
};

class COleIPFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(COleIPFrameWnd)
public:
    COleIPFrameWnd() = default;
};

class COleDocIPFrameWnd : public COleIPFrameWnd
{
    DECLARE_DYNCREATE(COleDocIPFrameWnd)
public:
    COleDocIPFrameWnd() = default;
};

// The in-place active item of the frame's active document, when that is an OLE document.
COleClientItem* AFXAPI AfxGetActiveOleItem(CFrameWnd* pFrame);
