#include "framework/AfxOleFrames.h"

IMPLEMENT_DYNAMIC(COleClientItem, CCmdTarget)
IMPLEMENT_DYNCREATE(COleDocument, CDocument)
IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(COleDocIPFrameWnd, COleIPFrameWnd)

COleClientItem* COleDocument::GetInPlaceActiveItem(CWnd*)
{
    return nullptr;  // this framework activates no item in place
}

COleClientItem* AFXAPI AfxGetActiveOleItem(CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return nullptr;
    CDocument* pDoc = pFrame->GetActiveDocument();
    if (pDoc == nullptr || !pDoc->IsKindOf(RUNTIME_CLASS(COleDocument)))
        return nullptr;
    return static_cast<COleDocument*>(pDoc)->GetInPlaceActiveItem(pFrame->GetActiveView());
}
