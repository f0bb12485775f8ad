#include "table/OxActionList.h"

OxActionList::OxActionList(int32_t limit) : m_limit(limit < 0 ? 0 : limit)
{
}

OxActionList::~OxActionList() = default;

void OxActionList::Add(std::unique_ptr<OxAction> action)
{
    if (!action)
        return;
    m_actions.erase(m_actions.begin(), m_actions.begin() + static_cast<std::ptrdiff_t>(m_current));
    m_actions.insert(m_actions.begin(), std::move(action));
    m_current = 0;
    DropOldest();
}

bool OxActionList::Undo(ConvertingTableLayout& target)
{
    if (!CanUndo())
        return false;
    if (!m_actions[m_current]->Undo(target))
        return false;
    ++m_current;
    return true;
}

bool OxActionList::Redo(ConvertingTableLayout& target)
{
    if (!CanRedo())
        return false;
    if (!m_actions[m_current - 1]->Redo(target))
        return false;
    --m_current;
    return true;
}

void OxActionList::Clear()
{
    m_actions.clear();
    m_current = 0;
}

void OxActionList::SetLimit(int32_t limit)
{
    m_limit = limit < 0 ? 0 : limit;
    DropOldest();
}

void OxActionList::DropOldest()
{
    while (m_actions.size() > static_cast<size_t>(m_limit))
        m_actions.pop_back();
    if (m_current > m_actions.size())
        m_current = m_actions.size();
}
