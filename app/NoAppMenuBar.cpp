#include "app/NoAppMenuBar.h"

#include "framework/AfxDocTemplate.h"
#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/bars/KTMenuBarButtons.h"
#include "uitoolkit/bars/KTMenuStore.h"

IMPLEMENT_SERIAL(CKTNoAppMenuBar, CKTMenuBar, VERSIONABLE_SCHEMA | 1)

bool CKTNoAppMenuBar::ReplaceMenu(HMENU oldMenu, HMENU newMenu)
{
    const bool shown = oldMenu == m_hMenu;
    if (CMDIFrameWnd* frame = GetMDIFrame(); frame && frame->m_hWndMDIClient)
    {
        for (HWND child = ::GetWindow(frame->m_hWndMDIClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        {
            CMDIChildWnd* childFrame = dynamic_cast<CMDIChildWnd*>(CWnd::FromHandlePermanent(child));
            if (childFrame && childFrame->m_hMenuShared == oldMenu)
                childFrame->m_hMenuShared = newMenu;
        }
    }
    CKTMenuFileStore::Get().RemoveMenu(static_cast<UINT>(reinterpret_cast<UINT_PTR>(oldMenu)));
    if (oldMenu && ::IsMenu(oldMenu))
        ::DestroyMenu(oldMenu);
    return shown;
}

void CKTNoAppMenuBar::RestoreResourceState()
{
    if (m_hMenu)
    {
        KTSaveMenuCopy(m_hMenu, this);
        KTFreeTearOffIds(m_hMenu);
    }
    const BOOL maximized = m_bMaximizeMode;
    if (maximized)
        SetMaximizeMode(FALSE, nullptr, FALSE);

    HMENU toShow = nullptr;
    CWinApp* app = AfxGetApp();
    for (POSITION position = app ? app->GetFirstDocTemplatePosition() : nullptr; position;)
    {
        CMultiDocTemplate* docTemplate = dynamic_cast<CMultiDocTemplate*>(app->GetNextDocTemplate(position));
        if (!docTemplate || !docTemplate->m_hMenuShared)
            continue;
        HMENU fresh = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(docTemplate->m_nIDResource));
        if (!fresh)
            continue;
        HMENU old = docTemplate->m_hMenuShared;
        const bool wasShown = old == m_hMenu;
        CreateFromMenu(fresh, FALSE, TRUE);
        KTSaveMenuCopy(fresh, this);
        docTemplate->m_hMenuShared = fresh;
        ReplaceMenu(old, fresh);
        if (wasShown)
            toShow = fresh;
    }

    CFrameWnd* frame = GetParentFrame();
    if (m_uiDefMenuResId != 0)
    {
        HMENU fresh = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_uiDefMenuResId));
        if (fresh)
        {
            HMENU old = m_hDefaultMenu;
            CreateFromMenu(fresh, TRUE, TRUE);
            KTSaveMenuCopy(fresh, this);
            if (!toShow)
                toShow = fresh;
            if (frame)
            {
                frame->m_hMenuDefault = fresh;
                if (CKTFrameSupport* support = KTGetFrameSupport(frame))
                    support->SetDefaultMenu(fresh);
            }
            if (old && old != fresh)
                ReplaceMenu(old, fresh);
        }
    }

    if (toShow)
    {
        m_hMenu = nullptr;
        CreateFromMenu(toShow, toShow == m_hDefaultMenu, TRUE);
    }
    if (!maximized && frame)
    {
        frame->RecalcLayout();
        Invalidate();
    }
    if (frame)
        frame->DelayRecalcLayout();
    if (maximized)
        RestoreMaximizeMode();
}
