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

void SlabList::Append()
{
    if (Count() >= 1) {
        SlabData& model = records_.front();
        model = Current();
        model.Lx = model.Ly = 0;
        model.Pitch = {};
    }
    records_.push_back(records_.front());
    current_ = Count();
    Current().Name = "S" + std::to_string(current_);
    Current().Calculated = false;  // no spans yet: the next design fails
}

SlabList::AddResult SlabList::Add()
{
    if (!Current().Calculated)
        return AddResult::Refused;
    if (!LastIsCalculated()) {
        current_ = Count();
        return AddResult::MovedToLast;
    }
    Append();
    return AddResult::Added;
}

SlabList::CopyResult SlabList::Copy()
{
    if (!Current().Calculated)
        return CopyResult::Refused;
    if (!LastIsCalculated()) {
        records_.back() = Current();
        current_ = Count();
        return CopyResult::OverwroteLast;
    }
    records_.push_back(Current());
    current_ = Count();
    return CopyResult::Appended;
}

void SlabList::DeleteCurrent()
{
    if (Count() <= 1)
        return;
    records_.erase(records_.begin() + current_);
    current_ = std::min(current_, Count());
}

int SlabList::CountCalculated() const
{
    return static_cast<int>(std::count_if(records_.begin() + 1, records_.end(), [](const SlabData& s) { return s.Calculated; }));
}

}  // namespace korvexa::app
