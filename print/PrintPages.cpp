#include "print/PrintPages.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "print/BlockColumns.h"
#include "print/PrinterInfomation.h"
#include "print/SlabBlock.h"
#include "print/SummaryTable.h"

namespace korvexa::print {

namespace {

QString WithoutTrailingBlanks(QString line)
{
    qsizetype end = line.size();
    while (end > 0 && line[end - 1].isSpace())
        --end;
    line.truncate(end);
    return line;
}

// Text placed by the top of its line.
void DrawTextAt(QPainter& canvas, int x, int top, const QString& text)
{
    canvas.drawText(QPointF(x, top + QFontMetricsF(canvas.font(), canvas.device()).ascent()), text);
}

}  // namespace

int PrintedPageNumber(const PageTitle& title, int page) { return std::max(0, title.FirstPageNo - 1) + page; }

int DrawPage(QPainter& canvas, PrinterInfomation& info, const PageContent& content, const Pagination& pages, int p,
             int n, bool pageNumbersOff)
{
    double y = info.TopY;
    info.CurrentLeftX = info.ChangeEvenSideMargin && n % 2 == 0 ? info.EvenLeftX : info.OddLeftX;

    // The margins mirror with the printed number, the page number with the
    // page's place in the document: with an even first number they differ.
    if (content.Title.FirstPageNo > 0 && !pageNumbersOff) {
        canvas.setFont(SizedFont(info.HeaderFont, info.HeaderFontHeight));
        const QString number = QString::number(n);
        const int width = BlockTextWidth(QFontMetricsF(canvas.font(), canvas.device()), number);
        DrawTextAt(canvas, info.ChangeEvenHeaderPos && p % 2 == 0 ? info.PageNoLeftX : info.PageNoRightX - width,
                   info.PageNoY, number);
    }

    if (p == 1 && content.Title.Printed()) {
        canvas.setFont(SizedFont(info.TitleFont, info.TitleFontHeight));
        for (const QString& line : content.Title.Lines) {
            DrawTextAt(canvas, info.CurrentLeftX, static_cast<int>(y), WithoutTrailingBlanks(line));
            y += info.TitlePitch;
        }
        y += info.ParagraphGap;
    }

    canvas.setFont(SizedFont(info.BodyFont, info.BodyFontHeight));
    if (p < 1 || p >= static_cast<int>(pages.PageIndex.size()))
        return static_cast<int>(std::ceil(y));
    const PageIndexMember& page = pages.PageIndex[static_cast<std::size_t>(p)];
    const PrintSource& source = content.Slabs;
    if (page.Summary)
        return static_cast<int>(std::ceil(DrawSummaryPage(canvas, info, source, pages, p, y)));
    for (int i = 0; i < page.Count; ++i) {
        if (i > 0)
            y += info.ParagraphGap;
        info.BlockTop = static_cast<int>(y);
        const int slab = pages.PrintList[static_cast<std::size_t>(page.First + i)];
        y = DrawSlabBlock(canvas, source.Slab(slab), info, source.LoadUnitFactor(), source.Bars());
    }
    return static_cast<int>(std::ceil(y));
}

PrintPlan PlanPrint(const printer::PrintChoice& choice, int offeredPages, int pageCount, bool printerMakesCopies,
                    bool singleFile)
{
    PrintPlan plan;
    if (pageCount < 1)
        return plan;
    int from = 1;
    int to = pageCount;
    if (choice.fromPage != 1 || choice.toPage != offeredPages) {
        from = std::clamp(choice.fromPage, 1, pageCount);
        to = std::clamp(choice.toPage, from, pageCount);
    }
    const int copies = std::max(1, choice.copies);
    const int repeats = !choice.collate && !printerMakesCopies ? copies : 1;
    const int passes = choice.collate && singleFile ? copies : 1;
    for (int pass = 0; pass < passes; ++pass)
        for (int i = 0; i <= to - from; ++i)
            plan.pages.insert(plan.pages.end(), static_cast<std::size_t>(repeats), choice.reverse ? to - i : from + i);
    plan.jobs = choice.collate && !singleFile ? copies : 1;
    plan.driverCopiesToOne = choice.collate && printerMakesCopies;
    return plan;
}

PrintPlan AllPages(int pageCount)
{
    PrintPlan plan;
    for (int page = 1; page <= pageCount; ++page)
        plan.pages.push_back(page);
    return plan;
}

QString PrintPlanned(printer::PrinterDevice& device, PrinterInfomation& info, const PageContent& content,
                     const Pagination& pages, const PrintPlan& plan)
{
    if (plan.driverCopiesToOne) {
        device.SetCopies(1);
        device.ApplySettings();
    }
    auto draw = [&](QPainter& canvas, int i) {
        const int p = plan.pages[static_cast<std::size_t>(i)];
        DrawPage(canvas, info, content, pages, p, PrintedPageNumber(content.Title, p), false);
    };
    for (int job = 0; job < plan.jobs; ++job) {
        const QString error = printer::RunPrintJob(device, static_cast<int>(plan.pages.size()), draw);
        if (!error.isEmpty())
            return error;
    }
    return QString();
}

}  // namespace korvexa::print
