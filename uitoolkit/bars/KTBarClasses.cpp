#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTStatusBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"

IMPLEMENT_DYNAMIC(CKTToolbarMenuButton, CKTToolbarButton)
IMPLEMENT_DYNAMIC(CKTShowAllButton, CKTToolbarMenuButton)
