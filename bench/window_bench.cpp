// The window's responsiveness, offscreen: start-up to a shown window with
// a data file, and one edit (leaving a box) to a redrawn result sheet.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "WindowBenchMain.h"
#include "app/Umain.h"
#include "app/UserMessages.h"
#include "components/NumberEdit.h"

namespace {

const QString kSample = QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab");

void StartUpWithDataFile(benchmark::State& state)
{
    for (auto _ : state) {
        TMainForm form;
        form.show();
        form.FormShow(kSample);
        QApplication::processEvents();
        benchmark::DoNotOptimize(form.SheetImage().constBits());
    }
}
BENCHMARK(StartUpWithDataFile)->Unit(benchmark::kMillisecond);

// Leaving the thickness box: the loads are derived again, the slab is
// designed and the sheet, λ label and message bar are redrawn.
void EditToRedrawnSheet(benchmark::State& state)
{
    TMainForm form;
    form.show();
    form.FormShow(kSample);
    auto* thickness = form.findChild<TNumberEdit*>(QStringLiteral("TInput"));
    int i = 0;
    for (auto _ : state) {
        thickness->setText(++i % 2 ? QStringLiteral("16.0") : QStringLiteral("15.0"));
        thickness->ValueUpdate();
        emit thickness->exited();
        benchmark::DoNotOptimize(form.SheetImage().constBits());
    }
}
BENCHMARK(EditToRedrawnSheet)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv); }
