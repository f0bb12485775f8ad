#pragma once
// The version of the saved user-interface state that is being loaded, as the workspace reports
// it. Buttons that gained values in later versions read those values only when the stored state
// is new enough to hold them.
//
// The workspace installs a reader; until one is installed there is no workspace. User-interface
// thread only.
#include "framework/Afx.h"

struct KTStateVersion
{
    BOOL m_bWorkspace = FALSE;
    // -1 when the workspace has read no version.
    int m_nMajor = -1;
    int m_nMinor = -1;

    // A known version below major.minor (FALSE without a workspace or without a version).
    BOOL IsKnownAndBefore(int nMajor, int nMinor) const
    {
        return m_bWorkspace && m_nMajor != -1 && (m_nMajor < nMajor || (m_nMajor == nMajor && m_nMinor < nMinor));
    }
};

using KTStateVersionReader = KTStateVersion (*)();

KTStateVersion KTGetLoadingStateVersion();
// Installs the workspace's reader; null removes it. Returns the previous reader.
KTStateVersionReader KTSetStateVersionReader(KTStateVersionReader pfnReader);
