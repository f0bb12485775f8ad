// The popup menu's looks: the appearance animation (timer 1), the drop shadow drawn over the
// captured background, the frame, and the scroll buttons of a menu taller than the work area
// (timer 2).
#include "uitoolkit/bars/KTPopupMenu.h"

#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/looks/KTDrawHelper.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <algorithm>
#include <cmath>

namespace
{
const UINT_PTR kAnimationTimer = 1;
const UINT_PTR kScrollTimer = 2;
} // namespace

CRect CKTPopupMenu::GetMenuRect() const
{
    CRect rect;
    GetClientRect(&rect);
    if (!CKTToolBar::IsCustomizeMode())
    {
        rect.right -= m_iShadowSize;
        rect.bottom -= m_iShadowSize;
    }
    return rect;
}

// Scrolling
// ------------------------------------------------------------------------------------------------------------

BOOL CKTPopupMenu::IsScrollUpAvailable()
{
    return GetMenuBar()->GetFirstShownItem() > 0;
}

BOOL CKTPopupMenu::IsScrollDownAvailable()
{
    if (GetMenuBar()->GetCount() == 0)
        return FALSE;
    CKTToolbarButton* pLast = GetMenuBar()->GetButton(GetMenuBar()->GetCount() - 1);
    return pLast->m_rect.bottom > m_iMenuBarHeight + GetMenuBar()->GetRowHeight();
}

BOOL CKTPopupMenu::LayOutScrollButtons(BOOL bForce)
{
    if (GetMenuBar()->GetSafeHwnd() == nullptr)
        return FALSE;
    CRect rectBar = GetMenuRect();
    rectBar.DeflateRect(2, 2);
    if (!m_rectTearOffCaption.IsRectEmpty())
        rectBar.top += m_rectTearOffCaption.Height();
    const CRect rectUpOld = m_rectScrollUp;
    const CRect rectDownOld = m_rectScrollDn;
    m_rectScrollUp.SetRectEmpty();
    m_rectScrollDn.SetRectEmpty();
    if (m_bScrollable)
    {
        if (IsScrollUpAvailable())
        {
            m_rectScrollUp = CRect(rectBar.left, rectBar.top, rectBar.right, rectBar.top + m_iScrollButtonHeight);
            rectBar.top = m_rectScrollUp.bottom;
        }
        // The bottom button counts against the height the items keep.
        m_iMenuBarHeight = rectBar.Height();
        if (IsScrollDownAvailable())
        {
            m_rectScrollDn = CRect(rectBar.left, rectBar.bottom - m_iScrollButtonHeight, rectBar.right, rectBar.bottom);
            rectBar.bottom = m_rectScrollDn.top;
        }
    }
    else if (m_bAnimationIsDone)
    {
        KillTimer(kScrollTimer);
        m_iScrollDirection = 0;
    }
    CRect rectCurrent;
    GetMenuBar()->GetWindowRect(&rectCurrent);
    ScreenToClient(&rectCurrent);
    if (bForce || rectCurrent != rectBar)
        GetMenuBar()->SetWindowPos(nullptr, rectBar.left, rectBar.top, rectBar.Width(), rectBar.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE | (m_bScrollable ? 0 : SWP_NOREDRAW));
    GetMenuBar()->AdjustLocations();
    m_iMenuBarHeight = rectBar.Height();
    const BOOL bChanged = rectUpOld != m_rectScrollUp || rectDownOld != m_rectScrollDn;
    if (bChanged)
    {
        InvalidateRect(&rectUpOld);
        InvalidateRect(&rectDownOld);
        InvalidateRect(&m_rectScrollUp);
        InvalidateRect(&m_rectScrollDn);
    }
    return bChanged;
}

void CKTPopupMenu::ScrollBy(int nRows)
{
    const int nRow = GetMenuBar()->GetRowHeight();
    const int nVisibleRows = nRow > 0 ? m_iMenuBarHeight / nRow : 0;
    const int nMax = std::max(0, GetMenuBar()->GetCount() - (nVisibleRows - 2) - 1);
    const int nOffset = std::min(nMax, std::max(0, GetMenuBar()->GetFirstShownItem() + nRows));
    GetMenuBar()->SetFirstShownItem(nOffset);
    GetMenuBar()->AdjustLocations();
    if (LayOutScrollButtons())
        LayOutScrollButtons();
    GetMenuBar()->Invalidate();
}

void CKTPopupMenu::OnScrollTick()
{
    CKTToolbarMenuButton* pOpen = GetMenuBar()->GetOpenItem();
    if (pOpen != nullptr)
        pOpen->OnCancelMode();
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    const CRect& rectButton = m_iScrollDirection < 0 ? m_rectScrollUp : m_rectScrollDn;
    if (m_iScrollDirection != 0 && rectButton.PtInRect(point) &&
        (m_iScrollDirection < 0 ? IsScrollUpAvailable() : IsScrollDownAvailable()))
    {
        ScrollBy(m_iScrollDirection);
        return;
    }
    KillTimer(kScrollTimer);
    m_iScrollDirection = 0;
    InvalidateRect(&m_rectScrollUp);
    InvalidateRect(&m_rectScrollDn);
}

void CKTPopupMenu::OnMouseMove(UINT nFlags, CPoint point)
{
    CMiniFrameWnd::OnMouseMove(nFlags, point);
    if (m_bTearOffTracking && GetCapture() == this && !m_rectTearOffCaption.PtInRect(point))
    {
        // Dragged off its caption, the menu becomes a floating bar.
        m_bTearOffTracking = FALSE;
        ::ReleaseCapture();
        TearOffAt(point);
        return;
    }
    if (GetCapture() == this || !m_bScrollable || m_iScrollDirection != 0)
        return;
    int nDirection = 0;
    if (m_rectScrollUp.PtInRect(point) && IsScrollUpAvailable())
        nDirection = -1;
    else if (m_rectScrollDn.PtInRect(point) && IsScrollDownAvailable())
        nDirection = 1;
    if (nDirection == 0)
        return;
    m_iScrollDirection = nDirection;
    InvalidateRect(nDirection < 0 ? &m_rectScrollUp : &m_rectScrollDn);
    SetTimer(kScrollTimer, kScrollTimerMs, nullptr);
}

void CKTPopupMenu::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!CKTToolBar::IsCustomizeMode() && !m_rectTearOffCaption.IsRectEmpty() && m_rectTearOffCaption.PtInRect(point))
    {
        m_bIsTearOffCaptionActive = TRUE;
        m_bTearOffTracking = TRUE;
        SetCapture();
        InvalidateRect(&m_rectTearOffCaption);
        return;
    }
    CMiniFrameWnd::OnLButtonDown(nFlags, point);
}

void CKTPopupMenu::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTearOffTracking)
    {
        m_bTearOffTracking = FALSE;
        ::ReleaseCapture();
    }
    if (m_bIsTearOffCaptionActive)
    {
        m_bIsTearOffCaptionActive = FALSE;
        InvalidateRect(&m_rectTearOffCaption);
    }
    CMiniFrameWnd::OnLButtonUp(nFlags, point);
}

// Shadow
// ----------------------------------------------------------------------------------------------------------------------

void CKTPopupMenu::CheckShadow()
{
    if (m_iShadowSize == 0 || CKTToolBar::IsCustomizeMode())
        return;
    CRect rectWithShadow;
    GetWindowRect(&rectWithShadow);
    CWnd* pTop = GetTopFrame();
    if (pTop == nullptr)
        pTop = GetOwner();
    CRect rectParent;
    if (pTop != nullptr && pTop->GetSafeHwnd() != nullptr)
        pTop->GetWindowRect(&rectParent);
    CRect rectUnion;
    rectUnion.UnionRect(&rectParent, &rectWithShadow);
    if (pTop == nullptr || rectUnion != rectParent)
    {
        m_iShadowSize = 0;
        SetWindowPos(nullptr, 0, 0, m_FinalSize.cx, m_FinalSize.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    pTop->UpdateWindow();
}

void CKTPopupMenu::CaptureBackground()
{
    FreeShadowImages();
    if (m_iShadowSize == 0 && m_AnimationType != ANIMATION_FADE)
        return;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (rectWindow.IsRectEmpty())
        return;
    HDC hScreen = ::GetDC(nullptr);
    CDC* pScreen = CDC::FromHandle(hScreen);
    CDC dcMem;
    if (dcMem.CreateCompatibleDC(pScreen) &&
        m_bmpScreen.CreateCompatibleBitmap(pScreen, rectWindow.Width(), rectWindow.Height()))
    {
        CBitmap* pOld = dcMem.SelectObject(&m_bmpScreen);
        dcMem.BitBlt(0, 0, rectWindow.Width(), rectWindow.Height(), pScreen, rectWindow.left, rectWindow.top, SRCCOPY);
        dcMem.SelectObject(pOld);
    }
    ::ReleaseDC(nullptr, hScreen);
}

void CKTPopupMenu::FreeShadowImages()
{
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
    m_bmpScreen.DeleteObject();
    m_bmpAnimation.DeleteObject();
    m_bAnimationImageReady = FALSE;
}

void CKTPopupMenu::RefreshAllShadows(CRect rectScreen)
{
    for (CKTPopupMenu* pPopup = m_pActivePopupMenu; pPopup != nullptr; pPopup = pPopup->GetParentPopupMenu())
    {
        if (pPopup->GetSafeHwnd() == nullptr || pPopup->m_iShadowSize == 0)
            continue;
        CRect rectWindow;
        pPopup->GetWindowRect(&rectWindow);
        const int n = pPopup->m_iShadowSize;
        const CRect rectRight(rectWindow.right - n, rectWindow.top, rectWindow.right, rectWindow.bottom);
        const CRect rectBottom(rectWindow.left, rectWindow.bottom - n, rectWindow.right, rectWindow.bottom);
        CRect rectTest;
        if (!rectTest.IntersectRect(&rectRight, &rectScreen) && !rectTest.IntersectRect(&rectBottom, &rectScreen))
            continue;
        // Shrink, let the windows below repaint, take their pixels again and grow back.
        pPopup->SetWindowPos(nullptr, 0, 0, pPopup->m_FinalSize.cx, pPopup->m_FinalSize.cy,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER);
        CWnd* pParent = pPopup->GetOwner();
        if (pParent != nullptr && pParent->GetSafeHwnd() != nullptr)
            pParent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        pPopup->CaptureBackground();
        pPopup->SetWindowPos(nullptr, 0, 0, pPopup->m_FinalSize.cx + n, pPopup->m_FinalSize.cy + n,
                             SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        pPopup->Invalidate();
    }
}

// Animation
// ----------------------------------------------------------------------------------------------------------------------

void CKTPopupMenu::StartAnimation()
{
    m_bAnimationIsDone = FALSE;
    m_AnimSize = CSize(m_FinalSize.cx + m_iShadowSize, m_FinalSize.cy + m_iShadowSize);
    if (m_AnimationType == ANIMATION_UNFOLD)
        m_AnimSize.cx = GetMenuBar()->GetColumnWidth();
    if (m_AnimationType == ANIMATION_UNFOLD || m_AnimationType == ANIMATION_SLIDE)
        m_AnimSize.cy = GetMenuBar()->GetRowHeight();
    if (m_AnimationType == ANIMATION_FADE)
        m_iFadePercent = 0;
    GetMenuBar()->ShowWindow(SW_HIDE);
    SetTimer(kAnimationTimer, kAnimationStepMs, nullptr);
    m_dwLastAnimationTick = ::GetTickCount();
}

int CKTPopupMenu::AnimationSteps(DWORD dwElapsedMs)
{
    return static_cast<int>(std::lround(static_cast<double>(dwElapsedMs) / kAnimationStepMs));
}

void CKTPopupMenu::OnAnimationTick()
{
    if (m_bAnimationIsDone)
    {
        KillTimer(kAnimationTimer);
        return;
    }
    const DWORD dwNow = ::GetTickCount();
    const int nSteps = AnimationSteps(dwNow - m_dwLastAnimationTick);
    // A tick too early for a step keeps the time it came after, or early ticks would never add
    // up to one.
    if (nSteps == 0 && m_AnimationType != ANIMATION_FADE)
        return;
    BOOL bDone = FALSE;
    switch (m_AnimationType)
    {
    case ANIMATION_UNFOLD:
        m_AnimSize.cx += nSteps * GetMenuBar()->GetColumnWidth();
        [[fallthrough]];
    case ANIMATION_SLIDE:
        m_AnimSize.cy += nSteps * GetMenuBar()->GetRowHeight();
        // Unfolding ends with whichever side is whole first.
        bDone = m_AnimSize.cy - m_iShadowSize >= m_FinalSize.cy ||
                (m_AnimationType == ANIMATION_UNFOLD && m_AnimSize.cx - m_iShadowSize >= m_FinalSize.cx);
        break;
    case ANIMATION_FADE:
        m_iFadePercent += 10;
        bDone = m_iFadePercent >= 101;
        break;
    default:
        bDone = TRUE;
        break;
    }
    if (bDone)
    {
        m_AnimSize = CSize(m_FinalSize.cx + m_iShadowSize, m_FinalSize.cy + m_iShadowSize);
        KillTimer(kAnimationTimer);
        GetMenuBar()->SetWindowPos(nullptr, 0, 0, 0, 0,
                                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        GetMenuBar()->ValidateRect(nullptr);
        m_bAnimationIsDone = TRUE;
        GetMenuBar()->Invalidate();
    }
    Invalidate();
    UpdateWindow();
    m_dwLastAnimationTick = dwNow;
}

void CKTPopupMenu::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAnimationTimer)
        OnAnimationTick();
    else if (nIDEvent == kScrollTimer)
        OnScrollTick();
    else
        CMiniFrameWnd::OnTimer(nIDEvent);
}

// Painting
// --------------------------------------------------------------------------------------------------------------------------

BOOL CKTPopupMenu::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKTPopupMenu::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (GetMenuBar()->GetSafeHwnd() != nullptr)
        LayOutScrollButtons(TRUE);
}

void CKTPopupMenu::DrawScrollButtons(CDC* pDC)
{
    const CRect rects[2] = {m_rectScrollUp, m_rectScrollDn};
    const int glyphs[2] = {CKTMenuGlyphs::IdArrowUp, CKTMenuGlyphs::IdArrowDown};
    for (int i = 0; i < 2; i++)
    {
        const CRect& rect = rects[i];
        if (rect.IsRectEmpty())
            continue;
        pDC->FillRect(&rect, &ktGlobals.m_brushBarFace);
        const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();
        CKTMenuGlyphs::Draw(
            pDC, glyphs[i],
            CPoint(rect.left + (rect.Width() - sizeGlyph.cx) / 2, rect.top + (rect.Height() - sizeGlyph.cy) / 2));
        if (m_iScrollDirection == (i == 0 ? -1 : 1))
            pDC->Draw3dRect(&rect, ktGlobals.m_colorBarShadow, ktGlobals.m_colorBarHighlight);
    }
}

void CKTPopupMenu::DrawFrameAndShadow(CDC* pDC, BOOL bWithItems)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    if (m_iShadowSize > 0 || m_AnimationType == ANIMATION_FADE)
    {
        if (m_bmpScreen.GetSafeHandle() != nullptr)
        {
            CDC dcScreen;
            dcScreen.CreateCompatibleDC(pDC);
            CBitmap* pOld = dcScreen.SelectObject(&m_bmpScreen);
            pDC->BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dcScreen, 0, 0, SRCCOPY);
            dcScreen.SelectObject(pOld);
        }
    }
    const CRect rectMenu = GetMenuRect();
    pDC->FillRect(&rectMenu, &ktGlobals.m_brushBarFace);
    CKTVisualManager::GetInstance()->OnDrawMenuBorder(pDC, this, rectMenu);
    if (m_iShadowSize > 0 && !CKTToolBar::IsCustomizeMode())
    {
        CKTDrawHelper helper(pDC);
        helper.DrawShadow(rectMenu, m_iShadowSize, 100, 65);
    }
    if (!m_rectTearOffCaption.IsRectEmpty())
        CKTVisualManager::GetInstance()->OnDrawTearOffCaption(pDC, m_rectTearOffCaption, m_bIsTearOffCaptionActive);
    DrawScrollButtons(pDC);
    if (bWithItems)
    {
        CRect rectBar;
        GetMenuBar()->GetWindowRect(&rectBar);
        ScreenToClient(&rectBar);
        const CPoint ptOld = pDC->SetViewportOrg(rectBar.TopLeft());
        const int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(0, 0, rectBar.Width(), rectBar.Height());
        GetMenuBar()->DoPaint(pDC);
        pDC->RestoreDC(nSaved);
        pDC->SetViewportOrg(ptOld);
    }
}

void CKTPopupMenu::DrawAnimationFrame(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CDC dcImage;
    dcImage.CreateCompatibleDC(pDC);
    if (!m_bAnimationImageReady)
    {
        m_bmpAnimation.DeleteObject();
        m_bmpAnimation.CreateCompatibleBitmap(pDC, rectClient.Width(), rectClient.Height());
        CBitmap* pOld = dcImage.SelectObject(&m_bmpAnimation);
        DrawFrameAndShadow(&dcImage, TRUE);
        dcImage.SelectObject(pOld);
        m_bAnimationImageReady = TRUE;
    }
    CBitmap* pOld = dcImage.SelectObject(&m_bmpAnimation);
    if (m_AnimationType == ANIMATION_FADE)
    {
        // The finished look over the screen, weighted by the fade percentage.
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(std::min(100, m_iFadePercent) * 255 / 100), 0};
        CDC dcScreen;
        dcScreen.CreateCompatibleDC(pDC);
        CBitmap bmpFrame;
        bmpFrame.CreateCompatibleBitmap(pDC, rectClient.Width(), rectClient.Height());
        CBitmap* pOldFrame = dcScreen.SelectObject(&bmpFrame);
        if (m_bmpScreen.GetSafeHandle() != nullptr)
        {
            CDC dcCaptured;
            dcCaptured.CreateCompatibleDC(pDC);
            CBitmap* pOldCaptured = dcCaptured.SelectObject(&m_bmpScreen);
            dcScreen.BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dcCaptured, 0, 0, SRCCOPY);
            dcCaptured.SelectObject(pOldCaptured);
        }
        ::GdiAlphaBlend(dcScreen.GetSafeHdc(), 0, 0, rectClient.Width(), rectClient.Height(), dcImage.GetSafeHdc(), 0,
                        0, rectClient.Width(), rectClient.Height(), blend);
        pDC->BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dcScreen, 0, 0, SRCCOPY);
        dcScreen.SelectObject(pOldFrame);
    }
    else
    {
        const int cx = std::min<int>(m_AnimSize.cx, rectClient.Width());
        const int cy = std::min<int>(m_AnimSize.cy, rectClient.Height());
        const int xSource = m_bAnimateFromLeft ? 0 : rectClient.Width() - cx;
        const int ySource = m_bAnimateFromTop ? 0 : rectClient.Height() - cy;
        pDC->BitBlt(0, 0, cx, cy, &dcImage, xSource, ySource, SRCCOPY);
    }
    dcImage.SelectObject(pOld);
}

void CKTPopupMenu::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    if (rectClient.IsRectEmpty())
        return;
    if (!m_bAnimationIsDone)
    {
        DrawAnimationFrame(&dcPaint);
        return;
    }
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dcPaint);
    CBitmap bmpMem;
    bmpMem.CreateCompatibleBitmap(&dcPaint, rectClient.Width(), rectClient.Height());
    CBitmap* pOld = dcMem.SelectObject(&bmpMem);
    DrawFrameAndShadow(&dcMem, FALSE);
    dcPaint.BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
    m_bShown = TRUE;
}
