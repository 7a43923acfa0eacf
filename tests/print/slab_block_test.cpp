// The printed slab block on the recording printer: its height is what the
// pagination counts, nothing in it overlaps, and its texts state the
// checks as the calculation sheet does.
#include <gtest/gtest.h>

#include <QPainter>
#include <functional>

#include "datafile/DataFile.h"
#include "engine/Ukorvexa.h"
#include "print/PrinterInfomation.h"
#include "print/SlabBlock.h"
#include "printer/FakePrinterDevice.h"
#include "slab_test_data.h"

using namespace korvexa;
using print::PrinterInfomation;
using printer::DrawnPage;
using printer::DrawnText;
using printer::FakePrinterDevice;

namespace {

datafile::DataSet Sample()
{
    datafile::DataSet data = SampleData();
    EXPECT_FALSE(data.slabs.empty());
    return data;
}

const SlabData& Named(const datafile::DataSet& data, const std::string& prefix)
{
    for (const SlabData& slab : data.slabs)
        if (slab.Name.starts_with(prefix))
            return slab;
    ADD_FAILURE() << "no slab " << prefix;
    return data.slabs.front();
}

struct Drawn {
    PrinterInfomation info;
    DrawnPage page;
    double bottom = 0;
    int x0 = 0;
};

// The block of one slab at a top of 300 px on a fresh page of the recording printer.
Drawn DrawBlock(const SlabData& slab, const datafile::DataSet& data, double loadUnitFactor = 0)
{
    FakePrinterDevice printer;
    Drawn d;
    print::ApplyLayoutSettings(d.info, data.layout);
    print::ReadPrinterInfo(d.info, printer);
    print::ComputeLayout(d.info, printer.GetCanvas());
    d.info.CurrentLeftX = d.info.OddLeftX;
    d.info.BlockTop = 300;
    d.x0 = d.info.CurrentLeftX + d.info.IndentPx;
    BarData bars;
    bars.SetGrades(data.grades);
    QPainter painter(printer.GetCanvas());
    d.bottom = print::DrawSlabBlock(painter, slab, d.info, loadUnitFactor ? loadUnitFactor : data.settings.LoadUnitFactor,
                                    bars);
    painter.end();
    d.page = printer.pages.last();
    return d;
}

bool Inside(double v, double low, double high) { return v > low + 0.5 && v < high - 0.5; }
bool Overlap(double a0, double a1, double b0, double b1) { return std::min(a1, b1) - std::max(a0, b0) > 0.5; }

// No text crosses a rule or another text; every text lies within the block.
void ExpectClean(const Drawn& d, const std::string& what)
{
    SCOPED_TRACE(what);
    const double right = d.x0 + d.info.TableWidth;
    QVector<QLineF> rules;
    for (const auto& line : d.page.lines)
        rules << line.line;
    for (const auto& frame : d.page.rects) {
        // The frame's line lies inside the block's box: its outer edge counts.
        const double pen = frame.penWidth / 2;
        const QRectF r = frame.rect.adjusted(-pen, -pen, pen, pen);
        rules << QLineF(r.topLeft(), r.topRight()) << QLineF(r.bottomLeft(), r.bottomRight())
              << QLineF(r.topLeft(), r.bottomLeft()) << QLineF(r.topRight(), r.bottomRight());
    }
    for (int i = 0; i < d.page.texts.size(); ++i) {
        const DrawnText& t = d.page.texts[i];
        const double left = t.baseline.x(), end = left + t.width, top = t.Top(), base = t.baseline.y();
        EXPECT_GE(left, d.x0) << t.text.toStdString();
        EXPECT_LE(end, right + 0.5) << t.text.toStdString();
        EXPECT_GE(top, d.info.BlockTop) << t.text.toStdString();
        EXPECT_LE(base, d.bottom) << t.text.toStdString();
        for (const QLineF& r : rules) {
            const bool vertical = r.x1() == r.x2();
            const bool crosses = vertical ? Inside(r.x1(), left, end) && Overlap(std::min(r.y1(), r.y2()), std::max(r.y1(), r.y2()), top, base)
                                          : Inside(r.y1(), top, base) && Overlap(std::min(r.x1(), r.x2()), std::max(r.x1(), r.x2()), left, end);
            EXPECT_FALSE(crosses) << t.text.toStdString() << " crosses a rule at " << r.x1() << "," << r.y1();
        }
        for (int j = i + 1; j < d.page.texts.size(); ++j) {
            const DrawnText& u = d.page.texts[j];
            EXPECT_FALSE(Overlap(left, end, u.baseline.x(), u.baseline.x() + u.width) && Overlap(top, base, u.Top(), u.baseline.y()))
                << t.text.toStdString() << " overlaps " << u.text.toStdString();
        }
    }
}

bool Has(const Drawn& d, const QString& text)
{
    return std::any_of(d.page.texts.begin(), d.page.texts.end(), [&](const DrawnText& t) { return t.text == text; });
}

bool HasPart(const Drawn& d, const QString& part)
{
    return std::any_of(d.page.texts.begin(), d.page.texts.end(), [&](const DrawnText& t) { return t.text.contains(part); });
}

}  // namespace

TEST(SlabBlock, HeightIsTheCountedLinesForEveryLoadCaseMix)
{
    const datafile::DataSet data = Sample();
    struct Case {
        const char* what;
        const char* slab;
        std::function<void(SlabData&)> change;
        int lines;
        bool checkLine;
    };
    const Case cases[] = {
        {"long-term with deflection", "S1 ", [](SlabData&) {}, 15, true},
        {"snow: a second pair of stress rows", "S8 ", [](SlabData&) {}, 18, true},
        {"equivalent load column", "S10 ", [](SlabData&) {}, 15, true},
        {"one-way with a point load", "S12 ", [](SlabData&) {}, 15, true},
        {"cantilever", "S15 ", [](SlabData&) {}, 15, true},
        {"deflection check off", "S1 ", [](SlabData& s) { s.DeltCheck = false; }, 13, false},
        {"deflection loads but no deflection", "S1 ", [](SlabData& s) { s.Delta = 0; }, 14, false},
        // A δ left from other loads (a short-term slab copied from a
        // designed long-term one) is neither drawn nor counted.
        {"stale deflection of a short-term slab", "S1 ",
         [](SlabData& s) {
             s.LoadTime = LoadShortTerm;
             s.TL[2] = s.P[2] = 0;
         },
         13, false},
    };
    for (const Case& c : cases) {
        SlabData slab = Named(data, c.slab);
        c.change(slab);
        const Drawn d = DrawBlock(slab, data);
        SCOPED_TRACE(c.what);
        EXPECT_EQ(print::BlockLineCount(slab), c.lines);
        EXPECT_DOUBLE_EQ(d.bottom - d.info.BlockTop, c.lines * d.info.BodyPitch);
        ASSERT_EQ(d.page.rects.size(), 1);
        // The frame's ink is the block's box below line 1, to the bottom the pagination counts.
        const double pen = d.page.rects[0].penWidth;
        EXPECT_EQ(d.page.rects[0].rect.adjusted(-pen / 2, -pen / 2, pen / 2, pen / 2),
                  QRectF(d.x0, static_cast<int>(d.info.BlockTop + d.info.BodyPitch), d.info.TableWidth,
                         static_cast<int>(d.bottom) - static_cast<int>(d.info.BlockTop + d.info.BodyPitch)));
        EXPECT_EQ(pen, d.info.ThickPen);
        EXPECT_EQ(HasPart(d, QStringLiteral(" たわみ δ=")), c.checkLine);
        EXPECT_EQ(Has(d, QStringLiteral("短期積雪時")), slab.LoadTime == LoadLongTermSnow);
        EXPECT_EQ(Has(d, QStringLiteral("たわみ計算用")), slab.DeltCheck && (slab.TL[2] != 0 || slab.P[2] != 0));
        ExpectClean(d, c.what);
    }
}

TEST(SlabBlock, EverySampleSlabIsDrawnClean)
{
    const datafile::DataSet data = Sample();
    for (const SlabData& slab : data.slabs)
        ExpectClean(DrawBlock(slab, data), slab.Name);
}

TEST(SlabBlock, StatesTheChecksAsTheSheetDoes)
{
    const datafile::DataSet data = Sample();
    auto u = [](const char* text) { return QString::fromUtf8(text); };
    struct Case {
        const char* what;
        const char* slab;
        std::function<void(SlabData&)> change;
        double loadUnitFactor;
        std::vector<const char*> present, absent;  // whole texts; "~" marks a part
    };
    const Case cases[] = {
        {"two-way heading", "S1 ", [](SlabData&) {}, 1000,
         {"　S1 事務室", "四辺固定スラブ(精算)　", "応力割増 1.00倍,　たわみ割増 1.00倍　", "~Lx=1/27≧1/30 OK", "短辺方向 端部",
          "床荷重 ω(kN/m", "3.60　", "~fv=25.7Hz"},
         {"~先端集中荷重"}},
        {"loads in N/m²", "S1 ", [](SlabData&) {}, 1, {"床荷重 ω(N/m", "4　"}, {"3.60　"}},
        {"cantilever", "S15 ", [](SlabData&) {}, 1000, {"　L=1.50m", "先端集中荷重", "主筋方向 端部", "~t/L=1/10≧1/10 OK"},
         {"~Lx="}},
        {"deflection check off", "S1 ", [](SlabData& s) { s.DeltCheck = false; }, 1000, {"応力割増 1.00倍　"},
         {"~たわみ割増", "~必要スラブ厚", "たわみ計算用", "~固有振動数"}},
        {"thickness equal to the required", "S1 ", [](SlabData& s) { s.TReq = s.T; }, 1000,
         {"　t=15.0cm≧必要スラブ厚 15.0cm　OK"}, {}},
        {"thickness below the required", "S1 ", [](SlabData& s) { s.TReq = 15.2; }, 1000,
         {"　t=15.0cm＜必要スラブ厚 15.2cm　NG"}, {}},
        {"16δ/Lx failing", "S1 ", [](SlabData& s) { s.DeflectionOnly = true; s.DeltaRatio16 = 249; }, 1000,
         {"~16δ/Lx=1/249＞1/250 NG"}, {"~t/Lx"}},
        {"frequency from 100 Hz on, cut to whole hertz", "S1 ", [](SlabData& s) { s.Fv = 100.9; }, 1000,
         {"~固有振動数 fv=100Hz"}, {}},
    };
    for (const Case& c : cases) {
        SlabData slab = Named(data, c.slab);
        c.change(slab);
        const Drawn d = DrawBlock(slab, data, c.loadUnitFactor);
        SCOPED_TRACE(c.what);
        for (const char* text : c.present)
            EXPECT_TRUE(text[0] == '~' ? HasPart(d, u(text + 1)) : Has(d, u(text))) << text;
        for (const char* text : c.absent)
            EXPECT_FALSE(text[0] == '~' ? HasPart(d, u(text + 1)) : Has(d, u(text))) << text;
    }
}
