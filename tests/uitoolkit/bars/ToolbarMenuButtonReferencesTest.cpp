// Saved "Buttons" values and dragged button data that make a menu button hold itself, one of its
// owners or a button held elsewhere are refused: the bar keeps what it had, nothing is deleted
// twice and nothing recurses without end. Damaged values are made the way they would be written:
// by storing menu buttons linked into such shapes, two levels deep.
#include "tests/framework/windows/WindowsTestSupport.h"
#include "tests/uitoolkit/bars/ToolbarTestIds.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTCommandManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
const wchar_t kProfile[] = L"Software\\KestTests\\MenuButtonReferences\\";

class CReferencesToolBar : public CKTToolBar
{
public:
    // Takes a borrowed button off the bar without deleting it.
    void ForgetLast() { m_Buttons.RemoveTail(); }
};

CObList& Items(CKTToolbarMenuButton& button)
{
    return const_cast<CObList&>(button.GetCommands());
}

// top > mid > leaf, with a sibling of mid; each shape links one list back into the tree.
struct Tree
{
    CKTToolbarMenuButton top{0, nullptr, -1, L"&Top"};
    CKTToolbarMenuButton mid{0, nullptr, -1, L"&Mid"};
    CKTToolbarMenuButton leaf{0, nullptr, -1, L"&Leaf"};
    CKTToolbarMenuButton sibling{0, nullptr, -1, L"&Sibling"};
    CKTToolbarButton command{ID_TEST_SAVE, -1, L"&Save"};

    // The links are borrowed: the lists are emptied before the buttons go.
    ~Tree()
    {
        for (CKTToolbarMenuButton* p : {&top, &mid, &leaf, &sibling})
            Items(*p).RemoveAll();
    }
    void Link()
    {
        Items(top).AddTail(&mid);
        Items(mid).AddTail(&leaf);
        Items(leaf).AddTail(&command);
    }
};

struct Shape
{
    const char* m_name;
    std::function<void(Tree&)> m_link;
};

const Shape kShapes[] = {
    {"the leaf holds itself", [](Tree& t) { Items(t.leaf).AddTail(&t.leaf); }},
    {"the leaf holds its parent", [](Tree& t) { Items(t.leaf).AddTail(&t.mid); }},
    {"the leaf holds the top", [](Tree& t) { Items(t.leaf).AddTail(&t.top); }},
    {"the leaf holds a sibling read before",
     [](Tree& t) {
         Items(t.top).AddHead(&t.sibling);
         Items(t.leaf).AddTail(&t.sibling);
     }},
    {"the leaf holds a sibling read after",
     [](Tree& t) {
         Items(t.top).AddTail(&t.sibling);
         Items(t.leaf).AddTail(&t.sibling);
     }},
    {"a plain item held twice", [](Tree& t) { Items(t.mid).AddTail(&t.command); }},
    {"a submenu listed twice", [](Tree& t) { Items(t.mid).AddTail(&t.leaf); }},
};

std::string Layout(const CKTToolBar& bar)
{
    std::string s;
    for (int i = 0; i < bar.GetCount(); i++)
    {
        const CKTToolbarButton* p = bar.GetButton(i);
        s += p->IsSeparator() ? std::string("|") : std::to_string(p->m_nID) + ":";
        for (int i = 0; i < p->m_strText.GetLength(); i++)
            s += static_cast<char>(p->m_strText[i]);
        const auto* pMenu = p->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)) ? static_cast<const CKTToolbarMenuButton*>(p) : nullptr;
        if (pMenu != nullptr)
            s += "[" + std::to_string(pMenu->GetCommands().GetCount()) + "]";
        s += ' ';
    }
    return s;
}

CKTToolbarButton* ThroughDragData(CKTToolbarButton& button)
{
    COleDataSource source;
    EXPECT_TRUE(button.PrepareDrag(source));
    COleDataObject data;
    data.Attach(source.GetDataObject());
    return CKTToolbarButton::CreateFromOleData(&data);
}

class ToolbarMenuButtonReferencesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::OleInitialize(nullptr);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestTests\\MenuButtonReferences");
        CKTToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"References", WS_OVERLAPPEDWINDOW, CRect(40, 40, 560, 320)));
        ASSERT_TRUE(m_saver.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
        ASSERT_TRUE(m_loader.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 1));
        ASSERT_TRUE(m_loader.LoadToolBar(IDR_TEST_TOOLBAR));
    }
    void TearDown() override
    {
        m_saver.DestroyWindow();
        m_loader.DestroyWindow();
        m_pFrame->DestroyWindow();
        PumpAndIdle();
        CKTCommandManager::GetInstance()->ClearAllCmdImages();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestTests\\MenuButtonReferences");
        ::OleUninitialize();
    }

    // Saves a bar holding an Open button and the tree's top, then empties the saving bar again
    // (the tree's buttons are the test's own).
    void SaveWithTree(Tree& tree)
    {
        ASSERT_GE(m_saver.InsertButton(new CKTToolbarButton(ID_TEST_OPEN, -1, L"&Open")), 0);
        ASSERT_GE(m_saver.InsertButton(&tree.top), 0);
        EXPECT_TRUE(m_saver.SaveState(kProfile, AFX_IDW_TOOLBAR));
        m_saver.ForgetLast();
        m_saver.RemoveAllButtons();
    }

    CFrameWnd* m_pFrame = nullptr;
    CReferencesToolBar m_saver;
    CKTToolBar m_loader;
};
} // namespace

TEST_F(ToolbarMenuButtonReferencesTest, SoundMenusComeBackWholeFromTheRegistryAndFromDragData)
{
    Tree tree;
    tree.Link();
    Items(tree.top).AddTail(&tree.sibling);
    SaveWithTree(tree);
    ASSERT_TRUE(m_loader.LoadState(kProfile, AFX_IDW_TOOLBAR));
    EXPECT_EQ("32801:&Open 0:&Top[2] ", Layout(m_loader));
    const auto* pTop = static_cast<const CKTToolbarMenuButton*>(m_loader.GetButton(1));
    ASSERT_NE(nullptr, pTop);
    EXPECT_TRUE(pTop->CompareWith(tree.top));

    std::unique_ptr<CKTToolbarButton> dragged(ThroughDragData(tree.top));
    ASSERT_NE(nullptr, dragged);
    EXPECT_TRUE(dragged->CompareWith(tree.top));
}

TEST_F(ToolbarMenuButtonReferencesTest, ValuesLinkingAMenuBackIntoItselfOrASiblingLeaveTheBarAsCreated)
{
    const std::string created = Layout(m_loader);
    for (const Shape& shape : kShapes)
    {
        Tree tree;
        tree.Link();
        shape.m_link(tree);
        SaveWithTree(tree);
        EXPECT_FALSE(m_loader.LoadState(kProfile, AFX_IDW_TOOLBAR)) << shape.m_name;
        EXPECT_EQ(created, Layout(m_loader)) << shape.m_name;
    }
}

TEST_F(ToolbarMenuButtonReferencesTest, DraggedDataLinkingAMenuBackIntoItselfOrASiblingGivesNoButton)
{
    for (const Shape& shape : kShapes)
    {
        Tree tree;
        tree.Link();
        shape.m_link(tree);
        std::unique_ptr<CKTToolbarButton> dragged(ThroughDragData(tree.top));
        EXPECT_EQ(nullptr, dragged) << shape.m_name;
    }
}
