// Documents as the program meets them: a template of the plain document class, the application's
// document manager from the first template on, views joining and leaving their document, and a
// save that writes the whole document or leaves the old file as it was.
#include "WindowsTestSupport.h"
#include "TestResource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

class CNumberDocument : public CDocument
{
public:
    LONG m_nValue = 0;
    BOOL m_bFailSave = FALSE;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << m_nValue;
            if (m_bFailSave)
                AfxThrowArchiveException(CArchiveException::genericException);
        }
        else
        {
            ar >> m_nValue;
        }
    }
};

class CPlainView : public CView
{
    DECLARE_DYNCREATE(CPlainView)
};
IMPLEMENT_DYNCREATE(CPlainView, CView)

std::wstring TempFile(const wchar_t* name)
{
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

std::string FileBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(DocumentTest, ApplicationHasADocumentManagerFromItsFirstTemplate)
{
    auto* pTemplate = new CMultiDocTemplate(IDR_TESTCHILD, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CMDIChildWnd),
                                            RUNTIME_CLASS(CPlainView));
    EXPECT_TRUE(RUNTIME_CLASS(CDocument)->IsDerivedFrom(RUNTIME_CLASS(CCmdTarget)));
    TestApp().AddDocTemplate(pTemplate);
    ASSERT_NE(TestApp().m_pDocManager, nullptr);
    CDocTemplate* pFound = nullptr;
    POSITION pos = TestApp().m_pDocManager->GetFirstDocTemplatePosition();
    while (pos != nullptr)
        pFound = TestApp().m_pDocManager->GetNextDocTemplate(pos);
    EXPECT_EQ(pFound, pTemplate);
    // The program keeps no documents: every list is empty, and asking is safe.
    EXPECT_EQ(pTemplate->GetFirstDocPosition(), nullptr);
    EXPECT_EQ(TestApp().m_pDocManager->GetOpenDocumentCount(), 0);
    EXPECT_TRUE(TestApp().Enable3dControlsStatic());
}

TEST(DocumentTest, ViewsJoinTheirDocumentAndLeaveWithTheirWindow)
{
    CNumberDocument document;
    CMultiDocTemplate docTemplate(IDR_TESTCHILD, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CFrameWnd),
                                  RUNTIME_CLASS(CPlainView));
    docTemplate.AddDocument(&document);
    EXPECT_EQ(document.GetDocTemplate(), &docTemplate);
    POSITION pos = docTemplate.GetFirstDocPosition();
    EXPECT_EQ(docTemplate.GetNextDoc(pos), &document);
    EXPECT_EQ(pos, nullptr);

    CFrameWnd* pFrame = new CFrameWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CPlainView);
    context.m_pCurrentDoc = &document;
    ASSERT_TRUE(pFrame->Create(nullptr, L"document", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, nullptr, nullptr, 0,
                               &context));
    pos = document.GetFirstViewPosition();
    CView* pView = document.GetNextView(pos);
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pos, nullptr);
    EXPECT_EQ(pView->GetDocument(), &document);
    pFrame->DestroyWindow();
    EXPECT_EQ(document.GetFirstViewPosition(), nullptr);
    docTemplate.RemoveDocument(&document);
    EXPECT_EQ(docTemplate.GetFirstDocPosition(), nullptr);
}

TEST(DocumentTest, SaveWritesTheDocumentOrLeavesTheOldFile)
{
    CNumberDocument document;
    EXPECT_FALSE(document.DoFileSave()) << "a document without a path has nowhere to go";

    const std::wstring path = TempFile(L"kest-document-test.bin");
    document.m_nValue = 0x01020304;
    document.SetModifiedFlag();
    ASSERT_TRUE(document.DoSave(path.c_str()));
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(document.GetPathName(), CString(path.c_str()));
    EXPECT_EQ(document.GetTitle(), CString(L"kest-document-test.bin"));
    const std::string saved = FileBytes(path);
    EXPECT_EQ(saved, std::string("\x04\x03\x02\x01", 4));

    document.m_nValue = 7;
    document.m_bFailSave = TRUE;
    document.SetModifiedFlag();
    EXPECT_FALSE(document.DoFileSave());
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(FileBytes(path), saved);
    EXPECT_EQ(::GetFileAttributesW((path + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);

    CNumberDocument reloaded;
    ASSERT_TRUE(reloaded.OnOpenDocument(path.c_str()));
    EXPECT_EQ(reloaded.m_nValue, 0x01020304);
    ::DeleteFileW(path.c_str());
}

} // namespace

namespace {

// The in-place classes exist by their run-time classes; a frame whose active document is an OLE
// document has no item active in place, and one without documents none either.
TEST(DocumentTest, InPlaceFramesAndItemsAnswerNone)
{
    const struct
    {
        CRuntimeClass* m_pClass;
        CRuntimeClass* m_pBase;
    } classes[] = {{RUNTIME_CLASS(COleIPFrameWnd), RUNTIME_CLASS(CFrameWnd)},
                   {RUNTIME_CLASS(COleDocIPFrameWnd), RUNTIME_CLASS(COleIPFrameWnd)},
                   {RUNTIME_CLASS(COleDocument), RUNTIME_CLASS(CDocument)}};
    for (const auto& entry : classes)
    {
        EXPECT_TRUE(entry.m_pClass->IsDerivedFrom(entry.m_pBase)) << entry.m_pClass->m_lpszClassName;
        CObject* pObject = entry.m_pClass->CreateObject();
        ASSERT_NE(pObject, nullptr) << entry.m_pClass->m_lpszClassName;
        EXPECT_TRUE(pObject->IsKindOf(entry.m_pClass));
        delete pObject;
    }

    COleDocument document;
    CFrameWnd* pFrame = new CFrameWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CPlainView);
    context.m_pCurrentDoc = &document;
    ASSERT_TRUE(pFrame->Create(nullptr, L"ole", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, nullptr, nullptr, 0,
                               &context));
    POSITION pos = document.GetFirstViewPosition();
    pFrame->SetActiveView(document.GetNextView(pos));
    EXPECT_EQ(pFrame->GetActiveDocument(), &document);
    EXPECT_EQ(AfxGetActiveOleItem(pFrame), nullptr);
    CPrintPreviewState state;
    pFrame->OnSetPreviewMode(TRUE, &state);
    pFrame->OnSetPreviewMode(FALSE, &state);
    pFrame->DestroyWindow();
    EXPECT_EQ(AfxGetActiveOleItem(nullptr), nullptr);
}

} // namespace
