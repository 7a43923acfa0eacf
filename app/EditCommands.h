// The undo steps of the main window, one QUndoCommand for each kind of
// edit.  Each keeps what it changed, whole, as it was before and after, and
// puts one or the other back through EditTarget, which shows it and tells
// the windows that follow the data.
//
// A step that is pushed after its change was made on screen (a typed
// value, a dialog's OK) is built `done`: its first redo does nothing.
#pragma once

#include <QUndoCommand>
#include <array>
#include <string>
#include <vector>

#include "datafile/DataSet.h"
#include "engine/SlabData.h"

namespace korvexa::app {

// The whole data set at one moment: the slab records (the template first),
// the slab shown, the design settings and the bar grades.
struct DataState {
    std::vector<SlabData> records;
    int current = 1;
    CommonSettings settings;
    std::array<std::string, 8> grades;
};

// Whether two states hold the same inputs and settings (results aside).
bool SameData(const DataState& a, const DataState& b);

// Why a whole state is put back, for the windows that follow the data.
enum class DataChange { Arrangement, Settings };

// What the steps change: the main window's data set.  Each call also shows
// the slab named and announces the change.
class EditTarget {
public:
    // Slab `index` becomes `slab`; slab `shown` is shown.
    virtual void PutSlab(int index, const SlabData& slab, int shown) = 0;
    // `slab` is put in at `index` and shown; the template becomes `model`.
    virtual void InsertSlab(int index, const SlabData& slab, const SlabData& model) = 0;
    // Slab `index` is taken out and slab `shown` shown; the template becomes `model`.
    virtual void RemoveSlab(int index, const SlabData& model, int shown) = 0;
    virtual void PutData(const DataState& state, DataChange change) = 0;
    virtual void PutLayout(const datafile::PrintLayout& layout) = 0;

protected:
    ~EditTarget() = default;
};

// The base of the steps: the first redo of a step built `done` is skipped.
class EditStep : public QUndoCommand {
public:
    void redo() final;

protected:
    EditStep(EditTarget& target, const QString& text, bool done);
    virtual void Apply() = 0;
    EditTarget& target_;

private:
    bool done_;
};

// Inputs of one slab: a value typed, a choice, a check box, a pitch button,
// the copy that replaces the undesigned last slab.
class SlabEditStep : public EditStep {
public:
    SlabEditStep(EditTarget& target, const QString& text, int index, SlabData before, SlabData after, int shownBefore,
                 bool done);
    void undo() override;

private:
    void Apply() override;
    int index_, shownBefore_;
    SlabData before_, after_;
};

// A slab added or copied at `index`.
class SlabInsertStep : public EditStep {
public:
    SlabInsertStep(EditTarget& target, const QString& text, int index, SlabData slab, SlabData modelBefore,
                   SlabData modelAfter, int shownBefore);
    void undo() override;

private:
    void Apply() override;
    int index_, shownBefore_;
    SlabData slab_, modelBefore_, modelAfter_;
};

// A slab deleted.
class SlabRemoveStep : public EditStep {
public:
    SlabRemoveStep(EditTarget& target, const QString& text, int index, SlabData slab, SlabData model, int shownAfter);
    void undo() override;

private:
    void Apply() override;
    int index_, shownAfter_;
    SlabData slab_, model_;
};

// The arrangement dialog's OK, the design settings dialog (with the loads
// of every slab when the load unit changed).
class DataStep : public EditStep {
public:
    DataStep(EditTarget& target, const QString& text, DataState before, DataState after, DataChange change, bool done);
    void undo() override;

private:
    void Apply() override;
    DataState before_, after_;
    DataChange change_;
};

// The print layout dialog.
class LayoutStep : public EditStep {
public:
    LayoutStep(EditTarget& target, datafile::PrintLayout before, datafile::PrintLayout after, bool done);
    void undo() override;

private:
    void Apply() override;
    datafile::PrintLayout before_, after_;
};

}  // namespace korvexa::app
