#include "framework/AfxDocTemplate.h"

#include "framework/AfxDocument.h"
#include "framework/AfxMdi.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep)
{
    rString.Empty();
    if (lpszFullString == nullptr)
        return FALSE;
    while (iSubString-- > 0)
    {
        lpszFullString = wcschr(lpszFullString, chSep);
        if (lpszFullString == nullptr)
            return FALSE;
        lpszFullString++;
    }
    LPCTSTR lpchEnd = wcschr(lpszFullString, chSep);
    int nLen = lpchEnd == nullptr ? lstrlen(lpszFullString) : (int)(lpchEnd - lpszFullString);
    rString = CString(lpszFullString, nLen);
    return TRUE;
}

CDocTemplateList::~CDocTemplateList()
{
    for (CDocTemplate* pTemplate : m_templates)
        delete pTemplate;
}

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
}

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty())
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    return AfxExtractSubString(rString, m_strDocStrings, (int)index) && !rString.IsEmpty();
}

CFrameWnd* CDocTemplate::LoadNewFrame(CDocument* pDoc, CFrameWnd* pOther, DWORD dwStyle, HMENU hMenuShared,
                                      HACCEL hAccelShared)
{
    if (m_pFrameClass == nullptr || !m_pFrameClass->IsDerivedFrom(RUNTIME_CLASS(CFrameWnd)))
        return nullptr;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    CObject* pObject = m_pFrameClass->CreateObject();
    if (pObject == nullptr)
        return nullptr;
    CFrameWnd* pFrame = static_cast<CFrameWnd*>(pObject);
    if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        static_cast<CMDIChildWnd*>(pFrame)->SetHandles(hMenuShared, hAccelShared);
    // A frame that fails to load has deleted itself.
    if (!pFrame->LoadFrame(m_nIDResource, dwStyle, nullptr, &context))
        return nullptr;
    return pFrame;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    return LoadNewFrame(pDoc, pOther, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr);
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
{
    LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    if (m_hMenuShared != nullptr)
        ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable != nullptr)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

void CMultiDocTemplate::LoadTemplate()
{
    CDocTemplate::LoadTemplate();
    if (m_nIDResource != 0 && m_hMenuShared == nullptr)
    {
        m_hMenuShared = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(m_nIDResource));
        m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(m_nIDResource));
    }
}

CFrameWnd* CMultiDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    if (m_pFrameClass == nullptr || !m_pFrameClass->IsDerivedFrom(RUNTIME_CLASS(CMDIChildWnd)))
        return CDocTemplate::CreateNewFrame(pDoc, pOther);
    // The children share the template's menu and accelerators.
    return LoadNewFrame(pDoc, pOther, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, m_hMenuShared,
                        m_hAccelTable);
}

CDocTemplate::~CDocTemplate()
{
    for (CDocument* pDoc : m_docList)
        pDoc->m_pDocTemplate = nullptr;
}

POSITION CDocTemplate::GetFirstDocPosition() const
{
    return m_docList.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

CDocument* CDocTemplate::GetNextDoc(POSITION& rPos) const
{
    // A position is the document's index plus one.
    const INT_PTR nIndex = reinterpret_cast<INT_PTR>(rPos) - 1;
    if (nIndex < 0 || nIndex >= static_cast<INT_PTR>(m_docList.size()))
    {
        rPos = nullptr;
        return nullptr;
    }
    rPos = nIndex + 1 < static_cast<INT_PTR>(m_docList.size()) ? reinterpret_cast<POSITION>(nIndex + 2) : nullptr;
    return m_docList[static_cast<size_t>(nIndex)];
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    if (pDoc == nullptr || std::find(m_docList.begin(), m_docList.end(), pDoc) != m_docList.end())
        return;
    m_docList.push_back(pDoc);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    auto it = std::find(m_docList.begin(), m_docList.end(), pDoc);
    if (it == m_docList.end())
        return;
    m_docList.erase(it);
    pDoc->m_pDocTemplate = nullptr;
}
