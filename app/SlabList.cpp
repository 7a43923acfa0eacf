#include "app/SlabList.h"

#include <algorithm>
#include <string>

namespace korvexa::app {

SlabList::SlabList() { Init(); }

namespace {

SlabData TemplateIn(double loadUnit)
{
    SlabData model;
    model.LoadUnit = loadUnit;
    return model;
}

}  // namespace

void SlabList::Init(double loadUnit)
{
    records_.assign(1, TemplateIn(loadUnit));
    current_ = 0;
    Append();
}

void SlabList::Replace(std::vector<SlabData> slabs, double loadUnit)
{
    if (slabs.empty()) {
        Init(loadUnit);
        return;
    }
    records_.assign(1, TemplateIn(loadUnit));
    records_.insert(records_.end(), std::make_move_iterator(slabs.begin()), std::make_move_iterator(slabs.end()));
    current_ = 1;
}

void SlabList::Rearrange(std::vector<SlabData> slabs)
{
    if (slabs.empty())
        return;
    records_.resize(1);
    records_.insert(records_.end(), std::make_move_iterator(slabs.begin()), std::make_move_iterator(slabs.end()));
    current_ = 1;
}

void SlabList::SetCurrentIndex(int index) { current_ = std::clamp(index, 1, Count()); }

SlabList::NewSlab SlabList::MakeNewSlab() const
{
    NewSlab made{records_.front(), {}};
    if (Count() >= 1) {
        made.model = Current();
        made.model.Lx = made.model.Ly = 0;
        made.model.Pitch = {};
    }
    made.slab = made.model;
    made.slab.Name = "S" + std::to_string(Count() + 1);
    made.slab.Calculated = false;  // no spans yet: the next design fails
    return made;
}

void SlabList::Append()
{
    NewSlab made = MakeNewSlab();
    records_.front() = std::move(made.model);
    Insert(Count() + 1, std::move(made.slab));
}

SlabList::AddResult SlabList::AddOutcome() const
{
    if (!Current().Calculated)
        return AddResult::Refused;
    return LastIsCalculated() ? AddResult::Added : AddResult::MovedToLast;
}

SlabList::CopyResult SlabList::CopyOutcome() const
{
    if (!Current().Calculated)
        return CopyResult::Refused;
    return LastIsCalculated() ? CopyResult::Appended : CopyResult::OverwroteLast;
}

void SlabList::Insert(int index, SlabData slab)
{
    index = std::clamp(index, 1, Count() + 1);
    records_.insert(records_.begin() + index, std::move(slab));
    current_ = index;
}

void SlabList::Remove(int index)
{
    if (Count() <= 1 || index < 1 || index > Count())
        return;
    records_.erase(records_.begin() + index);
    current_ = std::min(current_, Count());
}

void SlabList::Restore(std::vector<SlabData> records, int current)
{
    if (records.size() < 2)
        return;
    records_ = std::move(records);
    SetCurrentIndex(current);
}

int SlabList::CountCalculated() const
{
    return static_cast<int>(std::count_if(records_.begin() + 1, records_.end(), [](const SlabData& s) { return s.Calculated; }));
}

}  // namespace korvexa::app
