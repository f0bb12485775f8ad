#include "framework/AfxDockState.h"

#include "framework/AfxThread.h"
#include "framework/AfxWinApp.h"

IMPLEMENT_DYNAMIC(CDockState, CObject)

namespace
{

CString SectionName(LPCTSTR lpszProfileName, int nIndex)
{
    CString strSection;
    if (nIndex < 0)
        strSection.Format(L"%s-Summary", lpszProfileName);
    else
        strSection.Format(L"%s-Bar%d", lpszProfileName, nIndex);
    return strSection;
}

// A value that is not there reads as nMissing, so that a record without it counts as damaged.
const int kMissing = INT_MIN;

int ReadInt(LPCTSTR lpszSection, LPCTSTR lpszEntry)
{
    return static_cast<int>(AfxGetApp()->GetProfileInt(lpszSection, lpszEntry, kMissing));
}

} // namespace

CControlBarInfo::CControlBarInfo()
{
    m_rectMRUDockPos.SetRectEmpty();
}

BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex)
{
    CWinApp* pApp = AfxGetApp();
    CString strSection = SectionName(lpszProfileName, nIndex);
    // The old record goes first: a shorter list must not keep entries of a longer one.
    pApp->WriteProfileString(strSection, nullptr, nullptr);
    BOOL bOk = pApp->WriteProfileInt(strSection, L"BarID", static_cast<int>(m_nBarID));
    bOk &= pApp->WriteProfileInt(strSection, L"Visible", m_bVisible ? 1 : 0);
    bOk &= pApp->WriteProfileInt(strSection, L"Horz", m_bHorz ? 1 : 0);
    bOk &= pApp->WriteProfileInt(strSection, L"Floating", m_bFloating ? 1 : 0);
    bOk &= pApp->WriteProfileInt(strSection, L"XPos", m_pointPos.x);
    bOk &= pApp->WriteProfileInt(strSection, L"YPos", m_pointPos.y);
    bOk &= pApp->WriteProfileInt(strSection, L"MRUWidth", static_cast<int>(m_nMRUWidth));
    bOk &= pApp->WriteProfileInt(strSection, L"Docking", m_bDocking ? 1 : 0);
    if (m_bDocking)
    {
        bOk &= pApp->WriteProfileInt(strSection, L"MRUDockID", static_cast<int>(m_uMRUDockID));
        bOk &= pApp->WriteProfileInt(strSection, L"MRUDockLeftPos", m_rectMRUDockPos.left);
        bOk &= pApp->WriteProfileInt(strSection, L"MRUDockTopPos", m_rectMRUDockPos.top);
        bOk &= pApp->WriteProfileInt(strSection, L"MRUDockRightPos", m_rectMRUDockPos.right);
        bOk &= pApp->WriteProfileInt(strSection, L"MRUDockBottomPos", m_rectMRUDockPos.bottom);
        bOk &= pApp->WriteProfileInt(strSection, L"MRUFloatStyle", static_cast<int>(m_dwMRUFloatStyle));
        bOk &= pApp->WriteProfileInt(strSection, L"MRUFloatXPos", m_ptMRUFloatPos.x);
        bOk &= pApp->WriteProfileInt(strSection, L"MRUFloatYPos", m_ptMRUFloatPos.y);
    }
    bOk &= pApp->WriteProfileInt(strSection, L"Bars", static_cast<int>(m_arrBarID.GetSize()));
    for (INT_PTR i = 0; i < m_arrBarID.GetSize(); ++i)
    {
        CString strEntry;
        strEntry.Format(L"Bar#%d", static_cast<int>(i));
        bOk &= pApp->WriteProfileInt(strSection, strEntry, static_cast<int>(m_arrBarID[i]));
    }
    return bOk;
}

BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState)
{
    CString strSection = SectionName(lpszProfileName, nIndex);
    int nBarID = ReadInt(strSection, L"BarID");
    int nVisible = ReadInt(strSection, L"Visible");
    int nHorz = ReadInt(strSection, L"Horz");
    int nFloating = ReadInt(strSection, L"Floating");
    int nX = ReadInt(strSection, L"XPos");
    int nY = ReadInt(strSection, L"YPos");
    int nMRUWidth = ReadInt(strSection, L"MRUWidth");
    int nDocking = ReadInt(strSection, L"Docking");
    int nBars = ReadInt(strSection, L"Bars");
    // Control ids are 16-bit and non-zero; flags are 0 or 1; the list is bounded before it is read.
    if (nBarID <= 0 || nBarID > 0xFFFF || (nVisible & ~1) != 0 || (nHorz & ~1) != 0 || (nFloating & ~1) != 0 ||
        nX == kMissing || nY == kMissing || nMRUWidth < 0 || (nDocking & ~1) != 0 || nBars < 0 ||
        nBars > CDockState::kMaxBarIDs)
        return FALSE;
    m_nBarID = static_cast<UINT>(nBarID);
    m_bVisible = nVisible;
    m_bHorz = nHorz;
    m_bFloating = nFloating;
    m_pointPos = CPoint(nX, nY);
    m_nMRUWidth = static_cast<UINT>(nMRUWidth);
    m_bDocking = nDocking;
    m_bDockBar = m_nBarID >= AFX_IDW_DOCKBAR_TOP && m_nBarID <= AFX_IDW_DOCKBAR_FLOAT;
    if (m_bDocking)
    {
        int nDockID = ReadInt(strSection, L"MRUDockID");
        CRect rect(ReadInt(strSection, L"MRUDockLeftPos"), ReadInt(strSection, L"MRUDockTopPos"),
                   ReadInt(strSection, L"MRUDockRightPos"), ReadInt(strSection, L"MRUDockBottomPos"));
        int nFloatStyle = ReadInt(strSection, L"MRUFloatStyle");
        CPoint ptFloat(ReadInt(strSection, L"MRUFloatXPos"), ReadInt(strSection, L"MRUFloatYPos"));
        if (nDockID < 0 || nDockID > 0xFFFF || rect.left == kMissing || rect.top == kMissing ||
            rect.right == kMissing || rect.bottom == kMissing || nFloatStyle == kMissing || ptFloat.x == kMissing ||
            ptFloat.y == kMissing)
            return FALSE;
        m_uMRUDockID = static_cast<UINT>(nDockID);
        m_rectMRUDockPos = rect;
        m_dwMRUFloatStyle = static_cast<DWORD>(nFloatStyle) & CBRS_ALL;
        m_ptMRUFloatPos = ptFloat;
        pDockState->ScaleRectPos(m_rectMRUDockPos);
        // A negative position means "never floated" and stays so.
        if (m_ptMRUFloatPos.x >= 0 && m_ptMRUFloatPos.y >= 0)
        {
            pDockState->ScalePoint(m_ptMRUFloatPos);
            pDockState->ClipFloatingPos(m_ptMRUFloatPos);
        }
    }
    m_arrBarID.RemoveAll();
    for (int i = 0; i < nBars; ++i)
    {
        CString strEntry;
        strEntry.Format(L"Bar#%d", i);
        int nID = ReadInt(strSection, strEntry);
        if (nID < 0 || (static_cast<DWORD>(nID) & ~(kPlaceholderFlag | 0xFFFF)) != 0)
            return FALSE;
        m_arrBarID.Add(static_cast<DWORD>(nID));
    }
    pDockState->ScalePoint(m_pointPos);
    if (m_bFloating)
        pDockState->ClipFloatingPos(m_pointPos);
    return TRUE;
}

CDockState::CDockState()
{
    m_rectDevice.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    m_rectClip = m_rectDevice;
    m_rectClip.right -= ::GetSystemMetrics(SM_CXICON);
    m_rectClip.bottom -= ::GetSystemMetrics(SM_CYICON);
    m_sizeSaved = m_rectDevice.Size();
}

CDockState::~CDockState()
{
    Clear();
}

void CDockState::Clear()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        delete static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
    m_arrBarInfo.RemoveAll();
}

void CDockState::ScalePoint(CPoint& pt) const
{
    CSize sizeDevice = m_rectDevice.Size();
    if (m_sizeSaved.cx > 0 && m_sizeSaved.cx != sizeDevice.cx)
        pt.x = ::MulDiv(pt.x, sizeDevice.cx, m_sizeSaved.cx);
    if (m_sizeSaved.cy > 0 && m_sizeSaved.cy != sizeDevice.cy)
        pt.y = ::MulDiv(pt.y, sizeDevice.cy, m_sizeSaved.cy);
}

void CDockState::ScaleRectPos(CRect& rect) const
{
    // The position moves with the screen; the size is the bar's own.
    CPoint pt = rect.TopLeft();
    ScalePoint(pt);
    rect.OffsetRect(pt - rect.TopLeft());
}

void CDockState::ClipFloatingPos(CPoint& pt) const
{
    if (m_rectClip.IsRectEmpty())
        return;
    if (pt.x < m_rectClip.left)
        pt.x = m_rectClip.left;
    if (pt.x > m_rectClip.right)
        pt.x = m_rectClip.right;
    if (pt.y < m_rectClip.top)
        pt.y = m_rectClip.top;
    if (pt.y > m_rectClip.bottom)
        pt.y = m_rectClip.bottom;
}

void CDockState::SaveState(LPCTSTR lpszProfileName)
{
    CWinApp* pApp = AfxGetApp();
    CString strSummary = SectionName(lpszProfileName, -1);
    int nSaved = 0;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
    {
        auto* pInfo = static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
        if (pInfo->SaveState(lpszProfileName, nSaved))
            ++nSaved;
    }
    pApp->WriteProfileInt(strSummary, L"Bars", nSaved);
    pApp->WriteProfileInt(strSummary, L"ScreenCX", m_rectDevice.Width());
    pApp->WriteProfileInt(strSummary, L"ScreenCY", m_rectDevice.Height());
}

void CDockState::LoadState(LPCTSTR lpszProfileName)
{
    Clear();
    CString strSummary = SectionName(lpszProfileName, -1);
    int nBars = ReadInt(strSummary, L"Bars");
    int cxSaved = ReadInt(strSummary, L"ScreenCX");
    int cySaved = ReadInt(strSummary, L"ScreenCY");
    if (nBars <= 0 || nBars > kMaxBars || cxSaved <= 0 || cySaved <= 0)
        return;
    m_sizeSaved = CSize(cxSaved, cySaved);
    for (int i = 0; i < nBars; ++i)
    {
        auto* pInfo = new CControlBarInfo;
        if (!pInfo->LoadState(lpszProfileName, i, this))
        {
            // One damaged record makes the whole state unusable: half a layout would be worse.
            delete pInfo;
            Clear();
            return;
        }
        m_arrBarInfo.Add(pInfo);
    }
}
