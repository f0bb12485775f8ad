#include "driver/DriverPDEV.h"

BOOL APIENTRY DrvStartDoc(SURFOBJ* surface, LPWSTR, DWORD) { return PDEVFromSurface(surface) ? TRUE : FALSE; }
BOOL APIENTRY DrvStartPage(SURFOBJ* surface) { return PDEVFromSurface(surface) ? TRUE : FALSE; }
BOOL APIENTRY DrvSendPage(SURFOBJ* surface) { return PDEVFromSurface(surface) ? TRUE : FALSE; }
BOOL APIENTRY DrvEndDoc(SURFOBJ* surface, FLONG) { return PDEVFromSurface(surface) ? TRUE : FALSE; }
BOOL APIENTRY DrvTextOut(SURFOBJ* surface, STROBJ* s, FONTOBJ* f, CLIPOBJ* c, RECTL* e, RECTL* o, BRUSHOBJ* b,
                         BRUSHOBJ* ob, POINTL* p, MIX m)
{
    return EngTextOut(surface, s, f, c, e, o, b, ob, p, m);
}
