// CDockState: where a frame's bars are (docked rows, floating frames, visibility), saved to and
// loaded from the application profile. CControlBarInfo is one bar's record.
#pragma once

#include "framework/AfxColl.h"
#include "framework/AfxControlBar.h"

class CDockState;

class CControlBarInfo
{
public:
    CControlBarInfo();

    UINT m_nBarID = 0;
    BOOL m_bVisible = TRUE;
    BOOL m_bFloating = FALSE;
    BOOL m_bHorz = TRUE;
    BOOL m_bDockBar = FALSE;
    CPoint m_pointPos; // docked: in the dock bar; floating: the frame on the screen
    UINT m_nMRUWidth = 32767;
    BOOL m_bDocking = FALSE; // the bar has a dock context, whose memory follows
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;
    // A dock bar's rows: bar ids, 0 ending a row, placeholders as id | kPlaceholderFlag.
    CDWordArray m_arrBarID;
    CControlBar* m_pBar = nullptr; // found when the state is applied

    static const DWORD kPlaceholderFlag = 0x10000;

    BOOL SaveState(LPCTSTR lpszProfileName, int nIndex);
    // FALSE when the record is missing or damaged.
    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState);
};

class CDockState : public CObject
{
    DECLARE_DYNAMIC(CDockState)
public:
    CDockState();
    ~CDockState() override;
    CDockState(const CDockState&) = delete;
    CDockState& operator=(const CDockState&) = delete;

    CPtrArray m_arrBarInfo; // CControlBarInfo*, owned
    // The screen the positions belong to, and the part of it floating frames are kept inside.
    // Both start as the primary screen; states saved on another screen size are scaled to this one.
    CRect m_rectDevice;
    CRect m_rectClip;

    // Sections "<profile>-Summary" and "<profile>-Bar<n>". A missing or damaged state loads as an
    // empty one (no bars), which leaves a frame's bars as they are.
    void LoadState(LPCTSTR lpszProfileName);
    void SaveState(LPCTSTR lpszProfileName);
    void Clear();
    DWORD GetVersion() const { return 1; }

    // Bounds on what a profile may claim, checked before anything is allocated.
    static const int kMaxBars = 1024;
    static const int kMaxBarIDs = 4096;

    // Scaling from the saved screen to m_rectDevice.
    CSize m_sizeSaved;
    void ScalePoint(CPoint& pt) const;
    void ScaleRectPos(CRect& rect) const;
    void ClipFloatingPos(CPoint& pt) const;
};
