// Tells the windows that follow the open data set (a list of the slabs, a
// summary) what changed in it.  The main window announces every edit, undo
// and redo, file command and dialog result here after the change is made
// and shown; the data itself is read from Slabs().
#pragma once

#include <QObject>

#include "app/SlabList.h"

namespace korvexa::app {

class DataNotifier : public QObject {
    Q_OBJECT

public:
    DataNotifier(const SlabList& slabs, QObject* parent) : QObject(parent), slabs_(slabs) {}
    const SlabList& Slabs() const { return slabs_; }

Q_SIGNALS:
    // The inputs (and so the results) of slab `index` changed.
    void SlabChanged(int index);
    // A slab was put in at `index`; those after it moved on by one.
    void SlabInserted(int index);
    // Slab `index` was taken out; those after it moved back by one.
    void SlabRemoved(int index);
    // The slabs were reordered, renamed or thinned out in one step.
    void SlabsRearranged();
    // The design settings or bar grades changed; with the load unit, the
    // loads of every slab too.
    void SettingsChanged();
    // The print layout changed.
    void LayoutChanged();
    // Another data set: new data, a file opened, a recovery copy restored.
    void DataReplaced();
    // Slab `index` is shown in the panel (again).
    void CurrentChanged(int index);
    // The data differs from what was last opened or saved, or no longer does.
    void ModifiedChanged(bool modified);

private:
    const SlabList& slabs_;
};

}  // namespace korvexa::app
