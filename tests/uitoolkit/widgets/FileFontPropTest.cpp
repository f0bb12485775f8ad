// The property list's file-name and font properties: which names and fonts they take, typing into
// their in-place editors, and their buttons opening the dialogs (answered here by the test).
#include "tests/app/DialogUser.h"
#include "tests/uitoolkit/colors/ColorTestSupport.h"
#include "uitoolkit/widgets/KTFileFontProp.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>
#include <string>
#include <vector>

namespace
{

std::wstring W(const CString& str)
{
    return std::wstring(static_cast<LPCWSTR>(str));
}

LOGFONT Font(const wchar_t* pszFace, int nPoints, LONG nWeight = FW_NORMAL)
{
    LOGFONT lf{};
    HDC hdc = ::GetDC(nullptr);
    lf.lfHeight = -::MulDiv(nPoints, ::GetDeviceCaps(hdc, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, hdc);
    lf.lfWeight = nWeight;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wcsncpy(lf.lfFaceName, pszFace, LF_FACESIZE - 1);
    return lf;
}

TEST(FileProp, NamesWithCharactersNoFileNameHoldsAreRefused)
{
    struct Case
    {
        const wchar_t* pszName;
        BOOL bTaken;
    };
    const Case cases[] = {
        {L"C:\\Reports\\March.kest", TRUE},
        {L"..\\layouts/weekly report.layout", TRUE},
        {L"", TRUE}, // no file chosen
        {L"a<b.txt", FALSE},
        {L"a>b.txt", FALSE},
        {L"\"quoted\".txt", FALSE},
        {L"a|b.txt", FALSE},
        {L"what?.txt", FALSE},
        {L"*.kest", FALSE},
        {L"tab\there.txt", FALSE},
        {L"new\nline.txt", FALSE},
        {L"unit\x1f.txt", FALSE},
        {L"rub\x7f.txt", FALSE},
    };
    const CString strStart = L"C:\\start.kest";
    for (const Case& c : cases)
    {
        const std::string label = testing::PrintToString(std::wstring(c.pszName));
        EXPECT_EQ(c.bTaken, CKTFileProp::IsValidFileName(c.pszName)) << label;

        // Set in each of the three ways: a refused name leaves the value as it was.
        CKTFileProp byName(L"File", strStart);
        EXPECT_EQ(c.bTaken, byName.SetFileName(c.pszName)) << label;
        CKTFileProp byValue(L"File", strStart);
        byValue.SetValue(COleVariant(c.pszName));
        CKTFileProp byText(L"File", strStart);
        EXPECT_EQ(c.bTaken, byText.TextToVar(c.pszName)) << label;
        const std::wstring expected = c.bTaken ? c.pszName : L"C:\\start.kest";
        for (CKTFileProp* pProp : {&byName, &byValue, &byText})
        {
            EXPECT_EQ(expected, W(pProp->GetFileName())) << label;
            EXPECT_EQ(VT_BSTR, pProp->GetValue().vt) << label;
        }
    }
    // A name refused at construction leaves the property empty; a value of another type is no name.
    EXPECT_EQ(std::wstring(), W(CKTFileProp(L"File", L"a|b").GetFileName()));
    CKTFileProp prop(L"File", strStart);
    prop.SetValue(COleVariant(5L));
    EXPECT_EQ(std::wstring(L"C:\\start.kest"), W(prop.GetFileName()));
}

TEST(FontProp, TextIsAFaceAndWholePointsInRange)
{
    struct Case
    {
        const wchar_t* pszText;
        const wchar_t* pszFace; // null: refused
        int nPoints;
    };
    const Case cases[] = {
        {L"Tahoma, 8", L"Tahoma", 8},
        {L"Courier New,12", L"Courier New", 12},
        {L"  Arial  ,  1 ", L"Arial", 1},
        {L"Arial, 1638", L"Arial", 1638},
        {L"Face, with comma, 9", L"Face, with comma", 9},
        {L"Arial, 0", nullptr, 0},
        {L"Arial, 1639", nullptr, 0},
        {L"Arial, -3", nullptr, 0},
        {L"Arial, 99999999999", nullptr, 0},
        {L"Arial, 8.5", nullptr, 0},
        {L"Arial, 8pt", nullptr, 0},
        {L"Arial, ", nullptr, 0},
        {L"Arial 8", nullptr, 0},
        {L" , 8", nullptr, 0},
        {L"", nullptr, 0},
        {L"A face name of thirty-one chars, 10", L"A face name of thirty-one chars", 10},
        {L"A face name of thirty-two chars!, 10", nullptr, 0}, // no room for it in a font record
    };
    for (const Case& c : cases)
    {
        const std::string label = testing::PrintToString(std::wstring(c.pszText));
        CKTFontProp prop(L"Font", Font(L"Tahoma", 10));
        const BOOL bTaken = prop.TextToVar(c.pszText);
        EXPECT_EQ(c.pszFace != nullptr, bTaken) << label;
        CKTFontProp set(L"Font", Font(L"Tahoma", 10));
        set.SetValue(COleVariant(c.pszText));
        for (CKTFontProp* pProp : {&prop, &set})
        {
            const std::wstring face = c.pszFace != nullptr ? c.pszFace : L"Tahoma";
            const int nPoints = c.pszFace != nullptr ? c.nPoints : 10;
            EXPECT_EQ(face, std::wstring(pProp->GetLogFont().lfFaceName)) << label;
            EXPECT_EQ(nPoints, pProp->GetPoints()) << label;
            EXPECT_EQ(face + L", " + std::to_wstring(nPoints), W(pProp->FormatProperty())) << label;
            EXPECT_EQ(W(pProp->FormatProperty()), std::wstring(pProp->GetValue().bstrVal)) << label;
        }
    }
}

TEST(FontProp, FontRecordsWithoutAFaceOrOutOfRangeAreRefused)
{
    LOGFONT noFace = Font(L"", 10);
    LOGFONT unterminated = Font(L"Tahoma", 10);
    std::wmemset(unterminated.lfFaceName, L'x', LF_FACESIZE);
    LOGFONT noHeight = Font(L"Tahoma", 10);
    noHeight.lfHeight = 0;
    LOGFONT lowest = Font(L"Tahoma", 10);
    lowest.lfHeight = LONG_MIN; // no positive counterpart
    LOGFONT cellHeight = Font(L"Arial", 12);
    cellHeight.lfHeight = -cellHeight.lfHeight; // a positive height counts as well
    struct Case
    {
        const char* pszLabel;
        LOGFONT lf;
        int nPoints; // 0: refused
    };
    const Case cases[] = {
        {"plain", Font(L"Arial", 12), 12},
        {"smallest", Font(L"Arial", 1), 1},
        {"largest", Font(L"Arial", 1638), 1638},
        {"too large", Font(L"Arial", 1700), 0},
        {"positive height", cellHeight, 12},
        {"no face", noFace, 0},
        {"face fills the record", unterminated, 0},
        {"no height", noHeight, 0},
        {"lowest height", lowest, 0},
    };
    for (const Case& c : cases)
    {
        CKTFontProp prop(L"Font", Font(L"Tahoma", 10));
        EXPECT_EQ(c.nPoints != 0, prop.SetLogFont(c.lf)) << c.pszLabel;
        EXPECT_EQ(c.nPoints != 0 ? c.nPoints : 10, prop.GetPoints()) << c.pszLabel;
        if (c.nPoints == 0)
        {
            EXPECT_EQ(std::wstring(L"Tahoma, 10"), W(prop.FormatProperty())) << c.pszLabel;
        }
    }
    // A font that cannot be shown gives way to the default GUI font at construction.
    CKTFontProp fallback(L"Font", noFace);
    EXPECT_NE(0, fallback.GetLogFont().lfFaceName[0]);
    EXPECT_GE(fallback.GetPoints(), 1);
}

// The dialogs answered by the test: each records what it was seeded with and gives the answer
// queued for it (nothing queued: cancelled).
class CScriptedFileProp : public CKTFileProp
{
public:
    using CKTFileProp::CKTFileProp;
    std::vector<std::wstring> m_seeds;
    std::vector<std::wstring> m_answers;

protected:
    BOOL DoFileDialog(CString& strPath) override
    {
        m_seeds.push_back(W(strPath));
        if (m_answers.empty())
            return FALSE;
        strPath = m_answers.front().c_str();
        m_answers.erase(m_answers.begin());
        return TRUE;
    }
};

class CScriptedFontProp : public CKTFontProp
{
public:
    using CKTFontProp::CKTFontProp;
    std::vector<std::wstring> m_seeds;
    std::vector<LOGFONT> m_answers;

protected:
    BOOL DoFontDialog(LOGFONT& lf) override
    {
        m_seeds.push_back(lf.lfFaceName);
        if (m_answers.empty())
            return FALSE;
        lf = m_answers.front();
        m_answers.erase(m_answers.begin());
        return TRUE;
    }
};

class CReportingPropList : public CKTPropList
{
public:
    mutable std::vector<CKTProp*> m_changed;
    void OnPropertyChanged(CKTProp* pProp) const override
    {
        m_changed.push_back(pProp);
        CKTPropList::OnPropertyChanged(pProp);
    }
};

class FileFontPropTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Make(CRect(120, 120, 460, 340)));
        m_host.SetForegroundWindow();
        ASSERT_TRUE(
            m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(10, 10, 310, 170), &m_host, 400));
        CKTProp* pGroup = new CKTProp(CString(L"Output"));
        m_pFile = new CScriptedFileProp(L"Work file", L"C:\\Reports\\March.kest", TRUE, L"kest", OFN_FILEMUSTEXIST,
                                        L"Work files|*.kest||");
        m_pFont = new CScriptedFontProp(L"Font", Font(L"Tahoma", 10));
        m_pSystemFile = new CKTFileProp(L"Layout", L"C:\\Layouts\\weekly.layout", TRUE, L"layout", OFN_HIDEREADONLY,
                                        L"Layouts|*.layout|All files|*.*||");
        m_pSystemFont = new CKTFontProp(L"Heading font", Font(L"Tahoma", 10));
        pGroup->AddSubItem(m_pFile);
        pGroup->AddSubItem(m_pFont);
        pGroup->AddSubItem(m_pSystemFile);
        pGroup->AddSubItem(m_pSystemFont);
        m_list.AddProperty(pGroup);
        m_list.UpdateWindow();
        PumpAndIdle();
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_host.DestroyWindow();
        PumpAndIdle();
    }
    void Click(const CPoint& ptClient)
    {
        UserInput input;
        input.MoveTo(ScreenPoint(&m_list, ptClient)).Pause(30).LeftDown().LeftUp().Pause(100);
        Play(input);
    }
    // A click on the value left of its button opens the in-place editor; the text typed there
    // replaces the value's text and Enter ends the editing.
    void TypeInto(CKTProp* pProp, const wchar_t* pszText)
    {
        Click(CPoint(pProp->GetValueRect().left + 10, pProp->GetValueRect().CenterPoint().y));
        ASSERT_NE(nullptr, pProp->GetInPlaceEditor());
        UserInput input;
        input.Press(VK_HOME).Key(VK_SHIFT, true).Press(VK_END).Key(VK_SHIFT, false);
        input.Type(pszText).Press(VK_RETURN).Pause(100);
        Play(input);
    }

    CHostWnd m_host;
    CReportingPropList m_list;
    CScriptedFileProp* m_pFile = nullptr;
    CScriptedFontProp* m_pFont = nullptr;
    // With the system's dialogs.
    CKTFileProp* m_pSystemFile = nullptr;
    CKTFontProp* m_pSystemFont = nullptr;
};

TEST_F(FileFontPropTest, ButtonsOpenTheDialogsSeededWithTheValueAndTakeTheirAnswer)
{
    // The button stands at the right end of the value, as wide as the row is high.
    const CRect rectButton = m_pFile->GetButtonRect();
    EXPECT_EQ(m_pFile->GetValueRect().right, rectButton.right);
    EXPECT_EQ(m_pFile->GetValueRect().Height(), rectButton.Width());
    EXPECT_TRUE(m_pFile->IsOpenFileDialog());
    EXPECT_EQ(std::wstring(L"kest"), W(m_pFile->GetDefExt()));
    SaveWindowShot(&m_list, L"PropListFileFont.bmp");

    m_pFile->m_answers = {L"C:\\Reports\\April.kest"};
    Click(rectButton.CenterPoint());
    ASSERT_EQ(1u, m_pFile->m_seeds.size());
    EXPECT_EQ(std::wstring(L"C:\\Reports\\March.kest"), m_pFile->m_seeds[0]);
    EXPECT_EQ(std::wstring(L"C:\\Reports\\April.kest"), W(m_pFile->GetFileName()));
    EXPECT_EQ(m_pFile, m_list.GetCurSel());
    EXPECT_EQ(nullptr, m_pFile->GetInPlaceEditor()) << "the button opens no editor";
    ASSERT_EQ(1u, m_list.m_changed.size());

    // Cancelled, or the same name chosen again: nothing changes and nothing is reported.
    Click(rectButton.CenterPoint());
    m_pFile->m_answers = {L"C:\\Reports\\April.kest"};
    Click(rectButton.CenterPoint());
    EXPECT_EQ(3u, m_pFile->m_seeds.size());
    EXPECT_EQ(std::wstring(L"C:\\Reports\\April.kest"), W(m_pFile->GetFileName()));
    EXPECT_EQ(1u, m_list.m_changed.size());

    // The font dialog: a new face, size and weight are taken; a font out of range is not.
    m_pFont->m_answers = {Font(L"Courier New", 14, FW_BOLD), Font(L"Arial", 2000)};
    Click(m_pFont->GetButtonRect().CenterPoint());
    ASSERT_EQ(1u, m_pFont->m_seeds.size());
    EXPECT_EQ(std::wstring(L"Tahoma"), m_pFont->m_seeds[0]);
    EXPECT_EQ(std::wstring(L"Courier New, 14"), W(m_pFont->FormatProperty()));
    EXPECT_EQ(FW_BOLD, m_pFont->GetLogFont().lfWeight);
    ASSERT_EQ(2u, m_list.m_changed.size());
    EXPECT_EQ(m_pFont, m_list.m_changed[1]);
    Click(m_pFont->GetButtonRect().CenterPoint());
    EXPECT_EQ(std::wstring(L"Courier New, 14"), W(m_pFont->FormatProperty()));
    Click(m_pFont->GetButtonRect().CenterPoint()); // cancelled
    EXPECT_EQ(3u, m_pFont->m_seeds.size());
    EXPECT_EQ(2u, m_list.m_changed.size());

    // Only the bold weight differs: that is a change as well.
    m_pFont->m_answers = {Font(L"Courier New", 14, FW_NORMAL)};
    Click(m_pFont->GetButtonRect().CenterPoint());
    EXPECT_EQ(FW_NORMAL, m_pFont->GetLogFont().lfWeight);
    EXPECT_EQ(3u, m_list.m_changed.size());
}

TEST_F(FileFontPropTest, TypedValuesKeepToTheirRules)
{
    // The editor leaves the button free.
    Click(CPoint(m_pFile->GetValueRect().left + 10, m_pFile->GetValueRect().CenterPoint().y));
    ASSERT_NE(nullptr, m_pFile->GetInPlaceEditor());
    CRect rectEditor;
    m_pFile->GetInPlaceEditor()->GetWindowRect(&rectEditor);
    m_list.ScreenToClient(&rectEditor);
    EXPECT_LE(rectEditor.right, m_pFile->GetButtonRect().left);
    UserInput escape;
    escape.Press(VK_ESCAPE).Pause(80);
    Play(escape);
    EXPECT_EQ(nullptr, m_pFile->GetInPlaceEditor());

    struct Case
    {
        CKTProp* pProp;
        const wchar_t* pszTyped;
        const wchar_t* pszValue;
        size_t nChanges;
    };
    const Case cases[] = {
        // Characters no file name holds (control characters too) are dropped as they are typed.
        {m_pFile, L"D:\\out<>\\re\"p|o?r*t\x02\x1f.kest", L"D:\\out\\report.kest", 1},
        {m_pFont, L"Arial, 2000", L"Tahoma, 10", 1}, // out of range: refused
        {m_pFont, L"Arial", L"Tahoma, 10", 1},       // no size
        {m_pFont, L"Arial,16", L"Arial, 16", 2},
    };
    for (const Case& c : cases)
    {
        TypeInto(c.pProp, c.pszTyped);
        EXPECT_EQ(nullptr, c.pProp->GetInPlaceEditor());
        EXPECT_EQ(std::wstring(c.pszValue), W(c.pProp->FormatProperty()))
            << testing::PrintToString(std::wstring(c.pszTyped));
        EXPECT_EQ(c.nChanges, m_list.m_changed.size()) << testing::PrintToString(std::wstring(c.pszTyped));
    }
    EXPECT_TRUE(m_pFile->m_seeds.empty() && m_pFont->m_seeds.empty()) << "typing opens no dialog";

    // Text put past the typing filter (as a paste would) is refused when the editing ends.
    Click(CPoint(m_pFile->GetValueRect().left + 10, m_pFile->GetValueRect().CenterPoint().y));
    ASSERT_NE(nullptr, m_pFile->GetInPlaceEditor());
    m_pFile->GetInPlaceEditor()->SetWindowText(L"C:\\a|b.kest");
    UserInput enter;
    enter.Press(VK_RETURN).Pause(80);
    Play(enter);
    EXPECT_EQ(std::wstring(L"D:\\out\\report.kest"), W(m_pFile->GetFileName()));
    EXPECT_EQ(2u, m_list.m_changed.size());
}

// The system's dialogs behind the buttons, answered as a user would.
TEST_F(FileFontPropTest, SystemDialogsOpenWithTheValueAndTheirAnswerIsTaken)
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring chosen = std::wstring(folder) + L"KestFilePropTest.layout";
    HANDLE file = ::CreateFileW(chosen.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ::CloseHandle(file);

    std::wstring seenName;
    {
        DialogUser user({{L"Open", [&](HWND box) {
                              HWND name = ::GetDlgItem(box, cmb13) != nullptr ? ::GetDlgItem(box, cmb13)
                                                                              : ::GetDlgItem(box, edt1);
                              seenName = TextOf(name);
                              ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(chosen.c_str()));
                              ::Click(box, IDOK);
                          }}});
        Click(m_pSystemFile->GetButtonRect().CenterPoint());
        EXPECT_FALSE(user.Missed());
    }
    EXPECT_NE(std::wstring::npos, seenName.find(L"weekly.layout")) << testing::PrintToString(seenName);
    EXPECT_EQ(0, W(m_pSystemFile->GetFileName()).compare(chosen))
        << testing::PrintToString(W(m_pSystemFile->GetFileName()));
    ASSERT_EQ(1u, m_list.m_changed.size());
    EXPECT_EQ(m_pSystemFile, m_list.m_changed[0]);

    // The font dialog shows the face; OK without a change keeps the font and reports nothing,
    // Cancel as well.
    std::wstring seenFace;
    {
        DialogUser user({{L"Font",
                          [&](HWND box) {
                              seenFace = TextOf(::GetDlgItem(box, cmb1));
                              ::Click(box, IDOK);
                          }},
                         {L"Font", [&](HWND box) { ::Click(box, IDCANCEL); }}});
        Click(m_pSystemFont->GetButtonRect().CenterPoint());
        RunMessageLoopFor(300);
        Click(m_pSystemFont->GetButtonRect().CenterPoint());
        EXPECT_FALSE(user.Missed());
    }
    EXPECT_EQ(std::wstring(L"Tahoma"), seenFace);
    EXPECT_EQ(std::wstring(L"Tahoma, 10"), W(m_pSystemFont->FormatProperty()));
    EXPECT_EQ(1u, m_list.m_changed.size());
    ::DeleteFileW(chosen.c_str());
}

} // namespace
