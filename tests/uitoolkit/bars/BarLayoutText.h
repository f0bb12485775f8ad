#pragma once
// A toolbar's buttons as one line of text, so that a test compares a bar with the line it expects:
// command ids in order, "|" for a separator and ">>" for the bar's customize button.
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarButton.h"

#include <initializer_list>
#include <string>

// customizeButton: the class of the bar's customize button, when the bar has one.
inline std::string BarLayout(const CKTToolBar& bar, CRuntimeClass* customizeButton = nullptr)
{
    std::string s;
    for (int i = 0; i < bar.GetCount(); i++)
    {
        const CKTToolbarButton* p = bar.GetButton(i);
        if (!s.empty())
            s += ' ';
        if (customizeButton && p->IsKindOf(customizeButton))
            s += ">>";
        else
            s += p->IsSeparator() ? std::string("|") : std::to_string(p->m_nID);
    }
    return s;
}

// The expected line: 0 stands for a separator, 1 for the customize button.
inline std::string BarIds(std::initializer_list<UINT> ids)
{
    std::string s;
    for (UINT id : ids)
    {
        if (!s.empty())
            s += ' ';
        s += id == 0 ? std::string("|") : id == 1 ? std::string(">>") : std::to_string(id);
    }
    return s;
}
