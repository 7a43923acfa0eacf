#include "print/ResultSheet.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>

#include "engine/Reinforcement.h"
#include "engine/SheetTexts.h"
#include "engine/Ukorvexa.h"

namespace korvexa {

namespace {

const QColor kBlack(0, 0, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A number in the sheets' one form (printf's %.Nf).
QString Fixed(double value, int decimals) { return QString::fromStdString(FixedNumber(value, decimals)); }

// Collects the texts of one drawing at the sheet's point size and keeps the
// pen position: the right end of the text written last.
class TextWriter {
public:
    TextWriter(SheetDrawing& drawing, const QFont& font) : drawing_(drawing), font_(font), metrics_(font) {}

    const QFontMetrics& Metrics() const { return metrics_; }
    int Width(const QString& text) const { return metrics_.horizontalAdvance(text); }
    int PenX() const { return penX_; }

    void Write(int x, int y, const QString& text, const QColor& colour = kBlack)
    {
        WriteSized(x, y, text, colour, font_.pointSize(), metrics_);
    }

    // Text two points smaller than the sheet's (an exponent).
    void WriteSmall(int x, int y, const QString& text)
    {
        QFont small(font_);
        small.setPointSize(font_.pointSize() - 2);
        WriteSized(x, y, text, kBlack, small.pointSize(), QFontMetrics(small));
    }

    void Centre(int a, int b, int y, const QString& text, int w)
    {
        Write(a + (b - a - w) / 2, y, text);
    }
    void Centre(int a, int b, int y, const QString& text) { Centre(a, b, y, text, Width(text)); }

private:
    void WriteSized(int x, int y, const QString& text, const QColor& colour, int pointSize,
                    const QFontMetrics& metrics)
    {
        drawing_.texts.append(SheetText{text, x, y, colour, pointSize});
        penX_ = x + metrics.horizontalAdvance(text);
    }

    SheetDrawing& drawing_;
    QFont font_;
    QFontMetrics metrics_;
    int penX_ = 0;
};

// A value ending just right of the column centre and its ratio starting
// 6 pixels right of the centre.
void WriteCell(TextWriter& out, const SheetGeometry& g, int left, int row, const QString& value, double ratio)
{
    const int y = g.TextTop(row);
    out.Write(left + g.CW / 2 - out.Width(value) + 4, y, value);
    out.Write(left + g.CW / 2 + 6, y, RatioText(ratio), RatioColour(ratio));
}

// The three lines below the table.
void WriteChecks(TextWriter& out, const SheetGeometry& g, const SlabData& slab, const CommonSettings& settings)
{
    const int x = g.e[1];
    const int line1 = g.r[8] + 6;
    const int line2 = g.r[8] + g.h + 11;
    const int line3 = g.r[8] + 2 * g.h + 16;

    int start = x;
    if (slab.AddLoadE > 0) {
        out.Write(x, line1, U("ωp＝") + Fixed(slab.AddLoadE * settings.LoadUnitFactor * 0.001, 3) + U(" kN/m"));
        out.WriteSmall(out.PenX(), line1, QStringLiteral("2"));
        out.Write(out.PenX(), line1, U("　　"));
        start = out.PenX();
    }
    if (slab.TReq > 0) {
        out.Write(start, line1, U("必要厚 ") + Fixed(slab.TReq, 1) + U("cm"));
        if (!ThicknessOk(slab))
            out.Write(out.PenX(), line1, U("　NG"), kRed);
        else
            out.Write(out.PenX(), line1, U("　Ok"));
    }

    if (slab.Fv > 0)
        out.Write(x, line3, U("固有振動数 fv＝") + Fixed(slab.Fv, 1) + U(" Hz") + QString::fromStdString(slab.FvNote));

    if (slab.LoadTime == LoadShortTerm || !(slab.Delta > 0))
        return;
    out.Write(x, line2, U("δ＝") + Fixed(slab.Delta, 2) + U("mm"));
    out.Write(out.PenX(), line2, QString::asprintf("(Lx/%d)     ", slab.DeltaRatio));

    if (ShowsSpanThicknessCheck(slab)) {
        out.Write(out.PenX(), line2, QString::asprintf("t/Lx=1/%d ≧ 1/", SpanThicknessRatio(slab)));
        out.Write(out.PenX(), line2, QString::asprintf("%d OK", SpanThicknessLimit(slab)));
        return;
    }
    out.Write(out.PenX(), line2, QString::asprintf("16δ/Lx＝1/%d", slab.DeltaRatio16));
    if (DeflectionOk(slab)) {
        out.Write(out.PenX(), line2, U(" ≦ 1/250　Ok"));
    } else {
        out.Write(out.PenX(), line2, U(" ＞ 1/250　"));
        out.Write(out.PenX(), line2, QStringLiteral("NG"), kRed);
    }
}

}  // namespace

QString MomentText(double m) { return Fixed(m, (m > 1000 || m < -1000) ? 1 : 2); }
QString ShearText(double q) { return Fixed(q, q > 10000 ? 1 : 2); }

QString RatioText(double ratio)
{
    if (ratio >= 100)
        return QStringLiteral("(****)");
    if (ratio >= 10)
        return U("(") + Fixed(ratio, 1) + U(")");
    return U("(") + Fixed(ratio, 2) + U(")");
}

QColor RatioColour(double ratio) { return ratio > 1 ? kRed : kBlue; }

SheetGeometry MeasureSheet(const QFontMetrics& metrics, int width)
{
    SheetGeometry g;
    g.h = metrics.size(Qt::TextSingleLine, QStringLiteral("W")).height();
    g.RH = g.h + 10;
    g.CW = metrics.horizontalAdvance(U("D29･D29 @500")) + 8;
    g.LW = metrics.horizontalAdvance(U("長")) + 8;
    g.W = width;
    g.e = {0, g.LW, width - 4 * g.CW, width - 3 * g.CW, width - 2 * g.CW, width - g.CW, width};
    for (int k = 0; k < 9; ++k)
        g.r[k] = k * g.RH;
    return g;
}

QFont SheetFont(int pointSize)
{
    QFont font(U("ＭＳ Ｐゴシック"));
    font.setPointSize(pointSize);
    return font;
}

int SheetFontSize(double logicalDpi) { return logicalDpi > 96 ? 9 : 10; }

SheetDrawing ResultFrame(const QFont& font, int width, int bind, int loadTime)
{
    SheetDrawing drawing;
    TextWriter out(drawing, font);
    const SheetGeometry g = MeasureSheet(out.Metrics(), width);
    const auto& e = g.e;
    const auto& r = g.r;

    // Rules; the lines between an M row and its Q row leave the label column open.
    for (int k = 0; k <= 8; ++k) {
        const int start = (k == 3 || k == 5) ? e[1] : e[0];
        drawing.lines.append(SheetLine{QLine(start, r[k], g.W, r[k]), k == 0 ? 2 : 1});
    }
    for (int j = 0; j <= 6; ++j) {
        const QLine line = j == 1 ? QLine(e[1], r[2], e[1], r[6]) : QLine(e[j], r[0], e[j], r[8]);
        drawing.lines.append(SheetLine{line, (j == 0 || j == 6) ? 2 : 1});
    }

    // Position captions.
    const int top0 = g.TextTop(0);
    if (bind <= BindFixed2AdjFree) {
        const int w = out.Width(U("短辺端部"));
        const char* captions[] = {"短辺端部", "短辺中央", "長辺端部", "長辺中央"};
        for (int i = 0; i < 4; ++i)
            out.Write(e[2 + i] + (g.CW - w) / 2, top0, U(captions[i]));
    } else {
        const int wMain = out.Width(U("主筋端部"));
        const int wDist = out.Width(U("配力筋端部"));
        out.Write(e[2] + (g.CW - wMain) / 2, top0, U("主筋端部"));
        out.Write(e[3] + (g.CW - wMain) / 2, top0, U("主筋中央"));
        out.Write(e[4] + (g.CW - wDist) / 2, top0, U("配力筋端部"));
        out.Write(e[5] + (g.CW - wDist) / 2, top0, U("配力筋中央"));
    }

    out.Centre(e[0], e[2], g.TextTop(1), U("必要at ( dt )"));
    out.Centre(e[1], e[2], g.TextTop(2), U("M (kN･m)"));
    out.Centre(e[1], e[2], g.TextTop(3), QStringLiteral("Q (kN)"));

    out.Write(e[0] + 4, r[2] + 6, loadTime == LoadShortTerm ? U("短") : U("長"));
    out.Write(e[0] + 4, r[2] + g.h + 12, U("期"));
    if (loadTime == LoadLongTermSnow) {
        out.Write(e[0] + 4, r[4] + 3, U("積"));
        out.Write(e[0] + 4, r[4] + g.h + 3, U("雪"));
        out.Write(e[0] + 4, r[4] + 2 * g.h + 3, U("時"));
        out.Centre(e[1], e[2], g.TextTop(4), U("M (kN･m)"));
        out.Centre(e[1], e[2], g.TextTop(5), QStringLiteral("Q (kN)"));
    }

    const int wBars = out.Width(U("上　筋"));
    out.Centre(e[0], e[2], g.TextTop(6), U("上　筋"), wBars);
    out.Centre(e[0], e[2], g.TextTop(7), U("下　筋"), wBars);
    return drawing;
}

int ResultValues(SheetDrawing& drawing, const QFont& font, int width, SlabData& slab,
                 const CommonSettings& settings, const BarData& bars)
{
    const int status = DesignSlab(slab, settings, bars);
    if (status == DesignOk)
        AddResultValues(drawing, font, width, slab, settings);
    return status;
}

void AddResultValues(SheetDrawing& drawing, const QFont& font, int width, const SlabData& slab,
                     const CommonSettings& settings)
{
    TextWriter out(drawing, font);
    const SheetGeometry g = MeasureSheet(out.Metrics(), width);
    const TextGrid barTexts = BarTexts(slab);

    // Columns: short-side end, short-side centre, long-side end, long-side centre.
    for (int i = 0; i < 4; ++i) {
        const int dir = i / 2;
        const int pos = i % 2;
        const int left = g.e[2 + i];
        const int centre = left + g.CW / 2;

        if (slab.At[dir][pos] != 0) {
            const QString at = Fixed(slab.At[dir][pos], 2);
            out.Write(centre - out.Width(at) + 4, g.TextTop(1), at);
            out.Write(centre + 6, g.TextTop(1), U("(") + Fixed(slab.Dt[dir][pos], 2) + U(")"));
        }

        for (int s = 0; s < 2; ++s) {
            if (!CaseHasLoad(slab, s))
                continue;
            const double m = slab.M[s][dir][pos];
            if (m != 0) {
                WriteCell(out, g, left, 2 + 2 * s, MomentText(m), slab.MRatio[s][dir][pos]);
            }
            const double q = slab.Q[s][dir];
            if (pos == 0 && q != 0) {
                WriteCell(out, g, left, 3 + 2 * s, ShearText(q), slab.QRatio[s][dir]);
            }
        }

        for (int layer = 0; layer < 2; ++layer) {
            const QString bar = QString::fromStdString(barTexts[dir][pos][layer]);
            if (!bar.isEmpty())
                out.Write(left + g.CW - out.Width(bar) - 2, g.TextTop(6 + layer), bar);
        }
    }

    if (slab.DeltCheck)
        WriteChecks(out, g, slab, settings);
}

void PaintSheet(QPainter& painter, const SheetDrawing& drawing, const QFont& font)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    for (const SheetLine& line : drawing.lines) {
        painter.setPen(QPen(QBrush(Qt::black), line.width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(line.line);
    }
    QFont sized(font);
    for (const SheetText& text : drawing.texts) {
        if (sized.pointSize() != text.pointSize)
            sized.setPointSize(text.pointSize);
        painter.setFont(sized);
        painter.setPen(text.colour);
        painter.drawText(QPoint(text.x, text.y + QFontMetrics(sized, painter.device()).ascent()), text.text);
    }
    painter.restore();
}

QImage NewSheetImage(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void DrawResultFrame(QImage& image, const QFont& font, int bind, int loadTime)
{
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    PaintSheet(painter, ResultFrame(font, image.width(), bind, loadTime), font);
}

int DrawResultValues(QImage& image, const QFont& font, SlabData& slab, const CommonSettings& settings,
                     const BarData& bars)
{
    SheetDrawing drawing;
    const int status = ResultValues(drawing, font, image.width(), slab, settings, bars);
    if (status == DesignOk) {
        QPainter painter(&image);
        PaintSheet(painter, drawing, font);
    }
    return status;
}

}  // namespace korvexa
