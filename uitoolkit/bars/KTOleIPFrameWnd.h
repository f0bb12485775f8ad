#pragma once
// The toolkit's in-place frames: the framework's two OLE in-place frames with the same toolkit
// hooks as the other toolkit frames. Nothing activates objects in place in this system; they are
// complete so that the toolkit can recognise them. Unlike main windows they load no saved state.
//
// User-interface thread only. The frame owns its frame support.

#include "framework/AfxOleFrames.h"
#include "uitoolkit/bars/KTFrameForwarding.h"

// In-place frame of a server item.
class CKTOleIPFrameWnd : public CKTFrameForwarding<COleIPFrameWnd>
{
    DECLARE_DYNCREATE(CKTOleIPFrameWnd)
public:
    CKTOleIPFrameWnd() { m_bLoadsSavedState = FALSE; }

protected:
    DECLARE_MESSAGE_MAP()
};

// In-place frame of a document server item.
class CKTOleDocIPFrameWnd : public CKTFrameForwarding<COleDocIPFrameWnd>
{
    DECLARE_DYNCREATE(CKTOleDocIPFrameWnd)
public:
    CKTOleDocIPFrameWnd() { m_bLoadsSavedState = FALSE; }

protected:
    DECLARE_MESSAGE_MAP()
};
