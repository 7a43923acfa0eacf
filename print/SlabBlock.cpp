#include "print/SlabBlock.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "engine/BarData.h"
#include "engine/Reinforcement.h"
#include "engine/SheetTexts.h"
#include "engine/Ukorvexa.h"
#include "print/BlockColumns.h"
#include "print/PrinterInfomation.h"

namespace korvexa::print {

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }
QString U(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

// A number in the sheets' one form (printf's %.Nf).
QString Fixed(double value, int decimals) { return U(FixedNumber(value, decimals)); }

// Draws the lines of one block top to bottom.  y() is the text top of the
// current line; a rule lies half a line gap above it, between two lines.
class BlockPainter {
public:
    BlockPainter(QPainter& canvas, const PrinterInfomation& info)
        : canvas_(canvas), info_(info), body_(SizedFont(info.BodyFont, info.BodyFontHeight)),
          small_(SizedFont(info.BodyFont, static_cast<int>(info.BodyFontHeight * 0.8))),
          bodyMetrics_(body_, canvas.device()), smallMetrics_(small_, canvas.device()),
          x0_(info.CurrentLeftX + info.IndentPx), half_(info.LineGap / 2), y_(info.BlockTop + half_)
    {
        canvas_.setRenderHint(QPainter::Antialiasing, false);
        canvas_.setFont(body_);
        Pen(info.ThinPen);
    }

    int X0() const { return x0_; }
    int Right() const { return x0_ + info_.TableWidth; }
    double y() const { return y_; }
    double Pitch() const { return info_.BodyPitch; }
    double Half() const { return half_; }
    // The text top that centres a label on the current line and the next.
    double TwoLineTop() const { return y_ + (Pitch() + half_) / 2; }

    void NextLine() { y_ += Pitch(); }
    // The height of the rule above the current line.
    int RuleY() const { return static_cast<int>(y_ - half_); }

    int Width(const QString& text) const { return BlockTextWidth(bodyMetrics_, text); }

    // Draws a text with its top at `top`; returns the pen position (its right end).
    int Text(int x, double top, const QString& text)
    {
        canvas_.drawText(QPointF(x, std::trunc(top) + bodyMetrics_.ascent()), text);
        return x + Width(text);
    }
    int Text(int x, const QString& text) { return Text(x, y_, text); }

    // An exponent: the body font at 0.8 of its height, same text top.
    int Small(int x, const QString& text)
    {
        canvas_.setFont(small_);
        canvas_.drawText(QPointF(x, std::trunc(y_) + smallMetrics_.ascent()), text);
        canvas_.setFont(body_);
        return x + BlockTextWidth(smallMetrics_, text);
    }

    // Draws a text from x on the line, in smaller type where it would
    // otherwise run past `right`: a long name or grade summary stays clear
    // of its neighbour and inside the frame, the line count unchanged.
    void Fitted(int x, int right, const QString& text)
    {
        const int width = Width(text);
        if (x + width <= right || width <= 0) {
            Text(x, text);
            return;
        }
        QFont smaller = body_;
        smaller.setPixelSize(std::max(1, static_cast<int>(body_.pixelSize() * double(std::max(1, right - x)) / width)));
        QFontMetricsF metrics(smaller, canvas_.device());
        while (smaller.pixelSize() > 1 && x + BlockTextWidth(metrics, text) > right) {
            smaller.setPixelSize(smaller.pixelSize() - 1);
            metrics = QFontMetricsF(smaller, canvas_.device());
        }
        // On the line's baseline, as the rest of the line.
        canvas_.setFont(smaller);
        canvas_.drawText(QPointF(x, std::trunc(y_) + bodyMetrics_.ascent()), text);
        canvas_.setFont(body_);
    }

    void RightAligned(int right, const QString& text) { Text(right - Width(text), y_, text); }
    void Centred(int left, int width, double top, const QString& text, int textWidth)
    {
        Text(left + (width - textWidth) / 2, top, text);
    }
    void Centred(int left, int width, double top, const QString& text) { Centred(left, width, top, text, Width(text)); }
    void Centred(int left, int width, const QString& text) { Centred(left, width, y_, text); }

    void Pen(int width) { canvas_.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin)); }
    void Rule(int from) { Rule(from, Right()); }
    void Rule() { Rule(x0_); }
    void Rule(int from, int to)
    {
        const int y = RuleY();
        canvas_.drawLine(QLine(from, y, to, y));
    }
    void Vertical(int x, int top, int bottom) { canvas_.drawLine(QLine(x, top, x, bottom)); }
    // The outer frame, its line inside the block's box: the ink ends at
    // the block's bottom, where the pagination counts it to end.
    void Frame(int top, int bottom)
    {
        const double inset = canvas_.pen().widthF() / 2;
        canvas_.setBrush(Qt::NoBrush);
        canvas_.drawRect(QRectF(x0_, top, info_.TableWidth, bottom - top).adjusted(inset, inset, -inset, -inset));
    }

private:
    QPainter& canvas_;
    const PrinterInfomation& info_;
    QFont body_, small_;
    QFontMetricsF bodyMetrics_, smallMetrics_;
    int x0_;
    double half_;
    double y_;
};

// "%.*f　": loads in kN/m² with two decimals, in N/m² without.
QString LoadText(double value, double loadUnitFactor)
{
    return Fixed(value, loadUnitFactor != 1 ? 2 : 0) + U("　");
}

// "%.2f (%.2f)　": a value and its check ratio or its depth.
QString PairText(double value, double second) { return Fixed(value, 2) + U(" (") + Fixed(second, 2) + U(")　"); }

class BlockDrawing {
public:
    BlockDrawing(QPainter& canvas, const SlabData& slab, const PrinterInfomation& info, double loadUnitFactor,
                 const BarData& bars)
        : b_(canvas, info), s_(slab), info_(info), bars_(bars), oneWay_(slab.Bind >= BindOneWayFixed),
          span_(oneWay_ ? "L" : "Lx"), unitPrefix_(loadUnitFactor != 1 ? U("k") : QString()),
          loadUnitFactor_(loadUnitFactor), labels_(info.CaseLabelWidth + info.QuantityLabelWidth),
          values_(b_.X0() + labels_)
    {
    }

    double Draw()
    {
        Heading();
        const double frameTop = info_.BlockTop + b_.Pitch();
        LoadTable();
        if (PrintsCheckLine(s_))
            CheckLine();
        b_.Pen(info_.ThickPen);
        b_.Rule();
        b_.Pen(info_.ThinPen);
        StressTable();
        const double bottom = b_.y() + b_.Pitch() - b_.Half();
        StressVerticals(static_cast<int>(bottom));
        b_.Pen(info_.ThickPen);
        b_.Frame(static_cast<int>(frameTop), static_cast<int>(bottom));
        return bottom;
    }

private:
    // Lines 1 to 4: name and condition, spans, thickness, materials.
    void Heading()
    {
        const int x0 = b_.X0();
        const QString blank = U("　");
        const QString condition = U(SlabConditionText(s_.Bind, true)) + blank;
        b_.Fitted(x0, b_.Right() - b_.Width(condition) - b_.Width(blank), blank + U(s_.Name));
        b_.RightAligned(b_.Right(), condition);

        b_.NextLine();
        int pen = b_.Text(x0, U("　") + U(span_) + U("=") + Fixed(s_.Lx, 2) + U("m"));
        if (s_.Ly > 0)
            b_.Text(pen, U(",　　Ly=") + Fixed(s_.Ly, 2) + U("m,　　λ=") + Fixed(s_.Lambda, 2));
        QString increase = U("応力割増 ") + Fixed(s_.IncreaseS, 2) + U("倍");
        increase += s_.DeltCheck ? U(",　たわみ割増 ") + Fixed(s_.IncreaseD, 2) + U("倍　") : U("　");
        b_.RightAligned(b_.Right(), increase);

        b_.NextLine();
        QString thickness = U("　t=") + Fixed(s_.T, 1) + U("cm");
        if (s_.DeltCheck && s_.TReq > 0) {
            const ThicknessComparison comparison = CompareWithRequired(s_);
            thickness += comparison == ThicknessComparison::Thicker ? U("＞")
                         : comparison == ThicknessComparison::Equal ? U("≧")
                                                                     : U("＜");
            thickness += U("必要スラブ厚 ") + Fixed(s_.TReq, 1) + U("cm　") + (ThicknessOk(s_) ? U("OK") : U("NG"));
        }
        b_.Text(x0, thickness);
        b_.RightAligned(b_.Right(), U("鉄筋のかぶり厚 ") + Fixed(s_.Cov, 1) + U("cm　"));

        b_.NextLine();
        pen = b_.Text(x0, U("　") + U(ConcreteKindName(s_.Concrete)) + QString::asprintf("コンクリート Fc=%gN/mm", s_.Fc));
        pen = b_.Small(pen, U("2"));
        b_.Fitted(pen + 1, b_.Right() - b_.Width(blank), U("　　鉄筋 ") + U(MakeGradeText(s_, bars_, false)));
    }

    int LoadColumn() const
    {
        return oneWay_ ? (info_.ValueAreaWidth - info_.PointLoadColumnWidth) / 5 : info_.ValueAreaWidth / 6;
    }

    // "床荷重 ω(kN/m²)" centred over [left, left + width].
    void FloorLoadHeading(int left, int width)
    {
        const QString head = U("床荷重 ω(") + unitPrefix_ + U("N/m");
        const int pen = b_.Text(left + (width - b_.Width(head + U("2)"))) / 2, head);
        b_.Text(b_.Small(pen, U("2")), U(")"));
    }

    void LoadTable()
    {
        const int x0 = b_.X0();
        const int column = LoadColumn();
        b_.NextLine();
        b_.Rule();
        const int top = b_.RuleY();

        b_.Centred(x0, labels_, b_.TwoLineTop(), U("荷　重"));
        const int pointLoad = values_ + 5 * column;
        if (oneWay_) {
            FloorLoadHeading(values_, 5 * column);
            const QString tip = U("先端集中荷重");
            b_.Centred(pointLoad, info_.PointLoadColumnWidth, b_.y(),
                       s_.Bind == BindCantilever ? tip : U("中央集中荷重"), b_.Width(tip));
            b_.NextLine();
            b_.Centred(pointLoad, info_.PointLoadColumnWidth, U("P (") + unitPrefix_ + U("N/m)"));
            b_.Rule(values_, pointLoad);
        } else {
            FloorLoadHeading(values_, info_.ValueAreaWidth);
            b_.NextLine();
            const bool anyPointLoad = s_.P[0] != 0 || s_.P[1] != 0 || s_.P[2] != 0;
            if (s_.LoadShape != 0 && anyPointLoad)
                b_.Centred(pointLoad, column, U("等変荷重"));
            else if (s_.AddLoadE > 0)
                b_.Centred(pointLoad, column, U("Wp"));
            b_.Rule(values_);
        }
        const char* heads[] = {"自　重", "仕上重量", "積載荷重", "積雪荷重", "合　計"};
        for (int i = 0; i < 5; ++i)
            b_.Centred(values_ + i * column, column, U(heads[i]));
        b_.NextLine();
        b_.Rule();

        for (int k = 0; k < 3; ++k)
            if (PrintsLoadRow(s_, k))
                LoadRow(k, column);

        const int bottom = b_.RuleY();
        b_.Vertical(values_, top, bottom);
        for (int i = 1; i <= 5; ++i) {
            const bool full = oneWay_ && i == 5;
            b_.Vertical(values_ + i * column, full ? top : static_cast<int>(top + b_.Pitch()), bottom);
        }
    }

    void LoadRow(int k, int column)
    {
        const char* label = k == 0 ? (s_.LoadTime == LoadShortTerm ? "短　期" : "長　期") : k == 1 ? "短期積雪時" : "たわみ計算用";
        b_.Centred(b_.X0(), labels_, U(label));
        auto cell = [&](int c, bool shown, double value) {
            if (shown)
                b_.RightAligned(values_ + c * column, LoadText(value, loadUnitFactor_));
        };
        cell(1, s_.Own > 0, s_.Own);
        cell(2, s_.FL > 0, s_.FL);
        cell(3, s_.LL[k] != 0, s_.LL[k]);
        cell(4, s_.SL[k] > 0, s_.SL[k]);
        cell(5, s_.TL[k] != 0, s_.TL[k]);
        const int lastRight = oneWay_ ? values_ + 5 * column + info_.PointLoadColumnWidth : values_ + 6 * column;
        // Two-way slabs show the equivalent load of a point load in the
        // deflection row when that row has no point load of its own.
        const double last = (!oneWay_ && k == 2 && s_.P[2] == 0) ? s_.AddLoadE : s_.P[k];
        if (last != 0)
            b_.RightAligned(lastRight, LoadText(last, loadUnitFactor_));
        b_.NextLine();
        b_.Rule();
    }

    void CheckLine()
    {
        QString check = U(" たわみ δ=") + Fixed(s_.Delta, 2) + QString::asprintf("mm(%s/%d)　", span_, s_.DeltaRatio);
        if (ShowsSpanThicknessCheck(s_))
            check += QString::asprintf("t/%s=1/%d≧1/%d OK", span_, SpanThicknessRatio(s_), SpanThicknessLimit(s_));
        else
            check += QString::asprintf("16δ/%s=1/%d", span_, s_.DeltaRatio16) +
                     (DeflectionOk(s_) ? U("≦1/250 OK") : U("＞1/250 NG"));
        b_.Text(b_.X0(), check);
        if (s_.Fv > 0)
            b_.RightAligned(b_.Right(), U("固有振動数 fv=") + U(FrequencyNumber(s_.Fv)) + U("Hz") + U(s_.FvNote) + U(" "));
        b_.NextLine();
    }

    int ColumnRight(int j) const { return values_ + (j + 1) * info_.ValueColumnWidth; }

    void StressTable()
    {
        const int x0 = b_.X0();
        const int quantity = x0 + info_.CaseLabelWidth;
        b_.Centred(x0, labels_, U("応力（検定値）"));
        stressTop_ = b_.y() - b_.Half();
        const char* heads[] = {"短辺方向 端部", "短辺方向 中央", "長辺方向 端部", "長辺方向 中央"};
        const char* oneWayHeads[] = {"主筋方向 端部", "主筋方向 中央", "配力筋方向 端部", "配力筋方向 中央"};
        for (int j = 0; j < 4; ++j)
            b_.Centred(values_ + j * info_.ValueColumnWidth, info_.ValueColumnWidth, U(oneWay_ ? oneWayHeads[j] : heads[j]));
        b_.NextLine();
        b_.Rule();

        const QString steel = U("必要at cm");
        int pen = b_.Text(x0 + (labels_ - b_.Width(U("必要at cm2　(dt cm)"))) / 2, steel);
        pen = b_.Small(pen, U("2"));
        b_.Text(pen + 1, U("　(dt cm)"));
        for (int j = 0; j < 4; ++j)
            if (s_.At[j / 2][j % 2] > 0)
                b_.RightAligned(ColumnRight(j), PairText(s_.At[j / 2][j % 2], s_.Dt[j / 2][j % 2]));
        b_.NextLine();
        b_.Rule();

        for (int k = 0; k < 2; ++k) {
            if (!PrintsStressRows(s_, k))
                continue;
            if (k == 0) {
                b_.Centred(x0, info_.CaseLabelWidth, b_.TwoLineTop(), U(s_.LoadTime == LoadShortTerm ? "短　期" : "長　期"));
            } else {
                b_.Centred(x0, info_.CaseLabelWidth, U("短　期"));
                b_.Centred(x0, info_.CaseLabelWidth, b_.y() + b_.Pitch(), U("積雪時"));
            }
            b_.Centred(quantity, info_.QuantityLabelWidth, U("Ｍ (kN･m)"));
            for (int j = 0; j < 4; ++j)
                if (s_.M[k][j / 2][j % 2] != 0)
                    b_.RightAligned(ColumnRight(j), PairText(s_.M[k][j / 2][j % 2], s_.MRatio[k][j / 2][j % 2]));
            b_.NextLine();
            b_.Rule(quantity);
            b_.Centred(quantity, info_.QuantityLabelWidth, U("Ｑ (kN)"));
            for (int dir = 0; dir < 2; ++dir)
                if (s_.Q[k][dir] != 0)
                    b_.RightAligned(ColumnRight(2 * dir), PairText(s_.Q[k][dir], s_.QRatio[k][dir]));
            b_.NextLine();
            b_.Rule();
        }

        b_.Centred(x0, info_.CaseLabelWidth, b_.TwoLineTop(), U("配　筋"));
        const TextGrid texts = BarTexts(s_);
        for (int layer = 0; layer < 2; ++layer) {
            if (layer == 1) {
                b_.NextLine();
                b_.Rule(quantity);
            }
            b_.Centred(quantity, info_.QuantityLabelWidth, U(layer == 0 ? "上　筋" : "下　筋"));
            for (int j = 0; j < 4; ++j)
                b_.RightAligned(ColumnRight(j), U(texts[j / 2][j % 2][layer]) + U("　"));
        }
    }

    // The header row and the required steel row span both label columns.
    void StressVerticals(int bottom)
    {
        const int top = static_cast<int>(stressTop_);
        b_.Vertical(b_.X0() + info_.CaseLabelWidth, static_cast<int>(stressTop_ + 2 * b_.Pitch()), bottom);
        b_.Vertical(values_, top, bottom);
        for (int j = 1; j <= 3; ++j)
            b_.Vertical(values_ + j * info_.ValueColumnWidth, top, bottom);
    }

    BlockPainter b_;
    const SlabData& s_;
    const PrinterInfomation& info_;
    const BarData& bars_;
    const bool oneWay_;
    const char* span_;
    const QString unitPrefix_;
    const double loadUnitFactor_;
    const int labels_;  // both label columns: the label area of the load table
    const int values_;  // left edge of the value columns
    double stressTop_ = 0;  // the rule above the stress table's header
};

}  // namespace

bool PrintsLoadRow(const SlabData& slab, int loadCase)
{
    return CaseHasLoad(slab, loadCase) && (loadCase < 2 || slab.DeltCheck);
}

bool PrintsStressRows(const SlabData& slab, int loadCase) { return loadCase < 2 && CaseHasLoad(slab, loadCase); }

// Only a deflection computed for this slab's deflection loads is stated: a
// δ left in the record from other loads is not.
bool PrintsCheckLine(const SlabData& slab) { return PrintsLoadRow(slab, 2) && slab.Delta > 0; }

int BlockLineCount(const SlabData& slab)
{
    int lines = 10;
    for (int k = 0; k < 2; ++k)
        lines += PrintsLoadRow(slab, k) + 2 * PrintsStressRows(slab, k);
    return lines + PrintsLoadRow(slab, 2) + PrintsCheckLine(slab);
}

int TallestBlockLineCount()
{
    SlabData slab;
    slab.TL = {1, 1, 1};
    slab.DeltCheck = true;
    slab.Delta = 1;
    return BlockLineCount(slab);
}

double DrawSlabBlock(QPainter& canvas, const SlabData& slab, const PrinterInfomation& info, double loadUnitFactor,
                     const BarData& bars)
{
    return BlockDrawing(canvas, slab, info, loadUnitFactor, bars).Draw();
}

}  // namespace korvexa::print
