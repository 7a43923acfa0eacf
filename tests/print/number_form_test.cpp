// One number form everywhere: a value that lies exactly halfway between two
// printed figures reads the same on the screen sheet, in the printed block
// and in the LaTeX report (printf's %.Nf, the tie to the even digit).
#include <gtest/gtest.h>

#include <QPainter>
#include <functional>

#include "datafile/DataFile.h"
#include "engine/Ukorvexa.h"
#include "latex/LatexWriter.h"
#include "print/PrinterInfomation.h"
#include "print/SlabBlock.h"
#include "printer/FakePrinterDevice.h"
#include "sheet_test_util.h"

using namespace korvexa;

namespace {

// A cantilever of 1 m with the total load entered: M = −TL/2, Q = TL (kN).
SlabData Cantilever(double totalLoad)
{
    SlabData s;
    s.Name = "C1";
    s.Bind = BindCantilever;
    s.Lx = 1;
    s.TLDirect = true;
    s.TL = {totalLoad, 0, totalLoad};
    return s;
}

QString ScreenTexts(SlabData slab)
{
    SheetDrawing d;
    EXPECT_EQ(ResultValues(d, TestFont(), kTestWidth, slab, CommonSettings{}, BarData{}), 0);
    QString all;
    for (const SheetText& t : d.texts)
        all += t.text + U("|");
    return all;
}

QString PrintedTexts(const SlabData& slab)
{
    printer::FakePrinterDevice printer;
    print::PrinterInfomation info;
    print::ApplyLayoutSettings(info, datafile::DataSet{}.layout);
    print::ReadPrinterInfo(info, printer);
    print::ComputeLayout(info, printer.GetCanvas());
    info.CurrentLeftX = info.OddLeftX;
    info.BlockTop = 300;
    QPainter painter(printer.GetCanvas());
    print::DrawSlabBlock(painter, slab, info, 1, BarData{});
    painter.end();
    QString all;
    for (const printer::DrawnText& t : printer.pages.last().texts)
        all += t.text + U("|");
    return all;
}

struct Tie {
    const char* name;
    std::function<SlabData()> slab;  // designed; the screen sheet designs it again
    std::function<void(SlabData&)> set = {};  // results set by hand, for print and LaTeX only
    const char* screen;
    const char* printed;
    const char* latex;
};

SlabData Designed(SlabData s)
{
    EXPECT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
    return s;
}

}  // namespace

TEST(NumberForm, TiesReadTheSameOnScreenInPrintAndInLatex)
{
    const Tie ties[] = {
        {"moment -0.625", [] { return Designed(Cantilever(1250)); }, {}, "|-0.62|", "|-0.62 (", "\\hfill -0.62  ("},
        {"shear 0.625", [] { return Designed(Cantilever(625)); }, {}, "|0.62|", "|0.62 (", "\\hfill 0.62  ("},
        {"moment -0.375", [] { return Designed(Cantilever(750)); }, {}, "|-0.38|", "|-0.38 (", "\\hfill -0.38  ("},
        {"span ratio 1.125",
         [] {
             SlabData s = Cantilever(0);
             s.Bind = BindFixedExact;
             s.Lx = 4;
             s.Ly = 4.5;
             s.TLDirect = false;
             return Designed(s);
         },
         {}, nullptr, "λ=1.12|", "\\lambda=1.12$"},
        {"deflection 0.125", [] { return Designed(Cantilever(1250)); }, [](SlabData& s) { s.Delta = 0.125; },
         nullptr, "δ=0.12mm", "\\delta=0.12\\,mm"},
        {"frequency 12.25",
         [] {
             SlabData s = Designed(Cantilever(1250));
             s.Bind = BindOneWaySupported;
             return s;
         },
         [](SlabData& s) { s.Fv = 12.25; }, nullptr, "fv=12.2Hz", "fv=12.2\\,H_z"},
    };
    for (const Tie& tie : ties) {
        SCOPED_TRACE(tie.name);
        SlabData slab = tie.slab();
        if (tie.screen) {
            const QString screen = ScreenTexts(slab);
            EXPECT_TRUE(screen.contains(U(tie.screen))) << screen.toStdString();
        }
        if (tie.set)
            tie.set(slab);
        const QString printed = PrintedTexts(slab);
        EXPECT_TRUE(printed.contains(U(tie.printed))) << printed.toStdString();
        const std::string latex = latex::WriteLatexSlab(slab, 1, BarData{});
        EXPECT_NE(latex.find(tie.latex), std::string::npos) << latex;
    }
}
