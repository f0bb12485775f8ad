// Document templates: the resources (menu, accelerators, strings) shared by one kind of window.
#pragma once

#include "framework/AfxCmdTarget.h"
#include "framework/AfxString.h"

#include <vector>

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
public:
    // Substrings of the template's string resource, separated by '\n'.
    enum DocStringIndex
    {
        windowTitle,     // main window title
        docName,         // default document name
        fileNewName,     // name in the File New dialog
        filterName,      // open-file filter name
        filterExt,       // open-file filter extension
        regFileTypeId,   // registry file type id
        regFileTypeName  // registry file type name
    };

    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass, CRuntimeClass* pViewClass);
    // Documents still open leave the template (they are not deleted with it).
    ~CDocTemplate() override;

    // The template's open documents in the order added; the position is null after the last.
    virtual POSITION GetFirstDocPosition() const;
    virtual CDocument* GetNextDoc(POSITION& rPos) const;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

    virtual void LoadTemplate();
    // FALSE (and an empty string) when the substring is missing or empty.
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;
    // Creates a frame of the template's frame class with its view class (NULL on failure).
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);

    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;

protected:
    std::vector<CDocument*> m_docList;

    // Creates and loads a frame of the template's classes; MDI children get the shared handles.
    CFrameWnd* LoadNewFrame(CDocument* pDoc, CFrameWnd* pOther, DWORD dwStyle, HMENU hMenuShared, HACCEL hAccelShared);
};

class CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    ~CMultiDocTemplate() override;

    void LoadTemplate() override;
    CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther) override;

    HMENU m_hMenuShared = nullptr;   // the menu of this template's child frames
    HACCEL m_hAccelTable = nullptr;
    UINT m_nUntitledCount = 0;
};

// The application's templates; deletes them when the application goes.
class CDocTemplateList
{
public:
    CDocTemplateList() = default;
    ~CDocTemplateList();
    CDocTemplateList(const CDocTemplateList&) = delete;
    CDocTemplateList& operator=(const CDocTemplateList&) = delete;

    std::vector<CDocTemplate*> m_templates;
};

// Copies the iSubString-th piece of lpszFullString (pieces separated by chSep) into rString.
BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep = L'\n');
