// Pagination, the drawing of one page and the plan of a print run.
#include <gtest/gtest.h>

#include <QPainter>

#include "print/Pagination.h"
#include "print/PrintPages.h"
#include "print/PrinterInfomation.h"
#include "printer/FakePrinterDevice.h"
#include "slab_test_data.h"

using namespace korvexa;
using print::PageIndexMember;
using print::PrinterInfomation;
using printer::FakePrinterDevice;
using printer::PrintChoice;

namespace {

QStringList Lines(int count) { return Repeated("title", count); }

}  // namespace

TEST(Paginate, FillsPagesByBlockHeight)
{
    PrinterInfomation info;
    info.BodyPitch = 40;  // 15 lines: 600 px a block
    info.ParagraphGap = 35;
    info.TitlePitch = 50;
    struct Case {
        const char* what;
        int usable;
        QStringList title;
        bool titlePrint;
        std::vector<PageIndexMember> pages;
    };
    const Case cases[] = {
        // The second block is tried at 635 + 600, the third at 1270 + 600.
        {"four blocks, no title", 1300, {}, true, {{0, 0}, {2, 0}, {2, 2}}},
        {"title switched off", 1300, Lines(3), false, {{0, 0}, {2, 0}, {2, 2}}},
        // 3 × 50 + 35 before the first block; later pages start at 0.
        {"a title of three lines", 1300, Lines(3), true, {{0, 0}, {1, 0}, {2, 1}, {1, 3}}},
        {"blocks taller than a page, no blank first page", 500, {}, true, {{0, 0}, {1, 0}, {1, 1}, {1, 2}, {1, 3}}},
        {"a title that leaves no room for the first block", 500, Lines(1), true,
         {{0, 0}, {0, 0}, {1, 0}, {1, 1}, {1, 2}, {1, 3}}},
        {"a block ending exactly at the bottom stays", 1235, {}, true, {{0, 0}, {2, 0}, {2, 2}}},
        {"one pixel less", 1234, {}, true, {{0, 0}, {1, 0}, {1, 1}, {1, 2}, {1, 3}}},
        // After a page break the gap below the first block counts too:
        // the third block needs 635 + 600.
        {"the gap after a page break", 1220, {}, true, {{0, 0}, {1, 0}, {1, 1}, {1, 2}, {1, 3}}},
    };
    const datafile::DataSet data = FifteenLineSlabs(4);
    const print::DataSetSource source(data);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        info.UsableHeight = c.usable;
        const print::Pagination pages =
            print::Paginate(print::CalculatedSlabs(source), {source, {c.title, c.titlePrint, 0}}, info);
        EXPECT_EQ(pages.PrintList, (std::vector<int>{1, 2, 3, 4}));
        EXPECT_EQ(pages.PageIndex, c.pages);
        EXPECT_EQ(pages.PageCount, static_cast<int>(c.pages.size()) - 1);
    }
}

// The summary table: three lines of heads, a line a slab (two for an NG
// slab), the count after the last; the blocks start on a page of their own.
TEST(Paginate, SummaryPagesComeFirst)
{
    PrinterInfomation info;
    info.BodyPitch = 40;
    info.ParagraphGap = 35;
    info.TitlePitch = 50;
    struct Case {
        const char* what;
        int slabs, usable;
        QStringList title;
        bool firstNg;
        std::vector<PageIndexMember> summary;
    };
    const Case cases[] = {
        {"three slabs", 3, 1300, {}, false, {{3, 0, true}}},
        {"below a title", 3, 1300, Lines(3), false, {{3, 0, true}}},
        {"thirty slabs over three pages", 30, 600, {}, false, {{12, 0, true}, {12, 12, true}, {6, 24, true}}},
        {"eleven slabs and the count on one page", 11, 600, {}, false, {{11, 0, true}}},
        {"an NG slab takes the count's room: the last slab goes with the count", 11, 600, {}, true,
         {{10, 0, true}, {1, 10, true}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        datafile::DataSet data = FifteenLineSlabs(c.slabs);
        if (c.firstNg) {
            data.slabs[0].M[0][0][0] = 10;
            data.slabs[0].MRatio[0][0][0] = 1.5;
        }
        const print::DataSetSource source(data);
        info.UsableHeight = c.usable;
        const print::Pagination pages =
            print::Paginate(print::CalculatedSlabs(source), {source, {c.title, true, 0}, true}, info);
        const std::vector<PageIndexMember> summary(pages.PageIndex.begin() + 1,
                                                   pages.PageIndex.begin() + 1 + static_cast<long>(c.summary.size()));
        EXPECT_EQ(summary, c.summary);
        ASSERT_GT(pages.PageIndex.size(), c.summary.size() + 1);
        EXPECT_EQ(pages.PageIndex[c.summary.size() + 1], (PageIndexMember{c.usable >= 1300 ? 2 : 1, 0}));
    }
}

TEST(Paginate, PrintsOnlyDesignedSlabs)
{
    datafile::DataSet data = FifteenLineSlabs(4);
    data.slabs[1].Calculated = false;
    const print::DataSetSource source(data);
    EXPECT_EQ(print::CalculatedSlabs(source), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(print::DesignedAmong(source, {4, 2, 0, 9, 1}), (std::vector<int>{4, 1}));
}

TEST(DrawPage, MirrorsMarginsByTheNumberAndThePageNumberByThePage)
{
    struct Case {
        int firstPageNo;
        bool mirrorMargins, mirrorNumber;
        int page;
        bool evenMargins, numberLeft;
        const char* number;  // nullptr: none drawn
    };
    const Case cases[] = {
        {1, true, true, 1, false, false, "1"},
        {1, true, true, 2, true, true, "2"},
        // An even first number: page 1 is numbered 2 and mirrored, its
        // number stays right; page 2 (numbered 3) the other way round.
        {2, true, true, 1, true, false, "2"},
        {2, true, true, 2, false, true, "3"},
        {2, false, false, 1, false, false, "2"},
        {1, false, false, 2, false, false, "2"},
        {0, true, true, 2, true, false, nullptr},
    };
    const datafile::DataSet data = FifteenLineSlabs(6);
    const print::DataSetSource source(data);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "first " << c.firstPageNo << " page " << c.page << " mirror "
                                        << c.mirrorMargins << c.mirrorNumber);
        FakePrinterDevice printer;
        PrinterInfomation info;
        print::ApplyLayoutSettings(info, {});
        info.ChangeEvenSideMargin = c.mirrorMargins;
        info.ChangeEvenHeaderPos = c.mirrorNumber;
        print::ReadPrinterInfo(info, printer);
        print::ComputeLayout(info, printer.GetCanvas());
        const print::PageContent content{source, {Lines(2), true, c.firstPageNo}};
        const print::Pagination pages = print::Paginate(print::CalculatedSlabs(source), content, info);
        ASSERT_GE(pages.PageCount, 2);

        QPainter painter(printer.GetCanvas());
        const int bottom = print::DrawPage(painter, info, content, pages, c.page,
                                           print::PrintedPageNumber(content.Title, c.page), false);
        painter.end();
        const auto& texts = printer.pages.last().texts;
        EXPECT_EQ(info.CurrentLeftX, c.evenMargins ? info.EvenLeftX : info.OddLeftX);
        const auto number = std::find_if(texts.begin(), texts.end(), [&](const auto& t) { return t.font.family() == QStringLiteral("Century"); });
        ASSERT_EQ(number != texts.end(), c.number != nullptr);
        if (c.number) {
            EXPECT_EQ(number->text, QString::fromUtf8(c.number));
            EXPECT_NEAR(number->Top(), info.PageNoY, 1);
            if (c.numberLeft)
                EXPECT_EQ(number->baseline.x(), info.PageNoLeftX);
            else
                EXPECT_NEAR(number->baseline.x() + number->width, info.PageNoRightX, 1);
        }
        // The title on page 1 only; the first block below it.
        const bool title = c.page == 1;
        EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const auto& t) { return t.text == QStringLiteral("title"); }),
                  title ? 2 : 0);
        const auto first = std::find_if(texts.begin(), texts.end(), [](const auto& t) { return t.text.startsWith(QStringLiteral("　S")); });
        ASSERT_NE(first, texts.end());
        const int top = title ? static_cast<int>(info.TopY + 2 * info.TitlePitch + info.ParagraphGap) : info.TopY;
        EXPECT_NEAR(first->Top(), top + info.LineGap / 2, 1);
        EXPECT_EQ(first->baseline.x(), info.CurrentLeftX + info.IndentPx);
        const PageIndexMember& index = pages.PageIndex[c.page];
        // Each block starts at a whole pixel: up to a pixel less a gap.
        EXPECT_NEAR(bottom, top + index.Count * 15 * info.BodyPitch + (index.Count - 1) * info.ParagraphGap, index.Count);
        EXPECT_LE(bottom, info.TopY + info.UsableHeight);
    }
}

// The summary page: the title, every printed slab once, an NG slab in bold
// with its reasons below it, the count; the table between the left margin
// and its mirror.  The blocks follow on page 2, without the title.
TEST(DrawPage, SummaryTableAcrossTheTextWidth)
{
    datafile::DataSet data = FifteenLineSlabs(3);
    data.slabs[1].M[0][0][0] = 10;
    data.slabs[1].MRatio[0][0][0] = 1.5;
    const print::DataSetSource source(data);
    FakePrinterDevice printer;
    PrinterInfomation info;
    print::ApplyLayoutSettings(info, {});
    print::ReadPrinterInfo(info, printer);
    print::ComputeLayout(info, printer.GetCanvas());
    const print::PageContent content{source, {Lines(1), true, 1}, true};
    const print::Pagination pages = print::Paginate(print::CalculatedSlabs(source), content, info);
    ASSERT_EQ(pages.PageCount, 2);
    FakePrinterDevice second;  // each page on a device of its own
    for (int p = 1; p <= 2; ++p) {
        QPainter painter((p == 1 ? printer : second).GetCanvas());
        print::DrawPage(painter, info, content, pages, p, p, false);
    }
    const auto& summary = printer.pages[0].texts;
    const auto count = [&](const QString& text) {
        return std::count_if(summary.begin(), summary.end(), [&](const auto& t) { return t.text == text; });
    };
    EXPECT_EQ(count(QStringLiteral("title")), 1);
    for (const char* name : {"S0001", "S0002", "S0003"})
        EXPECT_EQ(count(QString::fromUtf8(name)), 1) << name;
    EXPECT_EQ(count(QStringLiteral("　計 3 枚、NG 1 枚")), 1);
    const auto ng = std::find_if(summary.begin(), summary.end(), [](const auto& t) { return t.text == QStringLiteral("S0002"); });
    EXPECT_TRUE(ng->font.bold());
    const auto reason = std::find_if(summary.begin(), summary.end(), [](const auto& t) {
        return t.text == QStringLiteral("　M検定比 1.50（短辺端部）");
    });
    ASSERT_NE(reason, summary.end());
    EXPECT_TRUE(reason->font.bold());
    EXPECT_GT(reason->baseline.y(), ng->baseline.y());
    const auto frame = printer.pages[0].rects.last().rect;
    EXPECT_EQ(frame.left(), info.OddLeftX);
    EXPECT_EQ(frame.right(), info.EvenLeftX + 2 * info.IndentPx + info.TableWidth);
    EXPECT_GT(frame.width(), info.TableWidth);

    const auto& blocks = second.pages[0].texts;
    EXPECT_TRUE(std::none_of(blocks.begin(), blocks.end(), [](const auto& t) { return t.text == QStringLiteral("title"); }));
    const auto first = std::find_if(blocks.begin(), blocks.end(), [](const auto& t) { return t.text.startsWith(QStringLiteral("　S")); });
    ASSERT_NE(first, blocks.end());
    EXPECT_NEAR(first->Top(), info.TopY + info.LineGap / 2, 1);
}

TEST(PlanPrint, HoldsTheRangeToTheNewPagesAndMakesTheCopies)
{
    struct Case {
        const char* what;
        PrintChoice choice;
        int offered, now;
        bool makesCopies, singleFile;
        print::PrintPlan plan;
    };
    const Case cases[] = {
        {"all pages stay all pages", {1, 3, 1, false}, 3, 2, true, false, {{1, 2}, 1, false}},
        {"all pages on a smaller paper", {1, 2, 1, false}, 2, 3, true, false, {{1, 2, 3}, 1, false}},
        {"a range beyond the new count", {3, 3, 1, false}, 3, 2, true, false, {{2}, 1, false}},
        {"pages 3 to 4 of 5", {3, 4, 1, false}, 5, 5, true, false, {{3, 4}, 1, false}},
        {"collated copies on a printer that makes copies", {2, 3, 2, true}, 5, 5, true, false, {{2, 3}, 2, true}},
        {"collated copies, printer without copies", {2, 3, 2, true}, 5, 5, false, false, {{2, 3}, 2, false}},
        {"uncollated copies made by the printer", {2, 3, 2, false}, 5, 5, true, false, {{2, 3}, 1, false}},
        {"uncollated copies, printer without copies", {2, 3, 2, false}, 5, 5, false, false, {{2, 2, 3, 3}, 1, false}},
        {"collated copies into one PDF file", {2, 3, 2, true}, 5, 5, false, true, {{2, 3, 2, 3}, 1, false}},
        {"nothing left to print", {1, 3, 1, false}, 3, 0, true, false, {{}, 1, false}},
        {"reverse order", {2, 4, 1, false, true}, 5, 5, true, false, {{4, 3, 2}, 1, false}},
        {"reverse order, uncollated copies made here", {2, 3, 2, false, true}, 5, 5, false, false, {{3, 3, 2, 2}, 1, false}},
        {"reverse order, collated copies into one PDF file", {2, 3, 2, true, true}, 5, 5, false, true,
         {{3, 2, 3, 2}, 1, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(print::PlanPrint(c.choice, c.offered, c.now, c.makesCopies, c.singleFile), c.plan);
    }
}
