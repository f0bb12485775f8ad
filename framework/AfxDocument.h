// Documents and the application's document manager. The program keeps no documents of its own:
// it registers a template with the plain CDocument and asks templates and documents for their
// lists, which may well be empty.
#pragma once

#include "framework/AfxCmdTarget.h"
#include "framework/AfxString.h"

#include <vector>

class CArchive;
class CDocTemplate;
class CDocTemplateList;
class CView;

class CDocument : public CCmdTarget
{
    DECLARE_DYNCREATE(CDocument)
public:
    CDocument() = default;
    // Leaves its views and its template; the views stay (their windows own them).
    ~CDocument() override;

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    // Views in the order added; the position is null after the last.
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& rPosition) const;
    void AddView(CView* pView);
    void RemoveView(CView* pView);

    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    // Writes the document through Serialize; FALSE (and the file as it was) when that fails.
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    virtual void DeleteContents() {}
    // Saves under the document's own path; FALSE when it has none or the save fails.
    virtual BOOL DoFileSave();
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);

    CDocTemplate* m_pDocTemplate = nullptr;
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;

private:
    std::vector<CView*> m_viewList;
};

// The application's templates, reached as the document manager: it exists from the first
// template added on.
class CDocManager : public CObject
{
    DECLARE_DYNAMIC(CDocManager)
public:
    explicit CDocManager(CDocTemplateList& templates) : m_templates(templates) {}

    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& rPosition) const;
    int GetOpenDocumentCount() const;

private:
    CDocTemplateList& m_templates;
};
