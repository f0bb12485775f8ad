#include "framework/AfxDocument.h"

#include "framework/AfxArchive.h"
#include "framework/AfxDocTemplate.h"
#include "framework/AfxException.h"
#include "framework/AfxFile.h"
#include "framework/AfxView.h"
#include "framework/AfxWinApp.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CDocManager, CObject)

namespace {

// Positions in the lists here are an index plus one, so that null ends them.
template <class T>
T* NextByIndex(const std::vector<T*>& items, POSITION& rPosition)
{
    const INT_PTR nIndex = reinterpret_cast<INT_PTR>(rPosition) - 1;
    if (nIndex < 0 || nIndex >= static_cast<INT_PTR>(items.size()))
    {
        rPosition = nullptr;
        return nullptr;
    }
    rPosition = nIndex + 1 < static_cast<INT_PTR>(items.size()) ? reinterpret_cast<POSITION>(nIndex + 2) : nullptr;
    return items[static_cast<size_t>(nIndex)];
}

template <class T>
POSITION FirstByIndex(const std::vector<T*>& items)
{
    return items.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

} // namespace

CDocument::~CDocument()
{
    for (CView* pView : m_viewList)
        pView->m_pDocument = nullptr;
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle != nullptr ? lpszTitle : L"";
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    m_strPathName = lpszPathName != nullptr ? lpszPathName : L"";
    if (m_strPathName.IsEmpty())
        return;
    const int nSlash = std::max(m_strPathName.ReverseFind(L'\\'), m_strPathName.ReverseFind(L'/'));
    SetTitle(m_strPathName.Mid(nSlash + 1));
    if (bAddToMRU && AfxGetApp() != nullptr)
        AfxGetApp()->AddToRecentFileList(m_strPathName);
}

POSITION CDocument::GetFirstViewPosition() const
{
    return FirstByIndex(m_viewList);
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return NextByIndex(m_viewList, rPosition);
}

void CDocument::AddView(CView* pView)
{
    if (pView == nullptr || std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end())
        return;
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (it == m_viewList.end())
        return;
    m_viewList.erase(it);
    pView->m_pDocument = nullptr;
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFile file;
    if (lpszPathName == nullptr || !file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    DeleteContents();
    BOOL bLoaded = TRUE;
    try
    {
        CArchive ar(&file, CArchive::load);
        Serialize(ar);
        ar.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        DeleteContents();
        bLoaded = FALSE;
    }
    SetModifiedFlag(FALSE);
    return bLoaded;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr || *lpszPathName == L'\0')
        return FALSE;
    // Written beside the target first, so a failed save leaves the old file whole.
    CString strTemp = CString(lpszPathName) + L".tmp";
    BOOL bSaved = FALSE;
    {
        CFile file;
        if (!file.Open(strTemp, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive))
            return FALSE;
        try
        {
            CArchive ar(&file, CArchive::store);
            Serialize(ar);
            ar.Close();
            file.Close();
            bSaved = TRUE;
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    if (bSaved && !::MoveFileExW(strTemp, lpszPathName, MOVEFILE_REPLACE_EXISTING))
        bSaved = FALSE;
    if (!bSaved)
    {
        ::DeleteFileW(strTemp);
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::DoFileSave()
{
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString strPath = lpszPathName != nullptr ? lpszPathName : L"";
    if (strPath.IsEmpty())
        strPath = m_strPathName;
    if (strPath.IsEmpty() || !OnSaveDocument(strPath))
        return FALSE;
    if (bReplace)
        SetPathName(strPath);
    return TRUE;
}

POSITION CDocManager::GetFirstDocTemplatePosition() const
{
    return FirstByIndex(m_templates.m_templates);
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& rPosition) const
{
    return NextByIndex(m_templates.m_templates, rPosition);
}

int CDocManager::GetOpenDocumentCount() const
{
    int nCount = 0;
    for (CDocTemplate* pTemplate : m_templates.m_templates)
    {
        POSITION pos = pTemplate->GetFirstDocPosition();
        while (pos != nullptr)
        {
            if (pTemplate->GetNextDoc(pos) != nullptr)
                nCount++;
        }
    }
    return nCount;
}
