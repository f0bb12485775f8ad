#pragma once
// The child frames of the main frame, in three layers: a document-less child frame that hands
// commands and the focus to its view; the table-conversion frame with its page box, its
// conversion preview bar and the name of the Excel output; and the frame of a printed work file
// with its embedded page view, its title, the save question and the print job's temporary file.
#include <memory>
#include <string>

#include "app/LockedBars.h"
#include "app/PreviewBar.h"
#include "framework/Afx.h"
#include "table/ConvertingTableGrid.h"
#include "table/LayoutShell.h"
#include "table/ui/ChildView.h"
#include "uitoolkit/bars/KTMDIChildWnd.h"

class CKTPageBoxButton;
class LayoutView;

// Posted by a child frame to the main window: it lost activation; its window is being destroyed
// (the frame is gone when this arrives, so it carries nothing of it).
constexpr UINT WM_CHILDFRAME_DEACTIVATED = WM_USER + 242;
constexpr UINT WM_CHILDFRAME_DESTROYED = WM_USER + 243;

class CNoDocChildFrame : public CKTMDIChildWnd
{
    DECLARE_DYNAMIC(CNoDocChildFrame)
public:
    static constexpr UINT ViewId = 59648;
    static constexpr UINT CloseCommand = 57602;

    // Loaded by a multi-document template (the context must carry one, else nothing is made):
    // the template's shared menu and keys, the window class with the resource's icon, an empty
    // title and the default place. A frame that fails to load has deleted itself.
    BOOL LoadFrame(UINT resourceId, DWORD defaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* parent = nullptr, CCreateContext* context = nullptr) override;

    // A close is refused while a dialog or question of the program is open (see the main frame).
    bool IsWaitingForModal() const;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    void OnSetFocus(CWnd* old);
    void OnCloseCommand();
    // The main window's title follows the active frame, and whether it is maximized.
    void OnSize(UINT type, int cx, int cy);
    void OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated);
    DECLARE_MESSAGE_MAP()
};

class CConvertingFrame : public CNoDocChildFrame, public LayoutFrame
{
    DECLARE_DYNAMIC(CConvertingFrame)
public:
    static constexpr UINT PreviewBarId = 59395;
    static constexpr UINT PreviewBarCommand = 34130;
    static constexpr UINT PreviewTitleId = 2201;
    static constexpr UINT OverwriteQuestionId = 2202;
    static constexpr int DefaultBarPercent = 30;
    static constexpr int MaxBarPercent = 80;
    static constexpr int MinBarHeight = 20;
    static constexpr UINT PageBarId = 59400;
    static constexpr UINT PageBarResourceId = 2200;
    static constexpr UINT FirstPageCommand = 34124;
    static constexpr UINT PreviousPageCommand = 34123;
    static constexpr UINT CurrentPageCommand = 34125;
    static constexpr UINT PageCountCommand = 34126;
    static constexpr UINT NextPageCommand = 34122;
    static constexpr UINT LastPageCommand = 34127;
    static constexpr int PageBoxWidth = 60;

    CConvertingFrame();
    ~CConvertingFrame() override;

    void UpdateTablePreview(std::unique_ptr<ConvertingTableGrid> grid) override;
    void UpdateTextPreview(const std::wstring& text) override;
    // The number in the page bar's box: 0 when it is empty or no number.
    int32_t GetCurrentPage() const override;
    void SetCurrentPage(int32_t page) override;
    // The Excel output's path; empty when there is none and the conversion must not go ahead.
    void GetOutputFileName(std::wstring& name) override { name = GetOutputFileName(); }
    virtual std::wstring GetOutputFileName();
    HWND GetFrameWindow() const override { return m_hWnd; }
    void SetModified(bool) override {}
    void SetDocumentName(const std::wstring&) override {}
    std::wstring GetDocumentName() const override { return std::wstring(); }

    virtual void SetDocumentPath(const std::wstring& path) { m_documentPath = path; }
    const std::wstring& GetDocumentPath() const { return m_documentPath; }
    virtual bool Find(const OxTextFindInterface& search);
    virtual void Refresh();
    virtual int32_t GetColumnMode() const;
    virtual bool HasPageToolbar() const { return true; }
    // Stores the bar's share of the frame's height, in whole percent, in the profile.
    virtual void SaveBarHeight();
    virtual std::unique_ptr<CConvertingSampleBar> CreatePreviewBar();
    // The view the frame embeds; null when it has none.
    virtual LayoutView* GetLayoutView() const { return nullptr; }

    CConvertingSampleBar* GetPreviewBar() const { return m_previewBar.get(); }
    CKTLockedToolBar& GetPageBar() { return m_pageBar; }
    // The page bar's box for the current page; null when the frame has no page bar.
    CKTPageBoxButton* GetPageBox() const;
    BOOL PreTranslateMessage(MSG* msg) override;
    void RecalcLayout(BOOL notify = TRUE) override;
    int GetFrameHeight() const { return m_frameHeight; }
    // The bar's height for a percentage of a frame height: rounded up, never under 20 pixels.
    static int BarHeightFor(int percent, int frameHeight);

protected:
    int OnCreate(LPCREATESTRUCT create);
    void OnClose();
    void OnSize(UINT type, int cx, int cy);
    void OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated);
    void OnPreviewBar();
    void OnUpdatePreviewBar(CCmdUI* ui);
    DECLARE_MESSAGE_MAP()

    // The file name the save dialog proposes and the dialog's answer; tests answer it themselves.
    virtual bool AskOutputFileName(const std::wstring& proposed, std::wstring& chosen);
    void SetBarHeight(int height);

    std::unique_ptr<CConvertingSampleBar> m_previewBar;
    CKTLockedToolBar m_pageBar;
    std::wstring m_documentPath;
    int m_frameHeight = 0;
    // The page of a frame without a page bar.
    int32_t m_currentPage = 0;

private:
    bool CreatePageBar();
    void CentrePageBar();
};

class CChildFrame : public CConvertingFrame
{
    DECLARE_DYNCREATE(CChildFrame)
public:
    static constexpr UINT SaveQuestionId = 143;
    static constexpr UINT SaveAsCommand = 57604;

    // Creates the frame in the main frame's client area with its view.
    BOOL CreateWithView(CMDIFrameWnd* mainFrame, const std::wstring& title);
    CChildView& GetView() { return m_view; }
    LayoutView* GetLayoutView() const override;

    std::wstring GetOutputFileName() override;
    using CConvertingFrame::GetOutputFileName;
    void SetDocumentPath(const std::wstring& path) override;
    void SetModified(bool modified) override;
    // The name shown in the title: the file name without its folder.
    void SetDocumentName(const std::wstring& name) override;
    std::wstring GetDocumentName() const override { return m_documentName; }
    // A print job's temporary document: closed without a question, its file deleted with the frame.
    void SetPrinted(bool printed);
    bool IsPrintedJob() const { return m_printed; }
    bool IsModified() const { return m_modified; }
    // The view's Save As; a printed job saved elsewhere becomes an ordinary document.
    bool SaveAs();

protected:
    int OnCreate(LPCREATESTRUCT create);
    void OnClose();
    void OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated);
    void OnDestroy();
    void PostNcDestroy() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    DECLARE_MESSAGE_MAP()

    void UpdateTitle();

private:
    bool m_printed = false;
    std::wstring m_documentName;
    bool m_modified = false;
    CChildView m_view;
};
