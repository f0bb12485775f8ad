// Notifications a control sends its parent come back to the control object first.
#include "WindowsTestSupport.h"

#include <gtest/gtest.h>

namespace {

const UINT kButtonID = 101;
const UINT kListID = 102;

class CReflectingButton : public CButton
{
public:
    int m_nClicks = 0;
    int m_nDraws = 0;
    BOOL m_bPassOn = FALSE;  // let the parent handle the click too

protected:
    BOOL OnClicked()
    {
        m_nClicks++;
        return !m_bPassOn;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        m_nDraws++;
        CDC::FromHandle(lpDrawItemStruct->hDC)->FillSolidRect(&lpDrawItemStruct->rcItem, RGB(0, 128, 0));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, &CReflectingButton::OnClicked)
END_MESSAGE_MAP()

class CReflectingList : public CListCtrl
{
public:
    int m_nItemChanges = 0;

protected:
    void OnItemChanged(NMHDR*, LRESULT* pResult)
    {
        m_nItemChanges++;
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingList, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, &CReflectingList::OnItemChanged)
END_MESSAGE_MAP()

class CControlParent : public CWnd
{
public:
    int m_nParentClicks = 0;
    int m_nParentItemChanges = 0;

protected:
    void OnButtonClicked() { m_nParentClicks++; }
    void OnListItemChanged(NMHDR*, LRESULT*) { m_nParentItemChanges++; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CControlParent, CWnd)
    ON_BN_CLICKED(kButtonID, &CControlParent::OnButtonClicked)
    ON_NOTIFY(LVN_ITEMCHANGED, kListID, &CControlParent::OnListItemChanged)
END_MESSAGE_MAP()

class ReflectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
                                      L"parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200, nullptr, nullptr));
    }
    void TearDown() override { m_parent.DestroyWindow(); }
    CControlParent m_parent;
};

TEST_F(ReflectionTest, ClickReachesTheButtonObjectBeforeItsParent)
{
    CReflectingButton button;
    ASSERT_TRUE(button.Create(L"Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 40), &m_parent, kButtonID));
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(button.m_nClicks, 1);
    EXPECT_EQ(m_parent.m_nParentClicks, 0) << "a handled reflection ends the notification";

    button.m_bPassOn = TRUE;
    button.SendMessage(BM_CLICK);
    EXPECT_EQ(button.m_nClicks, 2);
    EXPECT_EQ(m_parent.m_nParentClicks, 1) << "a declined reflection goes on to the parent";
}

TEST_F(ReflectionTest, OwnerDrawnButtonDrawsItselfThroughTheParentsDrawItem)
{
    CReflectingButton button;
    ASSERT_TRUE(button.Create(L"Owner", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 90, 40), &m_parent, kButtonID));
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_GE(button.m_nDraws, 1);
    CClientDC dc(&button);
    EXPECT_EQ(dc.GetPixel(5, 5), RGB(0, 128, 0));
}

TEST_F(ReflectionTest, ListNotificationReachesTheListObjectBeforeItsParent)
{
    CReflectingList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 50, 250, 150), &m_parent, kListID));
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 100);
    list.InsertItem(0, L"one");
    list.m_nItemChanges = 0;
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_GE(list.m_nItemChanges, 1);
    EXPECT_EQ(m_parent.m_nParentItemChanges, 0);
    EXPECT_EQ(list.GetItemText(0, 0), CString(L"one"));
}

} // namespace
