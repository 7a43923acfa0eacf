// The slabs of the open data set and the rules for adding, copying and
// deleting them.  Element 0 is the template that new slabs are made from;
// elements 1..n are the slabs, in the order they are listed, printed and
// saved.  There is always at least one slab.
#pragma once

#include <span>
#include <vector>

#include "engine/SlabData.h"

namespace korvexa::app {

class SlabList {
public:
    SlabList();

    // A fresh list: a default template and one slab "S1", current.  The
    // template's loads are in `loadUnit` (the factor in force, 1 or 1000),
    // so that the numbers typed into new slabs carry their unit.
    void Init(double loadUnit = 1.0);
    // The slabs read from a file, after a default template in `loadUnit`;
    // a file without slabs gives one fresh slab "S1".  Slab 1 becomes current.
    void Replace(std::vector<SlabData> slabs, double loadUnit = 1.0);
    // The same slabs arranged anew (reordered, renamed, some left out):
    // the template stays, slab 1 becomes current.  An empty list is
    // refused and changes nothing.
    void Rearrange(std::vector<SlabData> slabs);

    int Count() const { return static_cast<int>(records_.size()) - 1; }
    int CurrentIndex() const { return current_; }
    void SetCurrentIndex(int index);  // clamped to 1..n

    SlabData& Current() { return records_[static_cast<std::size_t>(current_)]; }
    const SlabData& Current() const { return records_[static_cast<std::size_t>(current_)]; }
    SlabData& At(int index) { return records_[static_cast<std::size_t>(index)]; }
    const SlabData& At(int index) const { return records_[static_cast<std::size_t>(index)]; }
    const SlabData& Template() const { return records_.front(); }
    SlabData& Template() { return records_.front(); }
    bool LastIsCalculated() const { return records_.back().Calculated; }

    // Appends a slab made from the template (MakeNewSlab) and makes it current.
    void Append();

    // The slab the add command appends and the template it leaves behind:
    // the template takes every input of the current slab but the spans and
    // the entered pitches, so a new slab continues the one before it; the
    // slab is named "S" and its index.
    struct NewSlab {
        SlabData model;
        SlabData slab;
    };
    NewSlab MakeNewSlab() const;

    // What the add and copy commands do with the list as it is: a slab may
    // be added only after the current one is designed, and the list never
    // holds more than one undesigned slab, which is then the last.
    enum class AddResult {
        Refused,      // the current slab is not designed
        Added,        // a new slab (MakeNewSlab) is appended
        MovedToLast,  // the last slab is still undesigned: it becomes current instead
    };
    AddResult AddOutcome() const;
    enum class CopyResult {
        Refused,        // the current slab is not designed
        Appended,       // a copy of the current slab is appended
        OverwroteLast,  // the undesigned last slab is replaced by the copy
    };
    CopyResult CopyOutcome() const;

    // Puts `slab` in at `index` (1..n+1), the slabs from there on moving
    // down by one, and makes it current.
    void Insert(int index, SlabData slab);
    // Takes slab `index` out; the current index stays within 1..n.  The
    // last remaining slab is never removed.
    void Remove(int index);

    // Every record, the template first, and the same put back whole.
    const std::vector<SlabData>& Records() const { return records_; }
    void Restore(std::vector<SlabData> records, int current);

    int CountCalculated() const;
    // The slabs 1..n.
    std::vector<SlabData> Slabs() const { return {records_.begin() + 1, records_.end()}; }
    std::span<const SlabData> View() const { return std::span(records_).subspan(1); }

private:
    std::vector<SlabData> records_;
    int current_ = 1;
};

}  // namespace korvexa::app
