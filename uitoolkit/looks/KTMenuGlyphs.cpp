#include "uitoolkit/looks/KTMenuGlyphs.h"

#include "uitoolkit/looks/KTLooksResources.h"

namespace
{
const COLORREF kGlyphBackground = RGB(255, 0, 255);
}

CKTImageStrip& CKTMenuGlyphs::Strip()
{
    static CKTImageStrip strip;
    return strip;
}

BOOL CKTMenuGlyphs::Initialize()
{
    CKTImageStrip& strip = Strip();
    if (strip.GetCount() > 0)
        return TRUE;
    strip.SetImageSize(CSize(9, 9));
    if (!strip.Load(IDB_KT_MENU_IMAGES, AfxGetResourceHandle(), FALSE))
        return FALSE;
    // Load has mapped the standard greys to the user's colours already; mapping again would
    // turn a user colour that equals another standard grey into that grey's colour.
    strip.SetTransparentColor(kGlyphBackground);
    return TRUE;
}

void CKTMenuGlyphs::Draw(CDC* pDC, int iGlyph, CPoint ptImage, CSize sizeDest)
{
    if (pDC == nullptr || !Initialize())
        return;
    CKTImageStrip& strip = Strip();
    CKTDrawState ds;
    if (!strip.PrepareDrawImage(ds, sizeDest))
        return;
    strip.Draw(pDC, ptImage.x, ptImage.y, iGlyph);
    strip.EndDrawImage(ds);
}

void CKTMenuGlyphs::CleanUp()
{
    CKTImageStrip& strip = Strip();
    if (strip.GetCount() > 0)
        strip.Clear();
}
