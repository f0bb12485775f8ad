#include "framework/Afx.h"

#include <gtest/gtest.h>

TEST(CStringTest, ExtractsClampedSubstrings)
{
    const CString s(_T("Invoice.kest"));
    struct Case { CString got; LPCTSTR want; } cases[] = {
        {s.Left(7), _T("Invoice")},   {s.Left(-1), _T("")},      {s.Left(99), _T("Invoice.kest")},
        {s.Mid(8), _T("kest")},       {s.Mid(8, 2), _T("ke")},   {s.Mid(20), _T("")},
        {s.Mid(-3, 2), _T("In")},     {s.Mid(10, 9), _T("st")},  {s.Right(4), _T("kest")},
        {s.Right(50), _T("Invoice.kest")}, {s.Right(0), _T("")},
        {s.SpanIncluding(_T("Inov")), _T("Invo")}, {s.SpanExcluding(_T(".")), _T("Invoice")},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.want, c.got);
}

TEST(CStringTest, SearchesAndEdits)
{
    CString s(_T("a.b.c"));
    EXPECT_EQ(1, s.Find(L'.'));
    EXPECT_EQ(3, s.Find(L'.', 2));
    EXPECT_EQ(-1, s.Find(L'.', 9));
    EXPECT_EQ(3, s.ReverseFind(L'.'));
    EXPECT_EQ(2, s.Find(_T("b.c")));
    EXPECT_EQ(-1, s.Find(_T("x")));
    EXPECT_EQ(2, s.Replace(_T("."), _T("::")));
    EXPECT_STREQ(_T("a::b::c"), s);
    EXPECT_EQ(4, s.Remove(L':'));
    EXPECT_STREQ(_T("abc"), s);
    EXPECT_EQ(0, s.Replace(_T(""), _T("x")));

    CString t(_T("  Mixed Case\t"));
    t.Trim();
    EXPECT_STREQ(_T("Mixed Case"), t);
    EXPECT_STREQ(_T("MIXED CASE"), CString(t).MakeUpper());
    EXPECT_STREQ(_T("mixed case"), CString(t).MakeLower());
    EXPECT_EQ(0, t.CompareNoCase(_T("MIXED case")));
    EXPECT_LT(t.Compare(_T("Mixed Casf")), 0);

    int start = 0;
    CString list(_T(",one,,two"));
    EXPECT_STREQ(_T("one"), list.Tokenize(_T(","), start));
    EXPECT_STREQ(_T("two"), list.Tokenize(_T(","), start));
    EXPECT_STREQ(_T(""), list.Tokenize(_T(","), start));
    EXPECT_EQ(-1, start);
}

TEST(CStringTest, FormatsWideAndNarrowArgumentsIncludingItself)
{
    CString s;
    s.Format(_T("%s-%d-%S-%04X"), _T("wide"), -7, "narrow", 0xBEEFu);
    EXPECT_STREQ(_T("wide--7-narrow-BEEF"), s);
    s.Format(_T("[%s]"), static_cast<LPCTSTR>(s));
    EXPECT_STREQ(_T("[wide--7-narrow-BEEF]"), s);
    CString longText(L'x', 5000);
    s.Format(_T("%s!"), static_cast<LPCTSTR>(longText));
    EXPECT_EQ(5001, s.GetLength());
    s.AppendFormat(_T("%d"), 42);
    EXPECT_STREQ(_T("42"), s.Right(2));

    // String objects passed straight to the format travel as their text.
    CString name(_T("Invoice")), path;
    path.Format(_T("%s\\%s.%s"), name, CString(_T("jobs")), _T("kest"));
    EXPECT_STREQ(_T("Invoice\\jobs.kest"), path);
    path.AppendFormat(_T(" %s=%.1f"), name, 2.5f);
    EXPECT_STREQ(_T("Invoice\\jobs.kest Invoice=2.5"), path);
}

TEST(CStringTest, BufferAccessTakesTheWrittenLength)
{
    CString s(_T("old"));
    LPTSTR p = s.GetBuffer(MAX_PATH);
    lstrcpy(p, _T("C:\\Temp"));
    s.ReleaseBuffer();
    EXPECT_EQ(7, s.GetLength());
    p = s.GetBuffer(3);
    s.ReleaseBuffer(2);
    EXPECT_STREQ(_T("C:"), s);
    p = s.GetBufferSetLength(4);
    p[2] = L'\\';
    p[3] = L'x';
    s.ReleaseBuffer(4);
    EXPECT_STREQ(_T("C:\\x"), s);
}

TEST(CStringTest, ConvertsNarrowTextAndConcatenates)
{
    CString s("abc");
    EXPECT_STREQ(_T("abc"), s);
    EXPECT_TRUE(s == _T("abc"));
    EXPECT_TRUE(_T("abd") != s);
    EXPECT_STREQ(_T("<abc>"), L'<' + s + _T(">"));
    CString nul(static_cast<LPCTSTR>(nullptr));
    EXPECT_TRUE(nul.IsEmpty());
    BSTR b = s.AllocSysString();
    EXPECT_EQ(3u, SysStringLen(b));
    SysFreeString(b);
}

TEST(CStringTest, LoadStringOfAMissingIdIsEmptyAndFalse)
{
    CString s(_T("keep?"));
    EXPECT_FALSE(s.LoadString(65001));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CRectTest, GeometryOperators)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(100, r.Width());
    EXPECT_EQ(50, r.Height());
    EXPECT_EQ(CPoint(60, 45), r.CenterPoint());
    r.TopLeft() += CSize(5, 5);
    EXPECT_EQ(CRect(15, 25, 110, 70), r);
    CRect a(0, 0, 10, 10), b(5, 5, 20, 20);
    EXPECT_EQ(CRect(5, 5, 10, 10), a & b);
    EXPECT_EQ(CRect(0, 0, 20, 20), a | b);
    EXPECT_EQ(CRect(3, 4, 13, 14), a + CPoint(3, 4));
    CRect n(10, 10, 0, 0);
    n.NormalizeRect();
    EXPECT_EQ(CRect(0, 0, 10, 10), n);
    a.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(1, 2, 7, 6), a);
    EXPECT_EQ(CSize(3, -4), CPoint(5, 1) - CPoint(2, 5));
    EXPECT_TRUE(CRect(0, 0, 0, 5).IsRectEmpty());
    EXPECT_EQ(CPoint(-2, 3), CPoint(MAKELPARAM(0xFFFE, 3)));
}
