// The data arrangement without its window: the working list of entries
// (one per slab) that the user reorders, renames and thins out, the undo
// of those steps, and the step that applies it all to the slabs.
//
// Positions are list rows from 0; slab numbers are the slabs' indices
// 1..n in the list as it was when the arrangement began.  An entry keeps
// its slab number whatever happens to its position or name, so any
// number of slabs can be arranged.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "engine/SlabData.h"

namespace korvexa::dialogs {

struct ArrangementEntry {
    int slab = 0;      // 1..n
    std::string name;  // the name the slab will have

    bool operator==(const ArrangementEntry&) const = default;
};

// One step of the arrangement, as its undo puts it back.
struct UndoMember {
    enum class Kind { Delete, Move, Rename };
    Kind kind = Kind::Delete;
    int Index = 0;           // the row the entry stood in before the step
    int Row = 0;             // Move: the row the entry was moved to
    ArrangementEntry entry;  // Delete: the entry; Rename: the entry with its old name
};

class SlabArrangement {
public:
    // Entries for slabs 1..n with these names, in order; no undo.
    void Reset(const std::vector<std::string>& names);

    const std::vector<ArrangementEntry>& Entries() const { return entries_; }
    int Count() const { return static_cast<int>(entries_.size()); }

    // Each change below that changes something is one step of the undo.

    // Moves the entry at `from` to row `to`; the entries between shift by
    // one.  False (and nothing moves) when either row does not exist or
    // they are the same.
    bool Move(int from, int to);
    // The entry at `row` gets the name; false when it has it already.
    bool Rename(int row, std::string name);

    // The last entry is never deleted: a data set always holds a slab.
    bool CanDelete(int row) const { return IsRow(row) && Count() > 1; }
    bool Delete(int row);

    bool CanUndo() const { return !undo_.empty(); }
    // The step Undo() would take back, or null.
    const UndoMember* LastStep() const { return undo_.empty() ? nullptr : &undo_.back(); }
    // Takes back the latest step: a deleted entry comes back at its row, a
    // moved one goes back to its row, a renamed one gets its old name.
    // Returns the row the entry stands in afterwards, or -1 when there is
    // nothing to undo.
    int Undo();

private:
    bool IsRow(int row) const { return row >= 0 && row < Count(); }
    void Rotate(int from, int to);

    std::vector<ArrangementEntry> entries_;
    std::deque<UndoMember> undo_;  // used as a stack: the back is the latest
};

struct ArrangementResult {
    // Deleted slabs, plus each renamed entry, plus each entry that stands
    // in another place than its slab did.  0: nothing is to change.
    int changes = 0;
    // The slabs 1..m in their new order and with their new names; empty
    // when changes is 0.
    std::vector<SlabData> slabs;
};

// Applies `entries` to `slabs` (the slabs 1..n the entries were made
// from).  An entry whose slab number is not in 1..n is left out.
ArrangementResult ApplyArrangement(const std::vector<ArrangementEntry>& entries, const std::vector<SlabData>& slabs);

}  // namespace korvexa::dialogs
