#pragma once
// The OLE side of moving buttons in customize mode. One drop source serves every button drag,
// from a toolbar or from the customize catalogue: it remembers whether the drag really started,
// whether Escape ended it and whether it is over a toolbar, which the dragging toolbar reads
// afterwards to decide whether the button left its bar. Every toolbar registers one drop target
// for its window; the target hands button data to its toolbar, only in customize mode.
//
// User-interface thread only, inside the system's drag loop. The drop source lives from its
// first use to the end of the program; a toolbar owns its drop target.

#include "framework/Afx.h"

class CKTToolBar;

class CKTToolbarDropSource : public COleDropSource
{
    DECLARE_DYNAMIC(CKTToolbarDropSource)
public:
    CKTToolbarDropSource();
    ~CKTToolbarDropSource() override;
    CKTToolbarDropSource(const CKTToolbarDropSource&) = delete;
    CKTToolbarDropSource& operator=(const CKTToolbarDropSource&) = delete;

    // The one drop source of the program.
    static CKTToolbarDropSource& GetInstance();

    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override;
    SCODE GiveFeedback(DROPEFFECT dropEffect) override;
    BOOL OnBeginDrag(CWnd* pWnd) override;

    // Loads the drag cursors once; the first drag calls it.
    void LoadCursors();
    // The cursor shown for a drop effect: copy, move, or the delete cursor for any other; null
    // when that cursor could not be loaded.
    HCURSOR GetCursorFor(DROPEFFECT dropEffect) const;
    // Ends the running drag at the next check as if Escape had been pressed (the bar it came
    // from changed under it).
    // Once the drop is decided the drag is not cancelled any more.
    void CancelDrag()
    {
        if (!m_bDecided)
            m_bCancelRequested = TRUE;
    }
    // The drag ended by Escape or by CancelDrag: the dragged button stays where it was.
    BOOL IsCancelled() const { return m_bEscapePressed || m_bCancelRequested; }

    // TRUE while the drag is over no toolbar: a toolbar's drag-enter clears it, its leave sets it.
    BOOL m_bDragOutsideToolbars = TRUE;
    // The last Escape state the drag loop reported.
    BOOL m_bEscapePressed = FALSE;

    // The cursor resources of the drag; where one is missing the system's cursors show.
    enum
    {
        IDC_KT_DRAG_NODROP = 16133,
        IDC_KT_DRAG_MOVE = 16146,
        IDC_KT_DRAG_COPY = 16004
    };

protected:
    HCURSOR m_hcurDelete = nullptr;
    HCURSOR m_hcurMove = nullptr;
    HCURSOR m_hcurCopy = nullptr;
    BOOL m_bCursorsLoaded = FALSE;
    BOOL m_bCancelRequested = FALSE;
    BOOL m_bDecided = FALSE;
};

class CKTToolbarDropTarget : public COleDropTarget
{
    DECLARE_DYNAMIC(CKTToolbarDropTarget)
public:
    CKTToolbarDropTarget() = default;

    // Serves the toolbar's window; FALSE when OLE refused the registration.
    BOOL Register(CKTToolBar* pOwner);

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                        CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;

    CKTToolBar* GetOwner() const { return m_pOwner; }

protected:
    // Customize mode is on and the data carries a button.
    BOOL IsAcceptable(COleDataObject* pDataObject) const;

    CKTToolBar* m_pOwner = nullptr;
};
