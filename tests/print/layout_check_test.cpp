// The layout against the paper of the recording printer (A4, 600 dpi):
// what does not fit is named with its shortfall, the shortfall is what the
// setting must give up, and the check agrees with the pagination.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <functional>

#include "print/LayoutCheck.h"
#include "print/Pagination.h"
#include "print/PrinterInfomation.h"
#include "printer/FakePrinterDevice.h"
#include "slab_test_data.h"

using namespace korvexa;
using printer::FakePrinterDevice;

namespace {

QStringList Lines(int count) { return Repeated("§５　二次部材の設計", count); }

struct Checked {
    print::PrinterInfomation info;
    QStringList problems;
};

Checked Check(const datafile::PrintLayout& layout, const print::PageTitle& title, int pageCount = 1)
{
    FakePrinterDevice printer;
    Checked c;
    print::ApplyLayoutSettings(c.info, layout);
    print::ReadPrinterInfo(c.info, printer);
    print::ComputeLayout(c.info, printer.GetCanvas());
    c.problems = print::LayoutProblems(c.info, title, pageCount, printer.GetCanvas());
    return c;
}

// The millimetres of "… 12.3 mm はみ出します" or "… 12.3 mm 足りません".
double Shortfall(const QString& problem)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("([0-9.]+) mm (はみ出します|足りません)")).match(problem);
    EXPECT_TRUE(m.hasMatch()) << problem.toStdString();
    return m.captured(1).toDouble();
}

}  // namespace

TEST(LayoutCheck, NamesWhatDoesNotFit)
{
    struct Case {
        const char* what;
        std::function<void(datafile::PrintLayout&, print::PageTitle&)> change;
        std::vector<const char*> problems;  // a part of each problem, in order
    };
    using L = datafile::PrintLayout;
    using T = print::PageTitle;
    const Case cases[] = {
        {"the built-in layout", [](L&, T&) {}, {}},
        {"11 pt body: the table is too wide", [](L& l, T&) { l.BodyFont.Size = 11; }, {"表が右に"}},
        {"10 pt body fits", [](L& l, T&) { l.BodyFont.Size = 10; }, {}},
        {"left margin 150 mm", [](L& l, T&) { l.LeftMargin = 150; }, {"表が右に"}},
        {"top margin 250 mm", [](L& l, T&) { l.TopMargin = 250; }, {"上余白 250 mm と下余白 5 mm の間"}},
        {"bottom margin 300 mm", [](L& l, T&) { l.BottomMargin = 300; }, {"上余白 15 mm と下余白 300 mm の間"}},
        {"72 pt body", [](L& l, T&) { l.BodyFont.Size = 72; }, {"表が右に", "上余白 15 mm と下余白 5 mm の間"}},
        {"72 pt title", [](L& l, T&) { l.TitleFont.Size = 72; }, {"タイトルの 1 行目が右に"}},
        {"a title of 200 lines", [](L&, T& t) { t.Lines = Lines(200); }, {"mm）に 1 ページ目のタイトル（200 行"}},
        {"... not printed", [](L&, T& t) { t.Lines = Lines(200), t.IsTitlePrint = false; }, {}},
        {"page number 300 mm from the right", [](L& l, T& t) { l.HeaderSideMargin = 300, t.FirstPageNo = 1; },
         {"ページ番号が左に"}},
        {"... mirrored on even pages", [](L& l, T& t) { l.HeaderSideMargin = 300, l.ChangeEvenHeaderPos = true, t.FirstPageNo = 1; },
         {"ページ番号が左に", "偶数ページのページ番号が右に"}},
        {"page number 300 mm from the top", [](L& l, T& t) { l.HeaderTopMargin = 300, t.FirstPageNo = 1; },
         {"ページ番号が下に"}},
        {"without page numbers their margins do not matter", [](L& l, T&) { l.HeaderSideMargin = l.HeaderTopMargin = 300; },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        datafile::PrintLayout layout;
        print::PageTitle title{Lines(3), true, 0};
        c.change(layout, title);
        const QStringList problems = Check(layout, title, 2).problems;
        ASSERT_EQ(problems.size(), static_cast<qsizetype>(c.problems.size())) << problems.join(QLatin1Char('\n')).toStdString();
        for (std::size_t i = 0; i < c.problems.size(); ++i)
            EXPECT_TRUE(problems[static_cast<qsizetype>(i)].contains(QString::fromUtf8(c.problems[i])))
                << problems[static_cast<qsizetype>(i)].toStdString();
    }
}

// Giving up the shortfall (to the next whole millimetre) makes the layout
// fit; a millimetre less does not.
TEST(LayoutCheck, TheShortfallIsWhatTheSettingMustGiveUp)
{
    struct Case {
        const char* what;
        int datafile::PrintLayout::*setting;
        int value;
    };
    const Case cases[] = {
        {"left margin", &datafile::PrintLayout::LeftMargin, 60},
        {"indent", &datafile::PrintLayout::Indent, 47},
        {"top margin", &datafile::PrintLayout::TopMargin, 230},
        {"bottom margin", &datafile::PrintLayout::BottomMargin, 199},
    };
    const print::PageTitle title{Lines(3), true, 0};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        datafile::PrintLayout layout;
        layout.*c.setting = c.value;
        const QStringList problems = Check(layout, title).problems;
        ASSERT_EQ(problems.size(), 1);
        const int giveUp = static_cast<int>(std::ceil(Shortfall(problems[0])));
        layout.*c.setting = c.value - giveUp;
        EXPECT_TRUE(Check(layout, title).problems.isEmpty());
        layout.*c.setting = c.value - giveUp + 1;
        EXPECT_FALSE(Check(layout, title).problems.isEmpty());
    }
}

// The check passes exactly when page 1 holds the title and the tallest block.
TEST(LayoutCheck, AgreesWithThePagination)
{
    datafile::DataSet data;
    SlabData tallest;
    tallest.TL = {1, 1, 1};
    tallest.DeltCheck = true;
    tallest.Delta = 1;
    tallest.Calculated = true;
    data.slabs = {tallest};
    const print::DataSetSource source(data);
    const print::PageTitle title{Lines(3), true, 0};
    int fits = 0;
    for (int top = 170; top <= 200; ++top) {
        datafile::PrintLayout layout;
        layout.TopMargin = top;
        const Checked c = Check(layout, title);
        const print::Pagination pages = print::Paginate({1}, {source, title}, c.info);
        EXPECT_EQ(c.problems.isEmpty(), pages.PageIndex[1].Count == 1) << "top margin " << top;
        fits += c.problems.isEmpty();
    }
    EXPECT_GT(fits, 0);
    EXPECT_LT(fits, 31);
}
