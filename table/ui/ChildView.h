#pragma once
// The page view of a printed job: owns the open work file and the shown page's words, loads a
// work file with its saved layout, pages through it, saves it, adds further print jobs, and
// converts its table.
#include <memory>

#include "pagemodel/CDCPageImage.h"
#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/PageWordList.h"
#include "table/ui/BitmapLayoutView.h"
#include "table/ui/NoDocFileLoader.h"

class CChildView : public CBitmapLayoutView, public NoDocFileLoader
{
public:
    static constexpr UINT ViewId = 59648;

    CChildView();
    ~CChildView() override;

    // Opens the work file and shows its first page with the stored layout; false when the file
    // or its first page cannot be shown. The frame learns the path first: a question the stored
    // layout asks already names the document.
    bool LoadFile(const std::wstring& path);
    bool LoadFile(const std::wstring& path, uint32_t) override { return LoadFile(path); }
    bool GoToPage(int32_t n) override;
    int32_t GetPageCount() const override;
    int32_t GetCurrentPageNumber() const override { return m_currentPage; }
    // Writes the layout into the work file and saves it under path (empty: its own name).
    // False, after message 130, when it could not be saved.
    bool SaveDocument(const std::wstring& path = std::wstring());
    bool SaveDocumentAs();
    // Appends the pages of another job; its file is deleted only when that worked.
    bool AddPrintedFile(const std::wstring& path);
    bool Convert() override;
    // The proposed name for saving: the frame's document name without forbidden characters and
    // extension.
    std::wstring SuggestedName() const;
    std::wstring GetSuggestedName() const override { return SuggestedName(); }
    bool IsDocumentModified() const { return m_modified; }
    CDCWorkFile& GetWorkFile() { return m_workFile; }
    const PageWordList& GetWords() const { return *m_words; }

protected:
    void DrawPage(HDC dc, const RECT& destination) override;
    bool DetectColumns(bool keepFormats, bool* noWords) override;
    bool DetectRows() override;
    bool GetWord(int32_t n, ConvertingWord& word) override;
    std::unique_ptr<ConvertingTableGrid> ParseCurrentPage() override;
    void OnActionsChanged() override;

    BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    void OnConvertToCommand(UINT id);
    void OnUpdateConvertTo(CCmdUI* ui);
    void OnFileSave();
    void OnFileSaveAs();
    DECLARE_MESSAGE_MAP()

private:
    void RebuildWordOrders();
    void MarkSaved();

    CDCWorkFile m_workFile;
    std::unique_ptr<CDCPageImage> m_image;
    std::unique_ptr<PageWordList> m_words;
    int32_t m_currentPage = 0;
    bool m_loading = false;
    bool m_modified = false;
    uint64_t m_savedState = 0;
};
