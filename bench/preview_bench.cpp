// The print preview's redraw, offscreen, on the sample file in a window of
// 1920 × 1080 on the PDF printer's A4 at 1200 dpi: switching to another
// page at each zoom step, and switching the zoom (the sheet rendered again
// and the page drawn on it), each up to the page shown on the screen.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "WindowBenchMain.h"
#include "app/Umain.h"
#include "app/UserMessages.h"
#include "print/PrintFonts.h"
#include "print/Upreviewform.h"

namespace {

const QString kSample = QStringLiteral(KORVEXA_SOURCE_DIR "/examples/sample.slab");

struct Preview {
    TMainForm form;
    TPreviewForm* preview = nullptr;
    QWidget* page = nullptr;

    Preview()
    {
        form.FormShow(kSample);
        preview = form.PreviewForm;
        preview->resize(1920, 1080);
        preview->show();
        QApplication::processEvents();
        page = preview->findChild<QWidget*>(QStringLiteral("Preview"));
    }
    void Click(Qt::MouseButton button)
    {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), page->mapToGlobal(QPointF(5, 5)), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(page, &press);
    }
    void Button(const char* name) { preview->findChild<QAbstractButton*>(QString::fromUtf8(name))->click(); }
};

// Next page and back, one a iteration, at zoom step state.range(0).
void SwitchPage(benchmark::State& state)
{
    Preview p;
    for (int i = 0; i < state.range(0); ++i)
        p.Click(Qt::LeftButton);
    state.SetLabel(QString::number(p.preview->ZoomSteps()[p.preview->ZoomIndex()], 'f', 3).toStdString() + "x");
    int i = 0;
    for (auto _ : state) {
        p.Button(++i % 2 ? "NextPageButton" : "BeforPageButton");
        p.page->repaint();
        benchmark::DoNotOptimize(p.preview->PreviewImage().constBits());
    }
}
BENCHMARK(SwitchPage)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Up and down through the zoom steps, one step an iteration.
void SwitchZoom(benchmark::State& state)
{
    Preview p;
    const int last = static_cast<int>(p.preview->ZoomSteps().size()) - 1;
    bool up = true;
    for (auto _ : state) {
        if (p.preview->ZoomIndex() == (up ? last : 0))
            up = !up;
        p.Click(up ? Qt::LeftButton : Qt::RightButton);
        p.page->repaint();
        benchmark::DoNotOptimize(p.preview->PreviewImage().constBits());
    }
}
BENCHMARK(SwitchZoom)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunWindowBenchmarks(argc, argv, korvexa::print::SubstituteFonts); }
