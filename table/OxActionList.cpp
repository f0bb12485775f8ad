#include "table/OxActionList.h"

OxActionList::OxActionList(int32_t limit) : limit_(limit < 0 ? 0 : limit)
{
}

OxActionList::~OxActionList() = default;

void OxActionList::Add(std::unique_ptr<OxAction> action)
{
    if (!action)
        return;
    actions_.erase(actions_.begin(), actions_.begin() + static_cast<std::ptrdiff_t>(current_));
    actions_.insert(actions_.begin(), std::move(action));
    current_ = 0;
    DropOldest();
}

bool OxActionList::Undo(ConvertingTableLayout& target)
{
    if (!CanUndo())
        return false;
    if (!actions_[current_]->Undo(target))
        return false;
    ++current_;
    return true;
}

bool OxActionList::Redo(ConvertingTableLayout& target)
{
    if (!CanRedo())
        return false;
    if (!actions_[current_ - 1]->Redo(target))
        return false;
    --current_;
    return true;
}

void OxActionList::Clear()
{
    actions_.clear();
    current_ = 0;
}

void OxActionList::SetLimit(int32_t limit)
{
    limit_ = limit < 0 ? 0 : limit;
    DropOldest();
}

void OxActionList::DropOldest()
{
    while (actions_.size() > static_cast<size_t>(limit_))
        actions_.pop_back();
    if (current_ > actions_.size())
        current_ = actions_.size();
}
