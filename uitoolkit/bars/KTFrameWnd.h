#pragma once
// The toolkit's single-document frame: the framework's frame with the same toolkit hooks as the
// multi-document main frame (menu bar, user toolbars, tear-off bars, keys and clicks while popup
// menus are open, the toolkit's registered messages).
//
// User-interface thread only. The frame owns its frame support.

#include "framework/AfxFrame.h"
#include "uitoolkit/bars/KTFrameForwarding.h"

// The single-document frame.
class CKTFrameWnd : public CKTFrameForwarding<CFrameWnd>
{
    DECLARE_DYNCREATE(CKTFrameWnd)
public:
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    DECLARE_MESSAGE_MAP()
};
