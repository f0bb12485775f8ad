#include "framework/AfxOleDragDrop.h"

#include "framework/AfxFile.h"
#include "framework/AfxThreadData.h"
#include "framework/AfxWnd.h"

#include <shlobj.h>

#include <unordered_map>

// ---------------------------------------------------------------------------------------------
// COleDataObject

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = nullptr;
    return lpDataObject;
}

void COleDataObject::Release()
{
    if (m_lpDataObject != nullptr && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
}

BOOL COleDataObject::AttachClipboard()
{
    LPDATAOBJECT lpDataObject = nullptr;
    if (FAILED(::OleGetClipboard(&lpDataObject)) || lpDataObject == nullptr)
        return FALSE;
    Attach(lpDataObject, TRUE);
    return TRUE;
}

namespace {

FORMATETC MakeFormatEtc(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc, DWORD tymed)
{
    if (lpFormatEtc != nullptr)
    {
        FORMATETC formatEtc = *lpFormatEtc;
        formatEtc.cfFormat = cfFormat;
        return formatEtc;
    }
    FORMATETC formatEtc{cfFormat, nullptr, DVASPECT_CONTENT, -1, tymed};
    return formatEtc;
}

// A copy of the bytes of a global-memory medium, owned by the caller.
HGLOBAL CopyGlobal(HGLOBAL hSource)
{
    SIZE_T nSize = ::GlobalSize(hSource);
    const void* pSource = ::GlobalLock(hSource);
    if (pSource == nullptr)
        return nullptr;
    HGLOBAL hCopy = ::GlobalAlloc(GMEM_MOVEABLE, nSize != 0 ? nSize : 1);
    void* pCopy = hCopy != nullptr ? ::GlobalLock(hCopy) : nullptr;
    if (pCopy != nullptr)
    {
        memcpy(pCopy, pSource, nSize);
        ::GlobalUnlock(hCopy);
    }
    else if (hCopy != nullptr)
    {
        ::GlobalFree(hCopy);
        hCopy = nullptr;
    }
    ::GlobalUnlock(hSource);
    return hCopy;
}

} // namespace

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const
{
    if (m_lpDataObject == nullptr)
        return FALSE;
    FORMATETC formatEtc = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM);
    return m_lpDataObject->QueryGetData(&formatEtc) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc) const
{
    if (m_lpDataObject == nullptr || lpStgMedium == nullptr)
        return FALSE;
    FORMATETC formatEtc = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL | TYMED_ISTREAM);
    *lpStgMedium = STGMEDIUM{};
    return SUCCEEDED(m_lpDataObject->GetData(&formatEtc, lpStgMedium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const
{
    if (m_lpDataObject == nullptr)
        return nullptr;
    FORMATETC formatEtc = MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL);
    STGMEDIUM medium{};
    if (FAILED(m_lpDataObject->GetData(&formatEtc, &medium)))
        return nullptr;
    HGLOBAL hResult = nullptr;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr)
    {
        // Memory the source still owns (pUnkForRelease set) must be copied before it is released.
        if (medium.pUnkForRelease == nullptr)
            return medium.hGlobal;
        hResult = CopyGlobal(medium.hGlobal);
    }
    ::ReleaseStgMedium(&medium);
    return hResult;
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc) const
{
    STGMEDIUM medium{};
    if (!GetData(cfFormat, &medium, lpFormatEtc))
        return nullptr;
    CMemFile* pFile = nullptr;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr)
    {
        SIZE_T nSize = ::GlobalSize(medium.hGlobal);
        const BYTE* pBytes = static_cast<const BYTE*>(::GlobalLock(medium.hGlobal));
        if (pBytes != nullptr && nSize <= UINT_MAX)
        {
            pFile = new CMemFile;
            pFile->Write(pBytes, static_cast<UINT>(nSize));
            pFile->SeekToBegin();
        }
        if (pBytes != nullptr)
            ::GlobalUnlock(medium.hGlobal);
    }
    else if (medium.tymed == TYMED_ISTREAM && medium.pstm != nullptr)
    {
        pFile = new CMemFile;
        BYTE buffer[4096];
        ULONG nRead = 0;
        while (SUCCEEDED(medium.pstm->Read(buffer, sizeof(buffer), &nRead)) && nRead != 0)
            pFile->Write(buffer, nRead);
        pFile->SeekToBegin();
    }
    ::ReleaseStgMedium(&medium);
    return pFile;
}

// ---------------------------------------------------------------------------------------------
// The data object behind COleDataSource: a reference-counted cache of global-memory entries.

class COleDataSourceObject final : public IDataObject
{
public:
    struct Entry
    {
        FORMATETC m_formatEtc;
        HGLOBAL m_hGlobal;
    };

    void Cache(const FORMATETC& formatEtc, HGLOBAL hGlobal)
    {
        for (Entry& entry : m_entries)
        {
            if (entry.m_formatEtc.cfFormat == formatEtc.cfFormat)
            {
                if (entry.m_hGlobal != hGlobal)
                    ::GlobalFree(entry.m_hGlobal);
                entry.m_formatEtc = formatEtc;
                entry.m_hGlobal = hGlobal;
                return;
            }
        }
        m_entries.push_back(Entry{formatEtc, hGlobal});
    }
    void Empty()
    {
        for (Entry& entry : m_entries)
            ::GlobalFree(entry.m_hGlobal);
        m_entries.clear();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject))
        {
            *ppv = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_nRef)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG nRef = ::InterlockedDecrement(&m_nRef);
        if (nRef == 0)
            delete this;
        return static_cast<ULONG>(nRef);
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* pFormatEtc, STGMEDIUM* pMedium) override
    {
        if (pFormatEtc == nullptr || pMedium == nullptr)
            return E_INVALIDARG;
        const Entry* pEntry = Find(pFormatEtc);
        if (pEntry == nullptr)
            return DV_E_FORMATETC;
        // Each receiver gets a copy of its own, so the cache outlives any number of drops.
        HGLOBAL hCopy = CopyGlobal(pEntry->m_hGlobal);
        if (hCopy == nullptr)
            return E_OUTOFMEMORY;
        pMedium->tymed = TYMED_HGLOBAL;
        pMedium->hGlobal = hCopy;
        pMedium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* pFormatEtc) override
    {
        if (pFormatEtc == nullptr)
            return E_INVALIDARG;
        return Find(pFormatEtc) != nullptr ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pFormatEtcOut) override
    {
        if (pFormatEtcOut != nullptr)
            pFormatEtcOut->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override
    {
        if (ppEnum == nullptr)
            return E_POINTER;
        *ppEnum = nullptr;
        if (dwDirection != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> formats;
        for (const Entry& entry : m_entries)
            formats.push_back(entry.m_formatEtc);
        return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), ppEnum);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    ~COleDataSourceObject() { Empty(); }

    const Entry* Find(const FORMATETC* pFormatEtc) const
    {
        for (const Entry& entry : m_entries)
        {
            if (entry.m_formatEtc.cfFormat == pFormatEtc->cfFormat && (pFormatEtc->tymed & TYMED_HGLOBAL) != 0 &&
                (pFormatEtc->dwAspect == 0 || entry.m_formatEtc.dwAspect == pFormatEtc->dwAspect))
                return &entry;
        }
        return nullptr;
    }

    LONG m_nRef = 1;
    std::vector<Entry> m_entries;
};

// ---------------------------------------------------------------------------------------------
// COleDataSource

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

COleDataSource::COleDataSource() : m_pObject(new COleDataSourceObject) {}

COleDataSource::~COleDataSource()
{
    m_pObject->Release();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    if (hGlobal == nullptr)
        return;
    m_pObject->Cache(MakeFormatEtc(cfFormat, lpFormatEtc, TYMED_HGLOBAL), hGlobal);
}

void COleDataSource::Empty()
{
    m_pObject->Empty();
}

LPDATAOBJECT COleDataSource::GetDataObject()
{
    m_pObject->AddRef();
    return m_pObject;
}

BOOL COleDataSource::SetClipboard()
{
    return SUCCEEDED(::OleSetClipboard(m_pObject));
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT lpRectStartDrag, COleDropSource* pDropSource)
{
    COleDropSource defaultSource;
    if (pDropSource == nullptr)
        pDropSource = &defaultSource;

    // The button held now drags; the other one cancels.
    if (::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) >= 0)
    {
        pDropSource->m_dwButtonDrop = MK_LBUTTON;
        pDropSource->m_dwButtonCancel = MK_RBUTTON;
    }
    else
    {
        pDropSource->m_dwButtonDrop = MK_RBUTTON;
        pDropSource->m_dwButtonCancel = MK_LBUTTON;
    }
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    if (lpRectStartDrag != nullptr)
    {
        pDropSource->m_rectStartDrag = *lpRectStartDrag;
    }
    else
    {
        pDropSource->m_rectStartDrag.SetRect(ptCursor.x, ptCursor.y, ptCursor.x, ptCursor.y);
        pDropSource->m_rectStartDrag.InflateRect(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
    }

    // The loop before the drag needs a window of this thread to keep the mouse.
    HWND hWnd = ::GetCapture();
    if (hWnd == nullptr)
        hWnd = ::WindowFromPoint(ptCursor);
    if (hWnd == nullptr || ::GetWindowThreadProcessId(hWnd, nullptr) != ::GetCurrentThreadId())
        hWnd = ::GetActiveWindow();
    pDropSource->m_bDragStarted = FALSE;
    if (!pDropSource->OnBeginDrag(CWnd::FromHandle(hWnd)))
        return DROPEFFECT_NONE;

    DWORD dwResultEffect = DROPEFFECT_NONE;
    HRESULT hr = ::DoDragDrop(m_pObject, pDropSource->GetInterface(), dwEffects, &dwResultEffect);
    return hr == DRAGDROP_S_DROP ? dwResultEffect : DROPEFFECT_NONE;
}

// ---------------------------------------------------------------------------------------------
// COleDropSource

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

COleDropSource::COleDropSource()
{
    m_xDropSource.m_pOwner = this;
}

BOOL COleDropSource::OnBeginDrag(CWnd* pWnd)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    if (hWnd == nullptr)
        return m_bDragStarted = TRUE;
    m_bDragStarted = FALSE;
    ::SetCapture(hWnd);
    const UINT nButtonUp = m_dwButtonDrop == MK_LBUTTON ? WM_LBUTTONUP : WM_RBUTTONUP;
    BOOL bEnded = FALSE;
    while (!bEnded && ::GetCapture() == hWnd)
    {
        MSG msg;
        if (!::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::WaitMessage();
            continue;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE)
        {
            CPoint ptScreen;
            ::GetCursorPos(&ptScreen);
            if (!m_rectStartDrag.PtInRect(ptScreen))
                m_bDragStarted = bEnded = TRUE;
        }
        else if (msg.message == nButtonUp || msg.message == WM_LBUTTONUP || msg.message == WM_RBUTTONUP)
        {
            bEnded = TRUE;
        }
        else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
        {
            bEnded = TRUE;
        }
        else if (msg.message == WM_QUIT)
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            bEnded = TRUE;
        }
        else if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP && msg.message != WM_CHAR &&
                 (msg.message < WM_MOUSEFIRST || msg.message > WM_MOUSELAST))
        {
            // Painting and timers go on; the press itself is held back until the drag decides.
            ::DispatchMessage(&msg);
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    return m_bDragStarted;
}

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed || (dwKeyState & m_dwButtonCancel) != 0)
        return DRAGDROP_S_CANCEL;
    if ((dwKeyState & m_dwButtonDrop) == 0)
        return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT)
{
    return DRAGDROP_S_USEDEFAULTCURSORS;
}

HRESULT STDMETHODCALLTYPE COleDropSource::XDropSource::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource))
    {
        *ppv = static_cast<IDropSource*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE COleDropSource::XDropSource::QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState)
{
    return m_pOwner->QueryContinueDrag(fEscapePressed, grfKeyState);
}

HRESULT STDMETHODCALLTYPE COleDropSource::XDropSource::GiveFeedback(DWORD dwEffect)
{
    return m_pOwner->GiveFeedback(dwEffect);
}

// ---------------------------------------------------------------------------------------------
// COleDropTarget

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

namespace {

// The drop targets of this thread by window, so that a dying window can end its registration.
struct CThreadDropTargets : public CThreadData
{
    std::unordered_map<HWND, COleDropTarget*> m_targets;
};

std::unordered_map<HWND, COleDropTarget*>& DropTargetMap()
{
    return AfxGetThreadData<CThreadDropTargets>().m_targets;
}

// A window destroyed while registered ends its registration before its handle goes.
void AFXAPI RevokeDropTargetOf(CWnd* pWnd)
{
    COleDropTarget::RevokeWindow(pWnd->m_hWnd);
}

} // namespace

COleDropTarget::COleDropTarget()
{
    m_xDropTarget.m_pOwner = this;
}

COleDropTarget::~COleDropTarget()
{
    COleDropTarget::Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    HWND hWnd = pWnd->GetSafeHwnd();
    if (hWnd == nullptr || m_hWnd != nullptr || !AfxOleIsInitialized())
        return FALSE;
    if (FAILED(::RegisterDragDrop(hWnd, &m_xDropTarget)))
        return FALSE;
    m_hWnd = hWnd;
    DropTargetMap()[hWnd] = this;
    AfxAddWndCleanup(&RevokeDropTargetOf);
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd == nullptr)
        return;
    EndDrag();
    ::RevokeDragDrop(m_hWnd);
    auto& map = DropTargetMap();
    auto it = map.find(m_hWnd);
    if (it != map.end() && it->second == this)
        map.erase(it);
    m_hWnd = nullptr;
}

void PASCAL COleDropTarget::RevokeWindow(HWND hWnd)
{
    auto& map = DropTargetMap();
    auto it = map.find(hWnd);
    if (it != map.end())
        it->second->Revoke();
}

CWnd* COleDropTarget::TargetWindow() const
{
    return CWnd::FromHandle(m_hWnd);
}

CPoint COleDropTarget::ClientPoint(POINTL pt) const
{
    CPoint point(pt.x, pt.y);
    ::ScreenToClient(m_hWnd, &point);
    return point;
}

void COleDropTarget::EndDrag()
{
    m_dataObject.Release();
    m_dropEffectLast = DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return static_cast<DROPEFFECT>(-1);
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

void COleDropTarget::OnDragLeave(CWnd*) {}

namespace {

// An answer the source did not allow becomes the nearest one it did, else none.
DWORD FilterDropEffect(DROPEFFECT dropEffect, DWORD dwAllowed)
{
    if ((dropEffect & dwAllowed) != 0 || dropEffect == DROPEFFECT_NONE)
        return dropEffect & (dwAllowed | DROPEFFECT_SCROLL);
    if ((dwAllowed & DROPEFFECT_MOVE) != 0 && (dropEffect & DROPEFFECT_COPY) != 0)
        return DROPEFFECT_MOVE;
    if ((dwAllowed & DROPEFFECT_COPY) != 0 && (dropEffect & DROPEFFECT_MOVE) != 0)
        return DROPEFFECT_COPY;
    return DROPEFFECT_NONE;
}

} // namespace

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget))
    {
        *ppv = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                                                                 DWORD* pdwEffect)
{
    if (pdwEffect == nullptr)
        return E_INVALIDARG;
    COleDropTarget* pThis = m_pOwner;
    if (pDataObj != nullptr)
        pDataObj->AddRef();
    pThis->m_dataObject.Attach(pDataObj, TRUE);
    DROPEFFECT dropEffect =
        pThis->OnDragEnter(pThis->TargetWindow(), &pThis->m_dataObject, grfKeyState, pThis->ClientPoint(pt));
    *pdwEffect = pThis->m_dropEffectLast = FilterDropEffect(dropEffect, *pdwEffect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect == nullptr)
        return E_INVALIDARG;
    COleDropTarget* pThis = m_pOwner;
    DROPEFFECT dropEffect =
        pThis->OnDragOver(pThis->TargetWindow(), &pThis->m_dataObject, grfKeyState, pThis->ClientPoint(pt));
    *pdwEffect = pThis->m_dropEffectLast = FilterDropEffect(dropEffect, *pdwEffect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::DragLeave()
{
    COleDropTarget* pThis = m_pOwner;
    pThis->OnDragLeave(pThis->TargetWindow());
    pThis->EndDrag();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE COleDropTarget::XDropTarget::Drop(IDataObject* pDataObj, DWORD, POINTL pt, DWORD* pdwEffect)
{
    if (pdwEffect == nullptr)
        return E_INVALIDARG;
    COleDropTarget* pThis = m_pOwner;
    if (pDataObj != nullptr)
    {
        pDataObj->AddRef();
        pThis->m_dataObject.Attach(pDataObj, TRUE);
    }
    // The buttons are up by now; the effect is the one the last move over the window chose.
    const DROPEFFECT dropDefault = pThis->m_dropEffectLast & ~DROPEFFECT_SCROLL;
    const DWORD dwAllowed = *pdwEffect;
    CWnd* pWnd = pThis->TargetWindow();
    CPoint point = pThis->ClientPoint(pt);
    DROPEFFECT dropEffect = pThis->OnDropEx(pWnd, &pThis->m_dataObject, dropDefault, dwAllowed, point);
    if (dropEffect == static_cast<DROPEFFECT>(-1))
        dropEffect = pThis->OnDrop(pWnd, &pThis->m_dataObject, dropDefault, point) ? dropDefault : DROPEFFECT_NONE;
    *pdwEffect = FilterDropEffect(dropEffect, dwAllowed);
    pThis->EndDrag();
    return S_OK;
}
