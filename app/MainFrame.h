#pragma once
// The least of the main frame that the page views need before the toolkit's bars exist: the
// mode and convert buttons and the refresh are recorded, there is no find dialog yet, and the
// frame holds the search that Find Next reads.
#include <vector>

#include "framework/Afx.h"
#include "table/LayoutShell.h"

class CConvertingMainFrame : public CMDIFrameWnd, public OxTextFindInterface
{
public:
    void SetColumnModeButton(CWnd* frame, int32_t kind);
    void UpdateConvertButton(CWnd* frame);
    void RefreshAfterLayoutChange(bool flag);
    bool GetFindDialogRect(RECT& rect) const;
    void MoveFindDialogAway() {}

    std::vector<int32_t> m_columnModeButtons;
    int m_convertButtonUpdates = 0;
    int m_refreshes = 0;
};
