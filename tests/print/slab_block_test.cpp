// The printed slab block on the recording printer: its height is what the
// pagination counts, nothing in it overlaps, and its texts state the
// checks as the calculation sheet does.
#include <gtest/gtest.h>

#include <QPainter>
#include <functional>

#include "datafile/DataFile.h"
#include "engine/Reinforcement.h"
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
        {"snow with the deflection check off", "S8 ", [](SlabData& s) { s.DeltCheck = false; }, 16, false},
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
        {"16δ/Lx exactly 1/250", "S1 ", [](SlabData& s) { s.DeflectionOnly = true; s.DeltaRatio16 = 250; }, 1000,
         {"~16δ/Lx=1/250≦1/250 OK"}, {"~NG"}},
        {"t/Lx exactly 1/30", "S1 ", [](SlabData& s) { s.Lx = 4.5; }, 1000, {"~t/Lx=1/30≧1/30 OK"}, {"~16δ/Lx"}},
        {"t/Lx just below 1/30: judged by 16δ/Lx", "S1 ", [](SlabData& s) { s.Lx = 4.51; }, 1000, {"~16δ/Lx=1/"},
         {"~t/Lx"}},
        {"thicker than required", "S1 ", [](SlabData& s) { s.TReq = 14.9; }, 1000,
         {"　t=15.0cm＞必要スラブ厚 14.9cm　OK"}, {}},
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

namespace {

double Centre(const DrawnText& t) { return t.baseline.x() + t.width / 2; }

const DrawnText* Find(const Drawn& d, const QString& text)
{
    const auto it = std::find_if(d.page.texts.begin(), d.page.texts.end(), [&](const DrawnText& t) { return t.text == text; });
    return it == d.page.texts.end() ? nullptr : &*it;
}

}  // namespace

// Every number in the column of its own heading and on the line of its own
// row: two columns or two rows swapped fail.
TEST(SlabBlock, EachValueStandsUnderItsHeadingOnItsRow)
{
    const datafile::DataSet data = Sample();
    SlabData s = Named(data, "S1 ");
    s.Own = 3.61, s.FL = 1.02, s.LL = {2.93, 0, 1.5}, s.SL = {0.64, 0, 0}, s.TL = {8.2, 0, 6.17}, s.P = {0, 0, 0};
    s.AddLoadE = 1.23;
    s.At = {{{1.11, 2.22}, {3.33, 4.44}}};
    s.Dt = {{{11.1, 12.2}, {13.3, 14.4}}};
    s.M[0] = {{{-5.55, 6.66}, {-7.77, 8.88}}};
    s.MRatio[0] = {{{0.15, 0.26}, {0.37, 0.48}}};
    s.Q[0] = {9.91, 8.81};
    s.QRatio[0] = {0.11, 0.12};
    // One bar text per column, on the face of its tension.
    s.Bar = {{{{{BarD10, BarNone}, {BarD13, BarNone}}}, {{{BarD16, BarNone}, {BarD19, BarNone}}}}};
    s.CalcPitch = {{{101, 202}, {303, 404}}};
    s.CompMode = {CompNone, CompNone};
    const Drawn d = DrawBlock(s, data, 1000);

    struct Cell {
        const char* value;
        const char* heading;
        const char* row;  // a text on the value's line
    };
    const Cell cells[] = {
        {"3.61　", "自　重", "長　期"}, {"1.02　", "仕上重量", "長　期"}, {"2.93　", "積載荷重", "長　期"},
        {"0.64　", "積雪荷重", "長　期"}, {"8.20　", "合　計", "長　期"}, {"3.61　", "自　重", "たわみ計算用"},
        {"1.50　", "積載荷重", "たわみ計算用"}, {"6.17　", "合　計", "たわみ計算用"}, {"1.23　", "Wp", "たわみ計算用"},
        {"1.11 (11.10)　", "短辺方向 端部", "必要at cm"}, {"2.22 (12.20)　", "短辺方向 中央", "必要at cm"},
        {"3.33 (13.30)　", "長辺方向 端部", "必要at cm"}, {"4.44 (14.40)　", "長辺方向 中央", "必要at cm"},
        {"-5.55 (0.15)　", "短辺方向 端部", "Ｍ (kN･m)"}, {"6.66 (0.26)　", "短辺方向 中央", "Ｍ (kN･m)"},
        {"-7.77 (0.37)　", "長辺方向 端部", "Ｍ (kN･m)"}, {"8.88 (0.48)　", "長辺方向 中央", "Ｍ (kN･m)"},
        {"9.91 (0.11)　", "短辺方向 端部", "Ｑ (kN)"}, {"8.81 (0.12)　", "長辺方向 端部", "Ｑ (kN)"},
        {"D10 @101　", "短辺方向 端部", "上　筋"}, {"D13 @202　", "短辺方向 中央", "下　筋"},
        {"D16 @303　", "長辺方向 端部", "上　筋"}, {"D19 @404　", "長辺方向 中央", "下　筋"},
    };
    auto u = [](const char* text) { return QString::fromUtf8(text); };
    // Column width: the distance of two neighbouring headings' centres.
    const double loadColumn = Centre(*Find(d, u("仕上重量"))) - Centre(*Find(d, u("自　重")));
    const double stressColumn = Centre(*Find(d, u("短辺方向 中央"))) - Centre(*Find(d, u("短辺方向 端部")));
    for (const Cell& c : cells) {
        SCOPED_TRACE(c.value);
        const DrawnText* heading = Find(d, u(c.heading));
        ASSERT_TRUE(heading) << c.heading;
        std::vector<const DrawnText*> onRow;
        for (const DrawnText& label : d.page.texts)
            if (label.text == u(c.row))
                for (const DrawnText& t : d.page.texts)
                    if (t.text == u(c.value) && std::abs(t.Top() - label.Top()) < 1)
                        onRow.push_back(&t);
        ASSERT_EQ(onRow.size(), 1u) << "on the row of " << c.row;
        const double half = (heading->Top() < Find(d, u("短辺方向 端部"))->Top() ? loadColumn : stressColumn) / 2;
        // A centred heading may lie a pixel off its column's middle.
        EXPECT_GE(onRow[0]->baseline.x(), Centre(*heading) - half - 1) << "under " << c.heading;
        EXPECT_LE(onRow[0]->baseline.x() + onRow[0]->width, Centre(*heading) + half + 1) << "under " << c.heading;
    }
}

// A name of 25 full-width characters beside the longest condition, and the
// grade summary of every bar size in three grades: clear of each other and
// inside the frame, in smaller type where needed.
TEST(SlabBlock, LongNameAndGradeSummaryStayInsideTheFrame)
{
    datafile::DataSet data = Sample();
    data.grades = {"SD295", "SD295", "SD345", "SD345", "SD345", "SD345", "SD390", "SD390"};
    SlabData slab = Named(data, "S12 ");
    slab.Bind = 13;
    slab.Name = "一二三四五六七八九十一二三四五六七八九十一二三四五";
    int size = 0;  // D10 to D32, each once
    for (auto& dir : slab.Bar)
        for (auto& pos : dir)
            for (int& bar : pos)
                bar = ++size;
    const Drawn d = DrawBlock(slab, data);
    EXPECT_TRUE(HasPart(d, QStringLiteral("鉄筋 SD295(D10･D13) SD345(D16･D19･D22･D25) SD390(D29･D32)")));
    EXPECT_TRUE(HasPart(d, QString::fromStdString("　" + slab.Name)));
    ExpectClean(d, "long texts");
}
