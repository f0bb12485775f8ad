#include <gtest/gtest.h>

#include "table/ConvertingTableLayout.h"
#include "table/OxActionList.h"

#include <memory>
#include <vector>

namespace {

// Records which action ran in which direction; can be told to fail.
struct Journal
{
    std::vector<int> done;  // +id for a redo, -id for an undo
};

class RecordedAction : public OxAction
{
public:
    RecordedAction(Journal& journal, int id, bool* failing = nullptr)
        : m_journal(journal), m_id(id), m_failing(failing) {}
    bool Undo(ConvertingTableLayout&) override { return Record(-m_id); }
    bool Redo(ConvertingTableLayout&) override { return Record(m_id); }

private:
    bool Record(int entry)
    {
        if (m_failing && *m_failing)
            return false;
        m_journal.done.push_back(entry);
        return true;
    }
    Journal& m_journal;
    int m_id;
    bool* m_failing;
};

} // namespace

TEST(OxActionList, KeepsTheTwentyNewestActions)
{
    ConvertingTableLayout layout;
    Journal journal;
    OxActionList list;
    for (int id = 1; id <= 25; ++id)
        list.Add(std::make_unique<RecordedAction>(journal, id));
    EXPECT_EQ(list.GetCount(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_TRUE(list.Undo(layout)) << "undo " << i + 1;
    EXPECT_FALSE(list.Undo(layout));
    ASSERT_EQ(journal.done.size(), 20u);
    EXPECT_EQ(journal.done.front(), -25);
    EXPECT_EQ(journal.done.back(), -6);  // the first move kept
}

TEST(OxActionList, EmptyListHasNothingToUndoOrRedo)
{
    ConvertingTableLayout layout;
    OxActionList list;
    EXPECT_FALSE(list.Undo(layout));
    EXPECT_FALSE(list.Redo(layout));
    EXPECT_FALSE(list.CanUndo());
    EXPECT_FALSE(list.CanRedo());
}

TEST(OxActionList, NewActionAfterUndoDropsTheRedoEntries)
{
    ConvertingTableLayout layout;
    Journal journal;
    OxActionList list;
    list.Add(std::make_unique<RecordedAction>(journal, 1));
    list.Add(std::make_unique<RecordedAction>(journal, 2));
    ASSERT_TRUE(list.Undo(layout));
    list.Add(std::make_unique<RecordedAction>(journal, 3));
    EXPECT_FALSE(list.Redo(layout));
    EXPECT_EQ(list.GetCount(), 2u);
    ASSERT_TRUE(list.Undo(layout));
    ASSERT_TRUE(list.Undo(layout));
    EXPECT_EQ(journal.done, (std::vector<int>{-2, -3, -1}));
}

TEST(OxActionList, FailedUndoOrRedoKeepsThePosition)
{
    ConvertingTableLayout layout;
    Journal journal;
    bool failing = false;
    OxActionList list;
    list.Add(std::make_unique<RecordedAction>(journal, 1));
    list.Add(std::make_unique<RecordedAction>(journal, 2, &failing));
    ASSERT_TRUE(list.Undo(layout));   // undoes 2

    failing = true;
    EXPECT_FALSE(list.Redo(layout));
    EXPECT_TRUE(list.CanRedo());      // 2 still waits to be redone
    failing = false;
    ASSERT_TRUE(list.Redo(layout));   // so the next redo redoes 2, not nothing
    EXPECT_FALSE(list.Redo(layout));

    failing = true;
    EXPECT_FALSE(list.Undo(layout));
    failing = false;
    ASSERT_TRUE(list.Undo(layout));   // 2 again, not 1
    EXPECT_EQ(journal.done, (std::vector<int>{-2, 2, -2}));
}

TEST(OxActionList, LoweringTheLimitDropsOldestAndClearEmpties)
{
    ConvertingTableLayout layout;
    Journal journal;
    OxActionList list;
    for (int id = 1; id <= 5; ++id)
        list.Add(std::make_unique<RecordedAction>(journal, id));
    list.SetLimit(2);
    EXPECT_EQ(list.GetCount(), 2u);
    ASSERT_TRUE(list.Undo(layout));
    ASSERT_TRUE(list.Undo(layout));
    EXPECT_FALSE(list.Undo(layout));
    EXPECT_EQ(journal.done, (std::vector<int>{-5, -4}));
    list.Clear();
    EXPECT_FALSE(list.Redo(layout));
    EXPECT_EQ(list.GetCount(), 0u);
}
