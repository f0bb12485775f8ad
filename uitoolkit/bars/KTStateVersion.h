#pragma once
// The version of the saved user-interface state that is being loaded, as the workspace reports
// it. Buttons that gained values in later versions read those values only when the stored state
// is new enough to hold them.
//
// By default the application's workspace answers (none: no workspace); a reader installed in its
// place answers instead (tests stand in for a workspace this way). User-interface thread only.
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
// Installs a reader in place of the workspace; null goes back to the workspace. Returns the
// previous reader.
KTStateVersionReader KTSetStateVersionReader(KTStateVersionReader pfnReader);
