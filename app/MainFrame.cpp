#include "app/MainFrame.h"

void CConvertingMainFrame::SetColumnModeButton(CWnd*, int32_t kind)
{
    m_columnModeButtons.push_back(kind);
}

void CConvertingMainFrame::UpdateConvertButton(CWnd*)
{
    ++m_convertButtonUpdates;
}

void CConvertingMainFrame::RefreshAfterLayoutChange(bool)
{
    ++m_refreshes;
}

bool CConvertingMainFrame::GetFindDialogRect(RECT&) const
{
    return false;
}
