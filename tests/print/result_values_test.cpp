// The values of a designed slab in the sheet: cells, formats, colours and
// the check lines below the table.
#include <gtest/gtest.h>

#include <QImage>

#include "engine/Reinforcement.h"
#include "engine/Ucommon.h"
#include "engine/Ukorvexa.h"
#include "sheet_test_util.h"

using namespace korvexa;

namespace {

const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

// A four-edges-fixed 4 m × 5 m slab, long-term plus snow.
SlabData FixedSlab()
{
    SlabData s;
    s.Name = "S1";
    s.Bind = BindFixedExact;
    s.LoadTime = LoadLongTermSnow;
    s.Lx = 4;
    s.Ly = 5;
    s.T = 15;
    s.FL = 800;
    s.LL = {1800, 1300, 600};
    return s;
}

SheetDrawing Values(SlabData& slab, const CommonSettings& settings = CommonSettings{}, int* status = nullptr)
{
    SheetDrawing d;
    const int st = ResultValues(d, TestFont(), kTestWidth, slab, settings, BarData{});
    if (status)
        *status = st;
    else
        EXPECT_EQ(st, 0);
    return d;
}

// Texts of the three lines below the table, in drawing order.
QVector<SheetText> Line(const SheetDrawing& d, int n)
{
    const SheetGeometry g = TestGeometry();
    const int top = g.r[8] + 6 + (n - 1) * (g.h + 5);
    QVector<SheetText> out;
    for (const SheetText& t : d.texts)
        if (t.y == top)
            out.append(t);
    return out;
}

QString Joined(const QVector<SheetText>& texts)
{
    QString s;
    for (const SheetText& t : texts)
        s += t.text;
    return s;
}

// Each text starts at the pen position the text before it left.
void ExpectChained(const QVector<SheetText>& texts, int start)
{
    int x = start;
    for (const SheetText& t : texts) {
        EXPECT_EQ(t.x, x) << t.text.toStdString();
        x = RightEnd(t);
    }
}

// A record as the design leaves it, with the check results set by hand.
SlabData CheckedSlab()
{
    SlabData s = FixedSlab();
    EXPECT_EQ(DesignSlab(s, CommonSettings{}, BarData{}), 0);
    return s;
}

SheetDrawing ValuesOf(const SlabData& slab, const CommonSettings& settings = CommonSettings{})
{
    SheetDrawing d;
    AddResultValues(d, TestFont(), kTestWidth, slab, settings);
    return d;
}

}  // namespace

TEST(ResultValues, CellsOfADesignedSlab)
{
    const SheetGeometry g = TestGeometry();
    SlabData s = FixedSlab();
    const SheetDrawing d = Values(s);
    ASSERT_TRUE(s.Calculated);

    for (int i = 0; i < 4; ++i) {
        const int dir = i / 2, pos = i % 2;
        const int left = g.e[2 + i];
        const int centre = left + g.CW / 2;
        SCOPED_TRACE(i);

        // Row 1: steel area ends 4 pixels right of the centre, depth starts 6 right of it.
        const auto row1 = TextsInCell(d, g.TextTop(1), left, left + g.CW);
        ASSERT_EQ(row1.size(), 2);
        EXPECT_EQ(row1[0].text, QString::asprintf("%.2f", s.At[dir][pos]));
        EXPECT_EQ(RightEnd(row1[0]), centre + 4);
        EXPECT_EQ(row1[1].text, QString::asprintf("(%.2f)", s.Dt[dir][pos]));
        EXPECT_EQ(row1[1].x, centre + 6);
        EXPECT_EQ(row1[0].colour, kBlack);
        EXPECT_EQ(row1[1].colour, kBlack);

        for (int c = 0; c < 2; ++c) {
            const auto mCell = TextsInCell(d, g.TextTop(2 + 2 * c), left, left + g.CW);
            ASSERT_EQ(mCell.size(), 2) << "case " << c;
            EXPECT_EQ(mCell[0].text, MomentText(s.M[c][dir][pos]));
            EXPECT_EQ(RightEnd(mCell[0]), centre + 4);
            EXPECT_EQ(mCell[0].colour, kBlack);
            EXPECT_EQ(mCell[1].text, RatioText(s.MRatio[c][dir][pos]));
            EXPECT_EQ(mCell[1].x, centre + 6);
            EXPECT_EQ(mCell[1].colour, RatioColour(s.MRatio[c][dir][pos]));

            // Shears only at the ends, one per direction.
            const auto qCell = TextsInCell(d, g.TextTop(3 + 2 * c), left, left + g.CW);
            if (pos == 1) {
                EXPECT_TRUE(qCell.isEmpty());
                continue;
            }
            ASSERT_EQ(qCell.size(), 2) << "case " << c;
            EXPECT_EQ(qCell[0].text, ShearText(s.Q[c][dir]));
            EXPECT_EQ(RightEnd(qCell[0]), centre + 4);
            EXPECT_EQ(qCell[1].text, RatioText(s.QRatio[c][dir]));
            EXPECT_EQ(qCell[1].colour, RatioColour(s.QRatio[c][dir]));
        }

        // Bar texts end 2 pixels inside the column.
        for (int layer = 0; layer < 2; ++layer) {
            const auto bar = TextsInCell(d, g.TextTop(6 + layer), left, left + g.CW);
            ASSERT_EQ(bar.size(), 1);
            EXPECT_EQ(bar[0].text, QString::fromStdString(BarTexts(s)[dir][pos][layer]));
            EXPECT_EQ(RightEnd(bar[0]), left + g.CW - 2);
            EXPECT_GT(bar[0].x, left);
        }
    }
    // Fixed edges hog at the ends: negative moments there.
    EXPECT_TRUE(HasText(d, MomentText(s.M[0][0][0])));
    EXPECT_LT(s.M[0][0][0], 0);
}

TEST(ResultValues, ARejectedSlabAddsNothing)
{
    SheetDrawing d = ResultFrame(TestFont(), kTestWidth, BindFixedApprox, LoadLongTerm);
    const int frameTexts = d.texts.size();

    SlabData empty;
    int status = -1;
    SheetDrawing none;
    EXPECT_EQ(ResultValues(d, TestFont(), kTestWidth, empty, CommonSettings{}, BarData{}), DesignIncomplete);
    EXPECT_EQ(d.texts.size(), frameTexts);

    SlabData swapped = FixedSlab();
    swapped.Lx = 6;
    none = Values(swapped, CommonSettings{}, &status);
    EXPECT_EQ(status, DesignSpansSwapped);
    EXPECT_TRUE(none.texts.isEmpty());
    EXPECT_TRUE(none.lines.isEmpty());
}

TEST(ResultValues, OnlyLoadedCasesAreShown)
{
    const SheetGeometry g = TestGeometry();
    SlabData s = FixedSlab();
    s.LoadTime = LoadShortTerm;
    const SheetDrawing d = Values(s);
    EXPECT_FALSE(TextsBetween(d, g.r[2], g.r[4]).isEmpty());
    EXPECT_TRUE(TextsBetween(d, g.r[4], g.r[6]).isEmpty());
    EXPECT_TRUE(Line(d, 2).isEmpty());

    // No deflection line for short-term design, whatever the record holds.
    SlabData checked = CheckedSlab();
    ASSERT_GT(checked.Delta, 0);
    checked.LoadTime = LoadShortTerm;
    const SheetDrawing shortTerm = ValuesOf(checked);
    EXPECT_FALSE(Line(shortTerm, 1).isEmpty());
    EXPECT_TRUE(Line(shortTerm, 2).isEmpty());
    EXPECT_FALSE(Line(shortTerm, 3).isEmpty());
}

TEST(ResultValues, CellFormats)
{
    EXPECT_EQ(MomentText(1000), QStringLiteral("1000.00"));
    EXPECT_EQ(MomentText(1000.01), QStringLiteral("1000.0"));
    EXPECT_EQ(MomentText(-1000), QStringLiteral("-1000.00"));
    EXPECT_EQ(MomentText(-1000.01), QStringLiteral("-1000.0"));
    EXPECT_EQ(MomentText(-9.7049), QStringLiteral("-9.70"));
    EXPECT_EQ(ShearText(10000), QStringLiteral("10000.00"));
    EXPECT_EQ(ShearText(10000.04), QStringLiteral("10000.0"));
    EXPECT_EQ(ShearText(18.035), QStringLiteral("18.04"));

    EXPECT_EQ(RatioText(0.97), QStringLiteral("(0.97)"));
    EXPECT_EQ(RatioText(1.0), QStringLiteral("(1.00)"));
    EXPECT_EQ(RatioText(9.99), QStringLiteral("(9.99)"));
    EXPECT_EQ(RatioText(10.0), QStringLiteral("(10.0)"));
    EXPECT_EQ(RatioText(99.94), QStringLiteral("(99.9)"));
    EXPECT_EQ(RatioText(100), QStringLiteral("(****)"));
    EXPECT_EQ(RatioText(2500), QStringLiteral("(****)"));

    EXPECT_EQ(RatioColour(0), kBlue);
    EXPECT_EQ(RatioColour(1.0), kBlue);
    EXPECT_EQ(RatioColour(RoundHalfUp(1.004, 2)), kBlue);
    EXPECT_EQ(RatioColour(1.01), kRed);
    EXPECT_EQ(RatioColour(100), kRed);
}

TEST(ResultChecks, LoadThicknessDeflectionAndFrequency)
{
    const SheetGeometry g = TestGeometry();
    SlabData s = FixedSlab();
    const SheetDrawing d = Values(s);
    ASSERT_GT(s.AddLoadE, 0);
    ASSERT_GT(s.Delta, 0);
    ASSERT_GT(s.Fv, 0);
    ASSERT_EQ(s.TReq, 0);  // 15 cm ≥ 400/30

    // ωp in kN/m² with the exponent two points smaller on the same top.
    const auto line1 = Line(d, 1);
    ASSERT_EQ(line1.size(), 3);
    EXPECT_EQ(line1[0].text, QString::asprintf("ωp＝%.3f kN/m", s.AddLoadE * 0.001));
    EXPECT_EQ(line1[0].x, g.e[1]);
    EXPECT_EQ(line1[1].text, QStringLiteral("2"));
    EXPECT_EQ(line1[1].pointSize, 8);
    EXPECT_EQ(line1[2].text, U("　　"));
    EXPECT_EQ(line1[2].pointSize, 10);
    ExpectChained(line1, g.e[1]);

    const auto line2 = Line(d, 2);
    EXPECT_EQ(Joined(line2), QString::asprintf("δ＝%.2fmm(Lx/%d)     t/Lx=1/27 ≧ 1/30 OK", s.Delta, s.DeltaRatio));
    EXPECT_EQ(line2.size(), 4);
    ExpectChained(line2, g.e[1]);
    for (const SheetText& t : line2)
        EXPECT_EQ(t.colour, kBlack);

    const auto line3 = Line(d, 3);
    ASSERT_EQ(line3.size(), 1);
    EXPECT_EQ(line3[0].text, QString::asprintf("固有振動数 fv＝%.1f Hz", s.Fv) + U("(周辺半固定)"));
    EXPECT_EQ(line3[0].x, g.e[1]);

    // Nothing else below the table.
    EXPECT_EQ(TextsBetween(d, g.r[8], 100000).size(), line1.size() + line2.size() + line3.size());
}

TEST(ResultChecks, LoadInKilonewtonsGivesTheSameFigure)
{
    SlabData n = FixedSlab();
    const SheetDrawing dn = Values(n);

    CommonSettings kn;
    kn.LoadUnitFactor = 1000;
    SlabData k = FixedSlab();
    k.LoadUnit = 1000;
    k.FL = 0.8;
    k.LL = {1.8, 1.3, 0.6};
    const SheetDrawing dk = Values(k, kn);
    ASSERT_EQ(Line(dk, 1).size(), 3);
    EXPECT_EQ(Line(dk, 1)[0].text, Line(dn, 1)[0].text);
}

TEST(ResultChecks, NothingBelowTheTableWithoutTheDeflectionCheck)
{
    const SheetGeometry g = TestGeometry();
    SlabData s = FixedSlab();
    s.DeltCheck = false;
    s.T = 10;  // would need a thicker slab
    const SheetDrawing d = Values(s);
    EXPECT_TRUE(TextsBetween(d, g.r[8], 100000).isEmpty());
    // The table itself is complete.
    EXPECT_EQ(TextsBetween(d, g.r[1], g.r[8]).size(), 4 * 2 + 2 * (4 * 2 + 2 * 2) + 4 * 2);
}

TEST(ResultChecks, RequiredThickness)
{
    const SheetGeometry g = TestGeometry();
    SlabData s = CheckedSlab();
    s.TReq = 16.5;

    // Without the deflection-case load the thickness starts the line.
    s.AddLoadE = 0;
    auto line1 = Line(ValuesOf(s), 1);
    ASSERT_EQ(line1.size(), 2);
    EXPECT_EQ(line1[0].text, U("必要厚 16.5cm"));
    EXPECT_EQ(line1[0].x, g.e[1]);
    EXPECT_EQ(line1[1].text, U("　NG"));
    EXPECT_EQ(line1[1].colour, kRed);
    EXPECT_EQ(line1[1].x, RightEnd(line1[0]));

    // After ωp it follows the two ideographic spaces.
    s.AddLoadE = 1400;
    line1 = Line(ValuesOf(s), 1);
    ASSERT_EQ(line1.size(), 5);
    EXPECT_EQ(line1[3].text, U("必要厚 16.5cm"));
    ExpectChained(line1, g.e[1]);

    // A thickness not above the slab's is Ok, in black.
    s.TReq = s.T;
    line1 = Line(ValuesOf(s), 1);
    ASSERT_EQ(line1.size(), 5);
    EXPECT_EQ(line1[4].text, U("　Ok"));
    EXPECT_EQ(line1[4].colour, kBlack);
}

TEST(ResultChecks, DeflectionVerdict)
{
    const SheetGeometry g = TestGeometry();
    SlabData s = CheckedSlab();
    s.DeflectionOnly = true;  // judged by deflection although 15 cm passes t/Lx

    s.DeltaRatio16 = 250;
    auto line2 = Line(ValuesOf(s), 2);
    ASSERT_EQ(line2.size(), 4);
    EXPECT_EQ(line2[2].text, U("16δ/Lx＝1/250"));
    EXPECT_EQ(line2[3].text, U(" ≦ 1/250　Ok"));
    EXPECT_EQ(line2[3].colour, kBlack);
    ExpectChained(line2, g.e[1]);

    s.DeltaRatio16 = 249;
    line2 = Line(ValuesOf(s), 2);
    ASSERT_EQ(line2.size(), 5);
    EXPECT_EQ(line2[2].text, U("16δ/Lx＝1/249"));
    EXPECT_EQ(line2[3].text, U(" ＞ 1/250　"));
    EXPECT_EQ(line2[3].colour, kBlack);
    EXPECT_EQ(line2[4].text, QStringLiteral("NG"));
    EXPECT_EQ(line2[4].colour, kRed);
    ExpectChained(line2, g.e[1]);

    // Too thin for t/Lx: the deflection verdict even when t/Lx may judge.
    s.DeflectionOnly = false;
    s.T = 13.3;  // 4 m / 30 = 13.33 cm
    line2 = Line(ValuesOf(s), 2);
    EXPECT_TRUE(Joined(line2).contains(U("16δ/Lx＝1/249")));

    // No deflection, no line.
    s.Delta = 0;
    EXPECT_TRUE(Line(ValuesOf(s), 2).isEmpty());
}

TEST(ResultChecks, ThicknessRatioOnTheDecimalBoundary)
{
    // 12.2 cm is exactly 366 cm / 30, although 3.66·10/3 is above 12.2 in binary.
    SlabData s = CheckedSlab();
    s.Lx = 3.66;
    s.T = 12.2;
    EXPECT_TRUE(Joined(Line(ValuesOf(s), 2)).endsWith(U("t/Lx=1/30 ≧ 1/30 OK")));

    s.Bind = BindCantilever;
    s.Lx = 1.12;
    s.T = 11.2;
    EXPECT_TRUE(Joined(Line(ValuesOf(s), 2)).endsWith(U("t/Lx=1/10 ≧ 1/10 OK")));
    s.T = 11.1;
    EXPECT_TRUE(Joined(Line(ValuesOf(s), 2)).contains(U("16δ/Lx")));
}

TEST(ResultChecks, CantileverJudgedByOneTenth)
{
    SlabData s;
    s.Bind = BindCantilever;
    s.Lx = 2.0;
    s.T = 20;
    s.FL = 800;
    s.LL = {1800, 0, 600};

    SheetDrawing d = Values(s);
    ASSERT_GT(s.Delta, 0);
    auto line2 = Line(d, 2);
    ASSERT_EQ(line2.size(), 4);
    EXPECT_EQ(line2[2].text, U("t/Lx=1/10 ≧ 1/"));
    EXPECT_EQ(line2[3].text, QStringLiteral("10 OK"));

    s.T = 19;
    d = Values(s);
    line2 = Line(d, 2);
    ASSERT_GE(line2.size(), 4);
    EXPECT_EQ(line2[2].text, QString::asprintf("16δ/Lx＝1/%d", s.DeltaRatio16));
}

TEST(SheetImage, UndrawnPixelsAreTransparent)
{
    const SheetGeometry g = TestGeometry();
    QImage image(kTestWidth, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    DrawResultFrame(image, TestFont(), BindFixedApprox, LoadLongTermSnow);
    ASSERT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);

    // Inside an empty cell and below the table: nothing.
    EXPECT_EQ(qAlpha(image.pixel(g.e[5] + 3, g.r[5] + 3)), 0);
    EXPECT_EQ(qAlpha(image.pixel(10, 290)), 0);
    // On a rule: opaque black.
    EXPECT_EQ(image.pixelColor(g.e[3], g.r[4] + 3), QColor(0, 0, 0));
    EXPECT_EQ(image.pixelColor(g.e[3] + 3, g.r[4]), QColor(0, 0, 0));

    // A rejected slab leaves the frame as it was.
    const QImage frame = image;
    SlabData empty;
    EXPECT_EQ(DrawResultValues(image, TestFont(), empty, CommonSettings{}, BarData{}), DesignIncomplete);
    EXPECT_EQ(image, frame);

    // A designed one draws into the cells and leaves the rest clear.
    SlabData s = FixedSlab();
    EXPECT_EQ(DrawResultValues(image, TestFont(), s, CommonSettings{}, BarData{}), 0);
    EXPECT_NE(image, frame);
    EXPECT_EQ(qAlpha(image.pixel(g.e[5] + 3, g.r[5] + 3)), 0);
    int red = 0;
    for (int y = g.r[1]; y < g.r[2]; ++y)
        for (int x = 0; x < kTestWidth; ++x)
            red += image.pixelColor(x, y).red() > 200 && image.pixelColor(x, y).green() < 50 ? 1 : 0;
    EXPECT_EQ(red, 0);  // row 1 is all black
}
