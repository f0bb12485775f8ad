#pragma once
// The child frame around a page view: it keeps the page box's number, takes the previews the
// view hands it (the last kept for whoever shows them), shows the document name with its
// modified mark in its title, and names the Excel output file.
#include <memory>
#include <string>

#include "framework/Afx.h"
#include "table/ConvertingTableGrid.h"
#include "table/LayoutShell.h"
#include "table/ui/ChildView.h"

class CConvertingFrame : public CMDIChildWnd, public LayoutFrame
{
    DECLARE_DYNAMIC(CConvertingFrame)
public:
    void UpdateTablePreview(std::unique_ptr<ConvertingTableGrid> grid) override;
    void UpdateTextPreview(const std::wstring& text) override;
    int32_t GetCurrentPage() const override { return m_currentPage; }
    void SetCurrentPage(int32_t page) override { m_currentPage = page; }
    void GetOutputFileName(std::wstring& name) override { name = m_outputFileName; }
    void SetModified(bool modified) override;
    void SetDocumentName(const std::wstring& name) override;
    // The name shown as the title: the document's file name without its folder.
    std::wstring GetDocumentName() const override;
    HWND GetFrameWindow() const override { return m_hWnd; }

    void SetOutputFileName(const std::wstring& name) { m_outputFileName = name; }
    // The full path of the file the frame shows.
    void SetDocumentPath(const std::wstring& path) { m_documentPath = path; }
    const std::wstring& GetDocumentPath() const { return m_documentPath; }
    // The frame shows a print job's work file, a temporary file.
    void SetPrintedJob(bool printed) { m_printedJob = printed; }
    bool IsPrintedJob() const { return m_printedJob; }
    bool IsModified() const { return m_modified; }
    const ConvertingTableGrid* GetLastGrid() const { return m_lastGrid.get(); }
    const std::wstring& GetLastText() const { return m_lastText; }
    int GetTablePreviewCount() const { return m_tablePreviews; }

protected:
    void UpdateTitle();

    int32_t m_currentPage = 0;
    std::wstring m_outputFileName;
    std::wstring m_documentName;
    std::wstring m_documentPath;
    bool m_printedJob = false;
    bool m_modified = false;
    std::unique_ptr<ConvertingTableGrid> m_lastGrid;
    std::wstring m_lastText;
    int m_tablePreviews = 0;
};

class CChildFrame : public CConvertingFrame
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    // Creates the frame in the main frame's client area with its view.
    BOOL CreateWithView(CMDIFrameWnd* mainFrame, const std::wstring& title);
    CChildView& GetView() { return m_view; }

protected:
    void OnSize(UINT type, int cx, int cy);
    void OnSetFocus(CWnd* old);
    void OnDestroy();
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    DECLARE_MESSAGE_MAP()

private:
    CChildView m_view;
};
