#include "app/EditCommands.h"

#include <algorithm>

namespace korvexa::app {

bool SameData(const DataState& a, const DataState& b)
{
    return a.settings == b.settings && a.grades == b.grades &&
           std::equal(a.records.begin(), a.records.end(), b.records.begin(), b.records.end(),
                      [](const SlabData& x, const SlabData& y) { return datafile::SameInputs(x, y); });
}

EditStep::EditStep(EditTarget& target, const QString& text, bool done) : target_(target), done_(done)
{
    setText(text);
}

void EditStep::redo()
{
    if (done_) {
        done_ = false;
        return;
    }
    Apply();
}

SlabEditStep::SlabEditStep(EditTarget& target, const QString& text, int index, SlabData before, SlabData after,
                           int shownBefore, bool done)
    : EditStep(target, text, done), index_(index), shownBefore_(shownBefore), before_(std::move(before)),
      after_(std::move(after))
{
}

void SlabEditStep::Apply() { target_.PutSlab(index_, after_, index_); }
void SlabEditStep::undo() { target_.PutSlab(index_, before_, shownBefore_); }

SlabInsertStep::SlabInsertStep(EditTarget& target, const QString& text, int index, SlabData slab,
                               SlabData modelBefore, SlabData modelAfter, int shownBefore)
    : EditStep(target, text, false), index_(index), shownBefore_(shownBefore), slab_(std::move(slab)),
      modelBefore_(std::move(modelBefore)), modelAfter_(std::move(modelAfter))
{
}

void SlabInsertStep::Apply() { target_.InsertSlab(index_, slab_, modelAfter_); }
void SlabInsertStep::undo() { target_.RemoveSlab(index_, modelBefore_, shownBefore_); }

SlabRemoveStep::SlabRemoveStep(EditTarget& target, const QString& text, int index, SlabData slab, SlabData model,
                               int shownAfter)
    : EditStep(target, text, false), index_(index), shownAfter_(shownAfter), slab_(std::move(slab)),
      model_(std::move(model))
{
}

void SlabRemoveStep::Apply() { target_.RemoveSlab(index_, model_, shownAfter_); }
void SlabRemoveStep::undo() { target_.InsertSlab(index_, slab_, model_); }

DataStep::DataStep(EditTarget& target, const QString& text, DataState before, DataState after, DataChange change,
                   bool done)
    : EditStep(target, text, done), before_(std::move(before)), after_(std::move(after)), change_(change)
{
}

void DataStep::Apply() { target_.PutData(after_, change_); }
void DataStep::undo() { target_.PutData(before_, change_); }

LayoutStep::LayoutStep(EditTarget& target, datafile::PrintLayout before, datafile::PrintLayout after, bool done)
    : EditStep(target, QStringLiteral("印刷設定の変更"), done), before_(std::move(before)), after_(std::move(after))
{
}

void LayoutStep::Apply() { target_.PutLayout(after_); }
void LayoutStep::undo() { target_.PutLayout(before_); }

}  // namespace korvexa::app
