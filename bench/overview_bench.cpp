// The slab overview on a data file of 10,000 designed slabs, offscreen:
// opening it (the table built, shown and painted), updating it after an
// edit of the current slab (the row judged again, kept in its sorted
// place, the window repainted), and sorting it by the largest moment
// ratio.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <QTemporaryDir>

#include "LargeDataSet.h"
#include "app/DataNotifier.h"
#include "app/SlabOverviewModel.h"
#include "WindowBenchMain.h"
#include "app/Umain.h"
#include "app/Uoverview.h"
#include "app/UserMessages.h"
#include "components/NumberEdit.h"
#include "datafile/DataFile.h"
#include "engine/Ukorvexa.h"

namespace {

using korvexa::app::SlabOverviewModel;

constexpr int kSlabs = 10000;

// The main window with the large file open, made once for every benchmark.
struct Window {
    QTemporaryDir folder;
    TMainForm form;

    Window()
    {
        const std::string file = folder.filePath(QStringLiteral("large.slab")).toStdString();
        korvexa::datafile::WriteDataFile(file, korvexa::datafile::LargeDataSet(kSlabs));
        form.show();
        form.FormShow(QString::fromStdString(file));
        QApplication::processEvents();
    }
};

// Kept to the end of the process: the window must not outlive the
// application object in a static's destruction.
Window& Large()
{
    static Window* window = new Window;
    return *window;
}

QString IniFile() { return Large().folder.filePath(QStringLiteral("overview.ini")); }

void OpenOverview(benchmark::State& state)
{
    Window& w = Large();
    for (auto _ : state) {
        TOverviewForm overview(w.form.Notifier(), IniFile());
        overview.show();
        overview.repaint();
        benchmark::DoNotOptimize(overview.Model().rowCount());
    }
}
BENCHMARK(OpenOverview)->Unit(benchmark::kMillisecond);

// The current slab's thickness changed and designed as the panel does;
// what is timed is the overview's share: the notifier's signal, the row
// judged and moved to its place in the order by moment ratio, the repaint.
void UpdateAfterEdit(benchmark::State& state)
{
    Window& w = Large();
    TOverviewForm overview(w.form.Notifier(), IniFile());
    overview.show();
    auto* table = overview.findChild<QTableView*>(QStringLiteral("SlabTable"));
    table->sortByColumn(SlabOverviewModel::Moment, Qt::DescendingOrder);
    overview.repaint();
    korvexa::SlabData& slab = w.form.SlabList.Current();
    int i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        slab.T = ++i % 2 ? 12 : 15;
        korvexa::DesignSlab(slab);
        state.ResumeTiming();
        emit w.form.Notifier().SlabChanged(w.form.CurrentIndex());
        overview.repaint();
    }
}
BENCHMARK(UpdateAfterEdit)->Unit(benchmark::kMicrosecond);

// The whole edit (leaving the thickness box: design, sheet, message bar,
// the undo step) with the overview open and sorted by moment ratio.
void EditWithOverviewOpen(benchmark::State& state)
{
    Window& w = Large();
    w.form.OverviewButtonClick();
    auto* table = w.form.OverviewForm->findChild<QTableView*>(QStringLiteral("SlabTable"));
    table->sortByColumn(SlabOverviewModel::Moment, Qt::DescendingOrder);
    auto* thickness = w.form.findChild<TNumberEdit*>(QStringLiteral("TInput"));
    int i = 0;
    for (auto _ : state) {
        thickness->setText(++i % 2 ? QStringLiteral("12.0") : QStringLiteral("15.0"));
        thickness->setModified(true);
        thickness->ValueUpdate();
        emit thickness->exited();
        w.form.OverviewForm->repaint();
    }
    w.form.OverviewForm->hide();
}
BENCHMARK(EditWithOverviewOpen)->Unit(benchmark::kMillisecond);

// Sorting all rows by the largest moment ratio, alternately descending and
// ascending (each a whole sort).
void SortByMomentRatio(benchmark::State& state)
{
    Window& w = Large();
    TOverviewForm overview(w.form.Notifier(), IniFile());
    overview.show();
    auto* table = overview.findChild<QTableView*>(QStringLiteral("SlabTable"));
    int i = 0;
    for (auto _ : state) {
        table->sortByColumn(SlabOverviewModel::Moment, ++i % 2 ? Qt::DescendingOrder : Qt::AscendingOrder);
        benchmark::DoNotOptimize(overview.Filter().rowCount());
    }
}
BENCHMARK(SortByMomentRatio)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv); }
