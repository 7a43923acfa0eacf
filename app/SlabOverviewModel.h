// The slab list as a table for the overview window (スラブ一覧): one row per
// slab with its inputs at a glance and its verdict, following the data as
// the main window's notifier tells, row by row: an edit judges one slab
// again, an insertion or removal moves the rows after it, only a new data
// set or an arrangement rebuilds the table.
//
// Every text comes from the engine's verdict (engine/SlabVerdict), as on
// paper, in the CSV and in korvexa-cli show.  Display texts are made when
// the view asks; the sort keys are kept per row, so that sorting 10,000
// slabs compares numbers, not texts.
#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QString>
#include <optional>
#include <vector>

#include "engine/SlabVerdict.h"

namespace korvexa::app {

class DataNotifier;
class SlabList;

class SlabOverviewModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { No, Name, Condition, Lx, Ly, T, LoadCase, Moment, Shear, Deflection, Required, Frequency, Judgement, ColumnCount };
    // The cell as text, without the marker of the current slab.
    static constexpr int PlainRole = Qt::UserRole;

    // Follows `notifier`; the slabs are judged with the program's settings.
    explicit SlabOverviewModel(const DataNotifier& notifier, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Row r shows slab r + 1 of the list.
    const SlabVerdict& Verdict(int row) const { return verdicts_[static_cast<std::size_t>(row)]; }
    bool IsNg(int row) const { return Verdict(row).Ng(); }
    // The number row `row` sorts by in `column`; none for an empty cell.
    // Names sort as texts (NameLess), the other texts by their order in
    // their lists; deflection by its share of the limit (16δ/Lx ÷ 1/250, or
    // 1/30 ÷ t/Lx), the verdict OK, 未計算, NG.
    std::optional<double> SortKey(int row, int column) const;
    // Names in natural order: S2 before S10.
    bool NameLess(int left, int right) const;

    // "計 15 枚、NG 1 枚、未計算 1 枚".
    QString CountText() const;
    // The rows as tab-separated text, the header first, each line ending in
    // a line feed: what a spreadsheet takes from the clipboard.
    QString TabSeparated(const std::vector<int>& rows) const;

Q_SIGNALS:
    void CountsChanged();

private:
    const SlabData& Slab(int row) const;
    QString Text(int row, int column) const;
    bool Fails(int row, int column) const;
    void Judge(int row);
    void JudgeAll();

    void SlabChanged(int index);
    void SlabInserted(int index);
    void SlabRemoved(int index);
    void Rebuild();
    void Rejudge();
    void CurrentChanged(int index);
    void MarkCurrent();
    void NumbersFrom(int row);

    const SlabList& slabs_;
    std::vector<SlabVerdict> verdicts_;
    int current_ = 0;  // row of the slab shown in the main window
};

// The overview's order and filter: sorted by any column (numbers, names in
// natural order; empty cells last either way), and NG slabs only on request.
class SlabOverviewFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit SlabOverviewFilter(SlabOverviewModel& model, QObject* parent = nullptr);
    void SetNgOnly(bool on);
    bool NgOnly() const { return ngOnly_; }

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    SlabOverviewModel& model_;
    bool ngOnly_ = false;
};

}  // namespace korvexa::app
