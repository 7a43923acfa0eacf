#include "dialogs/SlabArrangement.h"

#include <algorithm>

namespace korvexa::dialogs {

void SlabArrangement::Reset(const std::vector<std::string>& names)
{
    entries_.clear();
    entries_.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        entries_.push_back({static_cast<int>(i) + 1, names[i]});
    undo_.clear();
}

void SlabArrangement::Rotate(int from, int to)
{
    const auto first = entries_.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
}

bool SlabArrangement::Move(int from, int to)
{
    if (!IsRow(from) || !IsRow(to) || from == to)
        return false;
    Rotate(from, to);
    undo_.push_back({UndoMember::Kind::Move, from, to, {}});
    return true;
}

bool SlabArrangement::Rename(int row, std::string name)
{
    if (!IsRow(row) || entries_[static_cast<std::size_t>(row)].name == name)
        return false;
    undo_.push_back({UndoMember::Kind::Rename, row, row, entries_[static_cast<std::size_t>(row)]});
    entries_[static_cast<std::size_t>(row)].name = std::move(name);
    return true;
}

bool SlabArrangement::Delete(int row)
{
    if (!CanDelete(row))
        return false;
    undo_.push_back({UndoMember::Kind::Delete, row, row, entries_[static_cast<std::size_t>(row)]});
    entries_.erase(entries_.begin() + row);
    return true;
}

int SlabArrangement::Undo()
{
    if (undo_.empty())
        return -1;
    const UndoMember last = undo_.back();
    undo_.pop_back();
    // Steps come back in reverse order, so the rows exist again as they
    // were; the clamps only guard the ends of the list.
    switch (last.kind) {
    case UndoMember::Kind::Delete: {
        const int row = std::clamp(last.Index, 0, Count());
        entries_.insert(entries_.begin() + row, last.entry);
        return row;
    }
    case UndoMember::Kind::Move:
        if (!IsRow(last.Row) || !IsRow(last.Index))
            return -1;
        Rotate(last.Row, last.Index);
        return last.Index;
    case UndoMember::Kind::Rename:
        if (!IsRow(last.Index))
            return -1;
        entries_[static_cast<std::size_t>(last.Index)].name = last.entry.name;
        return last.Index;
    }
    return -1;
}

ArrangementResult ApplyArrangement(const std::vector<ArrangementEntry>& entries, const std::vector<SlabData>& slabs)
{
    const int n = static_cast<int>(slabs.size());
    std::vector<const ArrangementEntry*> kept;
    for (const ArrangementEntry& entry : entries)
        if (entry.slab >= 1 && entry.slab <= n)
            kept.push_back(&entry);

    ArrangementResult result;
    result.changes = n - static_cast<int>(kept.size());
    for (std::size_t k = 0; k < kept.size(); ++k) {
        const ArrangementEntry& entry = *kept[k];
        if (entry.name != slabs[static_cast<std::size_t>(entry.slab - 1)].Name)
            ++result.changes;
        if (static_cast<int>(k) + 1 != entry.slab)
            ++result.changes;
    }
    if (result.changes == 0)
        return result;
    result.slabs.reserve(kept.size());
    for (const ArrangementEntry* entry : kept) {
        result.slabs.push_back(slabs[static_cast<std::size_t>(entry->slab - 1)]);
        result.slabs.back().Name = entry->name;
    }
    return result;
}

}  // namespace korvexa::dialogs
