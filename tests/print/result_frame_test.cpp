// The ruled frame of the result sheet: geometry, rules and captions for the
// edge conditions and load cases.
#include <gtest/gtest.h>

#include "engine/SlabData.h"
#include "sheet_test_util.h"

using namespace korvexa;

TEST(ResultFrame, RulesLeaveTheLabelColumnOpenBetweenMAndQ)
{
    const SheetGeometry g = TestGeometry();
    const SheetDrawing d = ResultFrame(TestFont(), kTestWidth, BindFixedApprox, LoadLongTermSnow);
    ASSERT_EQ(d.lines.size(), 9 + 7);

    for (int k = 0; k <= 8; ++k) {
        const SheetLine& l = d.lines[k];
        const int start = (k == 3 || k == 5) ? g.e[1] : 0;
        EXPECT_EQ(l.line, QLine(start, g.r[k], kTestWidth, g.r[k])) << "row edge " << k;
        EXPECT_EQ(l.width, k == 0 ? 2 : 1) << "row edge " << k;
    }
    for (int j = 0; j <= 6; ++j) {
        const SheetLine& l = d.lines[9 + j];
        const QLine expected = j == 1 ? QLine(g.e[1], g.r[2], g.e[1], g.r[6]) : QLine(g.e[j], 0, g.e[j], g.r[8]);
        EXPECT_EQ(l.line, expected) << "column edge " << j;
        EXPECT_EQ(l.width, (j == 0 || j == 6) ? 2 : 1) << "column edge " << j;
    }
}

TEST(ResultFrame, PositionCaptionsFollowTheEdgeCondition)
{
    const SheetGeometry g = TestGeometry();
    const QFontMetrics fm(TestFont());
    const int top = g.TextTop(0);

    for (int bind : {int(BindFixedApprox), int(BindFixed2AdjFree)}) {
        const SheetDrawing d = ResultFrame(TestFont(), kTestWidth, bind, LoadLongTerm);
        const int offset = (g.CW - fm.horizontalAdvance(U("短辺端部"))) / 2;
        const char* captions[] = {"短辺端部", "短辺中央", "長辺端部", "長辺中央"};
        for (int i = 0; i < 4; ++i) {
            const SheetText t = TextOf(d, U(captions[i]));
            EXPECT_EQ(t.x, g.e[2 + i] + offset) << captions[i];
            EXPECT_EQ(t.y, top);
        }
        EXPECT_FALSE(HasText(d, U("主筋端部")));
    }

    for (int bind : {int(BindOneWayFixed), int(BindCantilever)}) {
        const SheetDrawing d = ResultFrame(TestFont(), kTestWidth, bind, LoadLongTerm);
        const int mainOffset = (g.CW - fm.horizontalAdvance(U("主筋端部"))) / 2;
        const int distOffset = (g.CW - fm.horizontalAdvance(U("配力筋端部"))) / 2;
        EXPECT_EQ(TextOf(d, U("主筋端部")).x, g.e[2] + mainOffset);
        EXPECT_EQ(TextOf(d, U("主筋中央")).x, g.e[3] + mainOffset);
        EXPECT_EQ(TextOf(d, U("配力筋端部")).x, g.e[4] + distOffset);
        EXPECT_EQ(TextOf(d, U("配力筋中央")).x, g.e[5] + distOffset);
        EXPECT_EQ(TextOf(d, U("配力筋中央")).y, top);
        EXPECT_FALSE(HasText(d, U("短辺端部")));
    }
}

TEST(ResultFrame, RowCaptionsAreCentred)
{
    const SheetGeometry g = TestGeometry();
    const QFontMetrics fm(TestFont());
    const SheetDrawing d = ResultFrame(TestFont(), kTestWidth, BindFixedApprox, LoadLongTerm);

    const SheetText at = TextOf(d, U("必要at ( dt )"));
    EXPECT_EQ(at.x, (g.e[2] - fm.horizontalAdvance(at.text)) / 2);
    EXPECT_EQ(at.y, g.TextTop(1));

    const SheetText m = TextOf(d, U("M (kN･m)"));
    EXPECT_EQ(m.x, g.e[1] + (g.e[2] - g.e[1] - fm.horizontalAdvance(m.text)) / 2);
    EXPECT_EQ(m.y, g.TextTop(2));
    EXPECT_EQ(TextOf(d, QStringLiteral("Q (kN)")).y, g.TextTop(3));

    // Both bar captions are placed by the width of the first.
    const SheetText top = TextOf(d, U("上　筋"));
    const SheetText bottom = TextOf(d, U("下　筋"));
    EXPECT_EQ(top.x, (g.e[2] - fm.horizontalAdvance(top.text)) / 2);
    EXPECT_EQ(bottom.x, top.x);
    EXPECT_EQ(top.y, g.TextTop(6));
    EXPECT_EQ(bottom.y, g.TextTop(7));

    for (const SheetText& t : d.texts) {
        EXPECT_EQ(t.colour, QColor(0, 0, 0)) << t.text.toStdString();
        EXPECT_EQ(t.pointSize, 10) << t.text.toStdString();
    }
}

TEST(ResultFrame, LoadCaseLabels)
{
    const SheetGeometry g = TestGeometry();
    const int x = 4;

    {
        const SheetDrawing d = ResultFrame(TestFont(), kTestWidth, BindFixedApprox, LoadLongTerm);
        EXPECT_EQ(TextOf(d, U("長")).x, x);
        EXPECT_EQ(TextOf(d, U("長")).y, g.r[2] + 6);
        EXPECT_EQ(TextOf(d, U("期")).y, g.r[2] + g.h + 12);
        EXPECT_TRUE(TextsBetween(d, g.r[4], g.r[6]).isEmpty());
    }
    {
        const SheetDrawing d = ResultFrame(TestFont(), kTestWidth, BindFixedApprox, LoadLongTermSnow);
        EXPECT_TRUE(HasText(d, U("長")));
        EXPECT_TRUE(HasText(d, U("期")));
        EXPECT_EQ(TextOf(d, U("積")).y, g.r[4] + 3);
        EXPECT_EQ(TextOf(d, U("雪")).y, g.r[4] + g.h + 3);
        EXPECT_EQ(TextOf(d, U("時")).y, g.r[4] + 2 * g.h + 3);
        EXPECT_EQ(TextOf(d, U("時")).x, x);
        // The snow case repeats the M and Q captions in rows 4 and 5.
        const auto rows45 = TextsBetween(d, g.TextTop(4), g.r[6]);
        QStringList captions;
        for (const SheetText& t : rows45)
            if (t.x > g.e[1])
                captions << t.text;
        EXPECT_EQ(captions, QStringList({U("M (kN･m)"), QStringLiteral("Q (kN)")}));
        // The snow label stays inside its two rows.
        EXPECT_LE(g.r[4] + 3 * g.h + 3, g.r[6]);
    }
    {
        const SheetDrawing d = ResultFrame(TestFont(), kTestWidth, BindFixedApprox, LoadShortTerm);
        EXPECT_EQ(TextOf(d, U("短")).y, g.r[2] + 6);
        EXPECT_FALSE(HasText(d, U("長")));
        EXPECT_TRUE(HasText(d, U("期")));
        EXPECT_TRUE(TextsBetween(d, g.r[4], g.r[6]).isEmpty());
    }
}
