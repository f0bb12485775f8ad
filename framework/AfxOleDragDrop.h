// OLE drag and drop over the system's own loop: the data offered (COleDataSource), the side that
// decides when a drag starts, goes on and ends (COleDropSource), a window's side that answers
// where a drop may land (COleDropTarget) and the data as a receiver sees it (COleDataObject).
//
// Thread: all of it on one thread that initialised OLE (AfxOleInit); the drag loop runs inside
// DoDragDrop and calls the drop source and every drop target of this thread from there.
// Ownership: the program owns these objects; the COM interfaces they hand out only borrow them,
// except the data source's data object, which lives on while the clipboard or a receiver holds it.
#pragma once

#include "framework/AfxCmdTarget.h"
#include "framework/AfxGeometry.h"
#include "framework/AfxOle.h"

#include <vector>

class CFile;
class CWnd;

typedef DWORD DROPEFFECT;

// The data a receiver was handed (a drop) or found on the clipboard.
class COleDataObject
{
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Takes the object; with bAutoRelease it is released with this one (else the caller keeps it).
    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    // Attaches the data on the clipboard; FALSE when there is none to be had.
    BOOL AttachClipboard();

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;
    // The data in memory of the caller's own (GlobalFree it), or null when the format is missing.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;
    // The data as a file positioned at its start (delete it), or null when the format is missing.
    CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr) const;
    // The medium as the source gives it; release it with ReleaseStgMedium.
    BOOL GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr) const;

    LPDATAOBJECT m_lpDataObject = nullptr;
    BOOL m_bAutoRelease = TRUE;
};

class COleDropSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource();
    ~COleDropSource() override = default;

    // Called before the system's loop: keeps the mouse while the cursor stays inside the start
    // rectangle. TRUE once it leaves it; FALSE when the button comes up or Escape is pressed first.
    virtual BOOL OnBeginDrag(CWnd* pWnd);
    // Escape or the other mouse button cancels, the release of the dragging button drops.
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    // The system's cursors for each effect.
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);

    // Filled by COleDataSource::DoDragDrop before the drag: the start rectangle in screen
    // coordinates and the button that drags (MK_LBUTTON or MK_RBUTTON) and the one that cancels.
    CRect m_rectStartDrag;
    DWORD m_dwButtonDrop = MK_LBUTTON;
    DWORD m_dwButtonCancel = MK_RBUTTON;
    BOOL m_bDragStarted = FALSE;

    IDropSource* GetInterface() { return &m_xDropSource; }

private:
    struct XDropSource : IDropSource
    {
        COleDropSource* m_pOwner = nullptr;
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
        HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD dwEffect) override;
    } m_xDropSource;
};

class COleDataSourceObject;

// Data offered to a drag or the clipboard. The cache goes with a data object of its own, so a
// clipboard that still holds it after this object is gone keeps valid data.
class COleDataSource : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    ~COleDataSource() override;
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Takes the memory (freed with the cache); a format cached again replaces the earlier data.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    void Empty();

    // Runs a drag of the cached data from the current mouse press. lpRectStartDrag (screen
    // coordinates; null: the system's drag distance around the cursor) must be left before the
    // drag starts. Answers the effect the drop target chose, DROPEFFECT_NONE when the drag did
    // not start, was cancelled or nothing accepted it.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);
    // Puts the cached data on the clipboard; FALSE when the clipboard refused it.
    BOOL SetClipboard();

    // The data object with one reference for the caller.
    LPDATAOBJECT GetDataObject();

private:
    COleDataSourceObject* m_pObject;
};

class COleDropTarget : public CCmdTarget
{
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    ~COleDropTarget() override;
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // Makes pWnd a drop target served by this object; FALSE when OLE refused (not initialised,
    // already registered). The registration ends with Revoke or when the window is destroyed.
    BOOL Register(CWnd* pWnd);
    virtual void Revoke();
    HWND GetRegisteredWindow() const { return m_hWnd; }

    // Points are in the window's client coordinates; the key state is the MK_ bits.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    // Answers the effect, or (DROPEFFECT)-1 to have OnDrop decide (the base does that).
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                                CPoint point);
    // TRUE when the drop was taken with dropEffect.
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);

    // Ends the registration of the window that is being destroyed, if a drop target holds it.
    static void PASCAL RevokeWindow(HWND hWnd);

private:
    struct XDropTarget : IDropTarget
    {
        COleDropTarget* m_pOwner = nullptr;
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                            DWORD* pdwEffect) override;
        HRESULT STDMETHODCALLTYPE DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        HRESULT STDMETHODCALLTYPE DragLeave() override;
        HRESULT STDMETHODCALLTYPE Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    } m_xDropTarget;

    CWnd* TargetWindow() const;
    CPoint ClientPoint(POINTL pt) const;
    void EndDrag();

    HWND m_hWnd = nullptr;
    COleDataObject m_dataObject; // the data of the drag over the window, attached at enter
    DROPEFFECT m_dropEffectLast = DROPEFFECT_NONE;
};
