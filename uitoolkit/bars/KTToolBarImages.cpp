#include "uitoolkit/bars/KTToolBar.h"

BOOL CKTToolBar::GetDefaultImage(UINT, int& iImage)
{
    iImage = -1;
    return FALSE;
}

CKTImageStrip* CKTToolBar::GetListItemImages(BOOL)
{
    return nullptr;
}
