// The overview window "スラブ一覧": every slab of the open data set in one
// table with its verdict, NG at a glance.  It stays open beside the main
// window (not modal) and follows every change of the data; sorting by any
// column, "NGのみ", a double click or Enter to show a slab in the main
// window, Ctrl+C to copy the selected rows for a spreadsheet.  Its size is
// kept in the settings file.
#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class TOverviewForm;
}

namespace korvexa::app {
class DataNotifier;
class SlabOverviewFilter;
class SlabOverviewModel;
}

class TOverviewForm : public QWidget {
    Q_OBJECT

public:
    // Follows `notifier`; remembers its size in `iniFile`.
    TOverviewForm(const korvexa::app::DataNotifier& notifier, const QString& iniFile, QWidget* parent = nullptr);
    ~TOverviewForm() override;

    korvexa::app::SlabOverviewModel& Model() { return *model_; }
    korvexa::app::SlabOverviewFilter& Filter() { return *filter_; }
    // The selected rows as the clipboard gets them (see CopyRows).
    QString SelectedText() const;
    void CopyRows();

Q_SIGNALS:
    // The user chose slab `index` (1-based) to be shown.
    void SlabChosen(int index);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void SetUpTable();
    QSize FirstSize() const;
    void ShowCounts();
    void Choose(const QModelIndex& index);

    std::unique_ptr<Ui::TOverviewForm> ui;
    korvexa::app::SlabOverviewModel* model_ = nullptr;
    korvexa::app::SlabOverviewFilter* filter_ = nullptr;
    QString iniFile_;
};
