#include "print/LayoutCheck.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "print/BlockColumns.h"
#include "print/Pagination.h"
#include "print/PrintPages.h"
#include "print/PrinterInfomation.h"
#include "print/SlabBlock.h"

namespace korvexa::print {

namespace {

// Every position below is measured from the sheet's top left corner, in
// the printer's pixels; the printable area is [Offset, Offset + Page].
class Checker {
public:
    Checker(const PrinterInfomation& info, const QPaintDevice* canvas) : info_(info), canvas_(canvas) {}

    QString Mm(double px, int dpi) const { return QString::number(dpi > 0 ? px * 25.4 / dpi : 0, 'f', 1); }
    QString MmX(double px) const { return Mm(px, info_.DpiX); }
    QString MmY(double px) const { return Mm(px, info_.DpiY); }
    int PrintableRight() const { return info_.OffsetX + info_.PageWidth; }
    int PrintableBottom() const { return info_.OffsetY + info_.PageHeight; }
    // The left edge of the text: the margin, or the unprintable strip where
    // a margin of whole millimetres lies a fraction inside it.
    int TextLeft() const { return std::max(MmToPx(info_.LeftMargin, info_.DpiX), info_.OffsetX); }

    int Width(const QFont& font, int height, const QString& text) const
    {
        return BlockTextWidth(QFontMetricsF(SizedFont(font, height), canvas_), text);
    }

    void Table(QStringList& problems) const
    {
        const int right = TextLeft() + info_.IndentPx + info_.TableWidth;
        if (right <= PrintableRight())
            return;
        problems << QStringLiteral("表が右に %1 mm はみ出します：左余白 %2 mm ＋ インデント %3 mm ＋ 表の幅 %4 mm に対し、"
                                   "印刷できるのは用紙の左端から %5 mm までです。")
                        .arg(MmX(right - PrintableRight()))
                        .arg(info_.LeftMargin)
                        .arg(info_.Indent)
                        .arg(MmX(info_.TableWidth), MmX(PrintableRight()));
    }

    // As the pagination counts: the title's room on page 1, then the block.
    void Height(const PageTitle& title, QStringList& problems) const
    {
        const int lines = TallestBlockLineCount();
        const int block = static_cast<int>(lines * info_.BodyPitch);
        const int titleHeight = TitleHeight(title, info_);
        // The room between the margins as the pagination has it; where a
        // margin lies beyond the paper it is counted in full.
        const int between = info_.PaperHeight - info_.OffsetY - MmToPx(info_.TopMargin, info_.DpiY) -
                            MmToPx(info_.BottomMargin, info_.DpiY);
        const int room = info_.UsableHeight > 0 ? info_.UsableHeight : std::min(0, between);
        const QString margins = QStringLiteral("上余白 %1 mm と下余白 %2 mm の間（%3 mm）")
                                    .arg(info_.TopMargin)
                                    .arg(info_.BottomMargin)
                                    .arg(MmY(room));
        const QString tallest = QStringLiteral("表 1 つ（最大 %1 行、%2 mm）").arg(lines).arg(MmY(block));
        const QString onPage1 = title.Printed() ? QStringLiteral(" 1 ページ目のタイトル（%1 行と段間、%2 mm）と")
                                                      .arg(title.Lines.size())
                                                      .arg(MmY(titleHeight))
                                                : QString();
        if (titleHeight + block > room)
            problems << QStringLiteral("%1に%2%3が入りません：%4 mm 足りません。")
                            .arg(margins, onPage1, tallest, MmY(titleHeight + block - room));
    }

    void TitleWidth(const PageTitle& title, QStringList& problems) const
    {
        if (!title.Printed())
            return;
        // Page 1 is mirrored when its number is even.
        const bool mirrored = info_.ChangeEvenSideMargin && PrintedPageNumber(title, 1) % 2 == 0;
        const int left = info_.OffsetX + (mirrored ? info_.EvenLeftX : info_.OddLeftX);
        int widest = 0;
        int line = 0;
        for (int i = 0; i < title.Lines.size(); ++i) {
            QString text = title.Lines[i];
            while (!text.isEmpty() && text.back().isSpace())
                text.chop(1);
            const int width = Width(info_.TitleFont, info_.TitleFontHeight, text);
            if (width > widest) {
                widest = width;
                line = i + 1;
            }
        }
        if (left + widest > PrintableRight())
            problems << QStringLiteral("タイトルの %1 行目が右に %2 mm はみ出します（印刷できるのは用紙の左端から %3 mm までです）。")
                            .arg(line)
                            .arg(MmX(left + widest - PrintableRight()), MmX(PrintableRight()));
    }

    void PageNumber(const PageTitle& title, int pageCount, QStringList& problems) const
    {
        if (title.FirstPageNo <= 0)
            return;
        const QString last = QString::number(PrintedPageNumber(title, std::max(1, pageCount)));
        const int width = Width(info_.HeaderFont, info_.HeaderFontHeight, last);
        const int side = MmToPx(info_.HeaderSideMargin, info_.DpiX);
        const QString widthText = QStringLiteral("右余白 %1 mm、番号「%2」の幅 %3 mm").arg(info_.HeaderSideMargin).arg(last, MmX(width));
        const int overLeft = info_.OffsetX - (info_.PaperWidth - side - width);
        if (overLeft > 0)
            problems << QStringLiteral("ページ番号が左に %1 mm はみ出します（%2）。").arg(MmX(overLeft), widthText);
        const int overRight = side + width - PrintableRight();
        if (info_.ChangeEvenHeaderPos && pageCount >= 2 && overRight > 0)
            problems << QStringLiteral("偶数ページのページ番号が右に %1 mm はみ出します（%2）。").arg(MmX(overRight), widthText);

        const QFontMetricsF metrics(SizedFont(info_.HeaderFont, info_.HeaderFontHeight), canvas_);
        const int height = static_cast<int>(std::ceil(metrics.height()));
        const int overBottom = MmToPx(info_.HeaderTopMargin, info_.DpiY) + height - PrintableBottom();
        if (overBottom > 0)
            problems << QStringLiteral("ページ番号が下に %1 mm はみ出します（上余白 %2 mm ＋ 文字の高さ %3 mm）。")
                            .arg(MmY(overBottom))
                            .arg(info_.HeaderTopMargin)
                            .arg(MmY(height));
    }

private:
    const PrinterInfomation& info_;
    const QPaintDevice* canvas_;
};

}  // namespace

QStringList LayoutProblems(const PrinterInfomation& info, const PageTitle& title, int pageCount,
                           const QPaintDevice* canvas)
{
    const Checker check(info, canvas);
    QStringList problems;
    check.Table(problems);
    check.Height(title, problems);
    check.TitleWidth(title, problems);
    check.PageNumber(title, pageCount, problems);
    return problems;
}

QString LayoutMessage(const PrinterInfomation& info, const QStringList& problems)
{
    QString paper = info.PaperName;
    if (!info.OrientationText.isEmpty())
        paper += (paper.isEmpty() ? QString() : QStringLiteral(" ")) + info.OrientationText;
    QString text = QStringLiteral("印刷設定がプリンタ「%1」の用紙（%2）に合いません。").arg(info.PrinterName, paper);
    for (const QString& problem : problems)
        text += QStringLiteral("\n・") + problem;
    return text;
}

}  // namespace korvexa::print
