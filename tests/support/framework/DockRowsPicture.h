#pragma once
// A dock bar's rows as a line of letters, for docking tests to compare with a picture: bar
// 0xE811 + n is the capital letter n, its placeholder the small one, and '|' ends a row.
#include "framework/AfxDockBar.h"

#include <string>

inline std::string DockRowsPicture(const CDockBar* pDockBar)
{
    if (pDockBar == nullptr)
        return "(no dock bar)";
    std::string text;
    for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize(); ++i)
    {
        void* pEntry = pDockBar->m_arrBars[i];
        if (pEntry == nullptr)
            text += '|';
        else if (CDockBar::IsPlaceholder(pEntry))
            text += static_cast<char>('a' + (reinterpret_cast<UINT_PTR>(pEntry) - 0xE811));
        else
            text += static_cast<char>('A' + (static_cast<CControlBar*>(pEntry)->GetDlgCtrlID() - 0xE811));
    }
    return text;
}
