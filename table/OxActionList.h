#pragma once
// Undoable actions on a table layout and the bounded list that records them, newest first.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class ConvertingTableLayout;

class OxAction
{
public:
    virtual ~OxAction() = default;
    virtual bool Undo(ConvertingTableLayout& target) = 0;
    virtual bool Redo(ConvertingTableLayout& target) = 0;
};

class OxActionList
{
public:
    static constexpr int32_t DefaultLimit = 20;

    explicit OxActionList(int32_t limit = DefaultLimit);
    OxActionList(const OxActionList&) = delete;
    OxActionList& operator=(const OxActionList&) = delete;
    virtual ~OxActionList();

    // Takes ownership. Drops whatever could have been redone, and the oldest actions beyond the limit.
    virtual void Add(std::unique_ptr<OxAction> action);
    // Both leave the position where it was when the action fails.
    virtual bool Undo(ConvertingTableLayout& target);
    virtual bool Redo(ConvertingTableLayout& target);

    bool CanUndo() const { return m_current < m_actions.size(); }
    bool CanRedo() const { return m_current > 0; }
    void Clear();
    void SetLimit(int32_t limit);
    int32_t GetLimit() const { return m_limit; }
    size_t GetCount() const { return m_actions.size(); }

private:
    void DropOldest();

    // m_actions[0] is the newest; m_current is the action Undo undoes next (size() when none is left).
    std::vector<std::unique_ptr<OxAction>> m_actions;
    size_t m_current = 0;
    int32_t m_limit;
};
