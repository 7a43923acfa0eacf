#include "print/PrinterInfomation.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "print/BlockColumns.h"
#include "printer/PrinterDevice.h"

namespace korvexa::print {

namespace {

// numerator / denominator rounded half up (half away from zero below 0);
// the denominator is positive.
int DivideRounded(long long numerator, long long denominator)
{
    const long long magnitude = (2 * std::llabs(numerator) + denominator) / (2 * denominator);
    return static_cast<int>(numerator < 0 ? -magnitude : magnitude);
}

// Whole mm of a strip of px at dpi; 0 for a device without a resolution.
int PxToMm(int px, int dpi) { return dpi > 0 ? std::max(0, DivideRounded(px * 254LL, dpi * 10LL)) : 0; }

int Points(const QFont& font) { return font.pointSize() > 0 ? font.pointSize() : qRound(font.pointSizeF()); }

}  // namespace

int MmToPx(int mm, int dpi) { return DivideRounded(mm * dpi * 10LL, 254); }

int PointsToPx(int points, int dpi) { return DivideRounded(static_cast<long long>(points) * dpi, 72); }

int TenthPointsToPx(int tenths, int dpi) { return DivideRounded(static_cast<long long>(tenths) * dpi, 720); }

void ReadPrinterInfo(PrinterInfomation& info, const printer::PrinterDevice& printer)
{
    info.PrinterName = printer.GetPrinterNames().value(printer.GetIndex());
    const QSize dpi = printer.GetDPI();
    const QSize paper = printer.GetPaperExtent();
    const QPoint offset = printer.GetOffset();
    const QSize page = printer.GetPageExtent();
    info.DpiX = dpi.width();
    info.DpiY = dpi.height();
    info.PaperWidth = paper.width();
    info.PaperHeight = paper.height();
    info.OffsetX = offset.x();
    info.OffsetY = offset.y();
    info.PageWidth = page.width();
    info.PageHeight = page.height();
    info.RightUnprintable = info.PaperWidth - info.PageWidth - info.OffsetX;
    info.BottomUnprintable = info.PaperHeight - info.PageHeight - info.OffsetY;
    info.PaperName = (printer.GetAvailInfos() & printer::kPaperSizeNamesAvailable)
                         ? printer.GetPaperSizeNames().value(printer.GetPaperSizeIndex())
                         : QString();
    info.OrientationText = printer::OrientationText(printer.GetOrientation());

    info.MinLeftMargin = PxToMm(info.OffsetX, info.DpiX);
    info.MinSideMargin = PxToMm(info.RightUnprintable, info.DpiX);
    info.MinTopMargin = PxToMm(info.OffsetY, info.DpiY);
    info.MinBottomMargin = PxToMm(info.BottomUnprintable, info.DpiY);

    info.LeftMargin = std::max(info.LeftMargin, info.MinLeftMargin);
    info.TopMargin = std::max(info.TopMargin, info.MinTopMargin);
    info.HeaderTopMargin = std::max(info.HeaderTopMargin, info.MinTopMargin);
    info.BottomMargin = std::max(info.BottomMargin, info.MinBottomMargin);
    info.HeaderSideMargin = std::max(info.HeaderSideMargin, info.MinSideMargin);
}

void ComputeLayout(PrinterInfomation& info, const QPaintDevice* canvas)
{
    const int width = std::max(0, info.PageWidth);
    const int height = std::max(0, info.PageHeight);
    auto inX = [width](int x) { return std::clamp(x, 0, width); };
    auto inY = [height](int y) { return std::clamp(y, 0, height); };

    info.LeftX = inX(MmToPx(info.LeftMargin, info.DpiX) - info.OffsetX);
    info.TopY = inY(MmToPx(info.TopMargin, info.DpiY) - info.OffsetY);
    info.BottomInset = inY(MmToPx(info.BottomMargin, info.DpiY) - info.BottomUnprintable);
    info.HeaderSide = MmToPx(info.HeaderSideMargin, info.DpiX);
    info.PageNoY = inY(MmToPx(info.HeaderTopMargin, info.DpiY) - info.OffsetY);
    info.IndentPx = MmToPx(info.Indent, info.DpiX);
    info.ParagraphGap = MmToPx(info.ParagraphSpace, info.DpiY);
    // OffsetY less than the distance between the two margins.
    info.UsableHeight = std::max(0, info.PageHeight - info.TopY - info.OffsetY - info.BottomInset);

    info.LineGap = PointsToPx(3, info.DpiY);
    info.BodyFontHeight = -PointsToPx(Points(info.BodyFont), info.DpiY);
    info.TitleFontHeight = -PointsToPx(Points(info.TitleFont), info.DpiY);
    info.HeaderFontHeight = -PointsToPx(Points(info.HeaderFont), info.DpiY);
    info.BodyPitch = std::abs(info.BodyFontHeight) + info.LineGap;
    info.TitlePitch = std::abs(info.TitleFontHeight) + info.LineGap;
    info.ThinPen = TenthPointsToPx(3, info.DpiX);
    info.ThickPen = TenthPointsToPx(7, info.DpiX);

    MeasureBlockColumns(info, canvas);

    info.OddLeftX = info.LeftX;
    info.EvenLeftX = inX(info.PageWidth - info.LeftX - 2 * info.IndentPx - info.TableWidth);
    info.PageNoLeftX = inX(info.HeaderSide - info.OffsetX);
    info.PageNoRightX = inX(info.PageWidth + info.RightUnprintable - info.HeaderSide);
}

QFont SizedFont(const QFont& font, int height)
{
    QFont sized = font;
    sized.setPixelSize(std::max(1, std::abs(height)));
    return sized;
}

QString FontStyleText(const QFont& font)
{
    if (font.underline() || font.strikeOut())
        return QString();
    if (font.bold() && font.italic())
        return QString::fromUtf8(datafile::kStyleBoldItalic.data(), datafile::kStyleBoldItalic.size());
    if (font.bold())
        return QString::fromUtf8(datafile::kStyleBold.data(), datafile::kStyleBold.size());
    if (font.italic())
        return QString::fromUtf8(datafile::kStyleItalic.data(), datafile::kStyleItalic.size());
    return QString();
}

void SetFontStyleText(QFont& font, const QString& style)
{
    const std::string text = style.toStdString();
    font.setBold(text == datafile::kStyleBold || text == datafile::kStyleBoldItalic);
    font.setItalic(text == datafile::kStyleItalic || text == datafile::kStyleBoldItalic);
    font.setUnderline(false);
    font.setStrikeOut(false);
}

QFont FontOf(const datafile::FontSetting& setting)
{
    QFont font(QString::fromStdString(setting.Name));
    font.setPointSize(std::max(1, setting.Size));
    SetFontStyleText(font, QString::fromStdString(setting.Style));
    return font;
}

datafile::FontSetting SettingOf(const QFont& font)
{
    return {font.family().toStdString(), Points(font), FontStyleText(font).toStdString()};
}

// The lengths and flags a stored layout and the record share.
constexpr std::pair<int PrinterInfomation::*, int datafile::PrintLayout::*> kLengths[] = {
    {&PrinterInfomation::LeftMargin, &datafile::PrintLayout::LeftMargin},
    {&PrinterInfomation::TopMargin, &datafile::PrintLayout::TopMargin},
    {&PrinterInfomation::BottomMargin, &datafile::PrintLayout::BottomMargin},
    {&PrinterInfomation::HeaderSideMargin, &datafile::PrintLayout::HeaderSideMargin},
    {&PrinterInfomation::HeaderTopMargin, &datafile::PrintLayout::HeaderTopMargin},
    {&PrinterInfomation::ParagraphSpace, &datafile::PrintLayout::ParagraphSpace},
    {&PrinterInfomation::Indent, &datafile::PrintLayout::Indent},
};
constexpr std::pair<bool PrinterInfomation::*, bool datafile::PrintLayout::*> kFlags[] = {
    {&PrinterInfomation::ChangeEvenSideMargin, &datafile::PrintLayout::ChangeEvenSideMargin},
    {&PrinterInfomation::ChangeEvenHeaderPos, &datafile::PrintLayout::ChangeEvenHeaderPos},
};

void ApplyLayoutSettings(PrinterInfomation& info, const datafile::PrintLayout& l)
{
    info.TitleFont = FontOf(l.TitleFont);
    info.BodyFont = FontOf(l.BodyFont);
    info.HeaderFont = FontOf(l.HeaderFont);
    for (auto [own, stored] : kLengths)
        info.*own = l.*stored;
    for (auto [own, stored] : kFlags)
        info.*own = l.*stored;
}

void StoreLayoutSettings(const PrinterInfomation& info, datafile::PrintLayout& l)
{
    l.TitleFont = SettingOf(info.TitleFont);
    l.BodyFont = SettingOf(info.BodyFont);
    l.HeaderFont = SettingOf(info.HeaderFont);
    for (auto [own, stored] : kLengths)
        l.*stored = info.*own;
    for (auto [own, stored] : kFlags)
        l.*stored = info.*own;
}

}  // namespace korvexa::print
