#include "uitoolkit/customize/KTButtonDragDrop.h"

#include "uitoolkit/bars/KTToolBar.h"

IMPLEMENT_DYNAMIC(CKTToolbarDropSource, COleDropSource)
IMPLEMENT_DYNAMIC(CKTToolbarDropTarget, COleDropTarget)

namespace
{
HCURSOR LoadOwnCursor(UINT nID)
{
    // Not shared, so that the drop source can destroy what it loaded.
    return static_cast<HCURSOR>(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nID), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
}
} // namespace

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

BOOL CKTToolbarDropSource::OnBeginDrag(CWnd* pWnd)
{
    if (!m_bCursorsLoaded)
    {
        m_bCursorsLoaded = TRUE;
        m_hcurDelete = LoadOwnCursor(IDC_KT_DRAG_NODROP);
        m_hcurMove = LoadOwnCursor(IDC_KT_DRAG_MOVE);
        m_hcurCopy = LoadOwnCursor(IDC_KT_DRAG_COPY);
    }
    m_bEscapePressed = FALSE;
    m_bDragOutsideToolbars = TRUE;
    return COleDropSource::OnBeginDrag(pWnd);
}

SCODE CKTToolbarDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (m_bDragOutsideToolbars && m_hcurDelete != nullptr)
        ::SetCursor(m_hcurDelete);
    m_bEscapePressed = bEscapePressed;
    return COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
}

SCODE CKTToolbarDropSource::GiveFeedback(DROPEFFECT dropEffect)
{
    HCURSOR hCursor = m_hcurDelete;
    if (dropEffect & DROPEFFECT_COPY)
        hCursor = m_hcurCopy;
    else if (dropEffect & DROPEFFECT_MOVE)
        hCursor = m_hcurMove;
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
