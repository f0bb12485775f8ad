#include "uitoolkit/customize/KTButtonDragDrop.h"

#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTCursorResource.h"

IMPLEMENT_DYNAMIC(CKTToolbarDropSource, COleDropSource)
IMPLEMENT_DYNAMIC(CKTToolbarDropTarget, COleDropTarget)

CKTToolbarDropSource::CKTToolbarDropSource() = default;

CKTToolbarDropSource::~CKTToolbarDropSource()
{
    for (HCURSOR hCursor : {m_hcurDelete, m_hcurMove, m_hcurCopy})
        if (hCursor != nullptr)
            ::DestroyCursor(hCursor);
}

CKTToolbarDropSource& CKTToolbarDropSource::GetInstance()
{
    static CKTToolbarDropSource s_dropSource;
    return s_dropSource;
}

void CKTToolbarDropSource::LoadCursors()
{
    if (m_bCursorsLoaded)
        return;
    m_bCursorsLoaded = TRUE;
    m_hcurDelete = KTLoadCursorResource(IDC_KT_DRAG_NODROP);
    m_hcurMove = KTLoadCursorResource(IDC_KT_DRAG_MOVE);
    m_hcurCopy = KTLoadCursorResource(IDC_KT_DRAG_COPY);
}

HCURSOR CKTToolbarDropSource::GetCursorFor(DROPEFFECT dropEffect) const
{
    if (dropEffect & DROPEFFECT_COPY)
        return m_hcurCopy;
    if (dropEffect & DROPEFFECT_MOVE)
        return m_hcurMove;
    return m_hcurDelete;
}

BOOL CKTToolbarDropSource::OnBeginDrag(CWnd* pWnd)
{
    LoadCursors();
    m_bEscapePressed = FALSE;
    m_bCancelRequested = FALSE;
    m_bDecided = FALSE;
    m_bDragOutsideToolbars = TRUE;
    return COleDropSource::OnBeginDrag(pWnd);
}

SCODE CKTToolbarDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (m_bDragOutsideToolbars && m_hcurDelete != nullptr)
        ::SetCursor(m_hcurDelete);
    m_bEscapePressed = bEscapePressed;
    const SCODE sc =
        m_bCancelRequested ? DRAGDROP_S_CANCEL : COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
    m_bDecided = sc != S_OK;
    return sc;
}

SCODE CKTToolbarDropSource::GiveFeedback(DROPEFFECT dropEffect)
{
    const HCURSOR hCursor = GetCursorFor(dropEffect);
    if (hCursor == nullptr)
        return COleDropSource::GiveFeedback(dropEffect);
    ::SetCursor(hCursor);
    return S_OK;
}

BOOL CKTToolbarDropTarget::Register(CKTToolBar* pOwner)
{
    m_pOwner = pOwner;
    return COleDropTarget::Register(pOwner);
}

BOOL CKTToolbarDropTarget::IsAcceptable(COleDataObject* pDataObject) const
{
    return m_pOwner != nullptr && CKTToolBar::IsCustomizeMode() && pDataObject != nullptr &&
           pDataObject->IsDataAvailable(CKTToolbarButton::GetClipboardFormat());
}

DROPEFFECT CKTToolbarDropTarget::OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!IsAcceptable(pDataObject))
        return DROPEFFECT_NONE;
    return m_pOwner->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CKTToolbarDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!IsAcceptable(pDataObject))
        return DROPEFFECT_NONE;
    return m_pOwner->OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CKTToolbarDropTarget::OnDropEx(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT,
                                          CPoint point)
{
    if (!IsAcceptable(pDataObject))
        return DROPEFFECT_NONE;
    return m_pOwner->OnDrop(pDataObject, dropDefault, point) ? dropDefault : DROPEFFECT_NONE;
}

void CKTToolbarDropTarget::OnDragLeave(CWnd*)
{
    if (m_pOwner != nullptr)
        m_pOwner->OnDragLeave();
}
