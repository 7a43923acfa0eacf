#include "print/SummaryTable.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <array>
#include <cmath>

#include "engine/SheetTexts.h"
#include "engine/SlabVerdict.h"
#include "engine/Ukorvexa.h"
#include "print/BlockColumns.h"
#include "print/PrinterInfomation.h"

namespace korvexa::print {

namespace {

QString U(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

constexpr int kHeadLines = 3;   // the heading above the table and the two lines of column heads
constexpr int kCloseLines = 1;  // the count after the last slab

enum Column { No, Name, Condition, Lx, Ly, T, Moment, Shear, Deflection, Required, Frequency, Judgement, kColumns };

enum class Align { Left, Centre, Right };

struct ColumnSpec {
    const char* head[2];
    const char* widest;  // the widest value, for the columns of numbers
    Align align;
};

constexpr std::array<ColumnSpec, kColumns> kSpecs = {{
    {{"No.", ""}, "999", Align::Right},
    {{"名　称", ""}, "", Align::Left},
    {{"周辺拘束条件", ""}, "", Align::Left},
    {{"Lx", "(m)"}, "99.99", Align::Right},
    {{"Ly", "(m)"}, "99.99", Align::Right},
    {{"t", "(cm)"}, "99.9", Align::Right},
    {{"最大", "M/Ma"}, "99.99", Align::Right},
    {{"最大", "Q/Qa"}, "99.99", Align::Right},
    {{"たわみ", ""}, "16δ/Lx=1/9999", Align::Left},
    {{"必要厚", "(cm)"}, "99.9", Align::Right},
    {{"fv", "(Hz)"}, "999.9", Align::Right},
    {{"判定", ""}, "NG", Align::Centre},
}};

// The texts of one slab's line, and its reasons when it is NG.
struct SlabLine {
    std::array<QString, kColumns> cells;
    bool ng = false;
    QString reasons;
};

SlabVerdict Verdict(const SlabData& slab, const BarData& bars)
{
    return JudgeSlab(slab, slab.Calculated ? DesignOk : DesignIncomplete, CommonSettings{}, bars);
}

SlabLine LineOf(int number, const SlabData& s, const BarData& bars)
{
    const SlabVerdict v = Verdict(s, bars);
    SlabLine line;
    auto& c = line.cells;
    c[No] = QString::number(number);
    c[Name] = U(s.Name);
    c[Condition] = U(BindTypeName(s.Bind));
    c[Lx] = U(FixedNumber(s.Lx, 2));
    c[Ly] = IsTwoWay(s.Bind) ? U(FixedNumber(s.Ly, 2)) : QString();
    c[T] = U(FixedNumber(s.T, 1));
    c[Moment] = v.moment.present ? U(FixedNumber(v.moment.ratio, 2)) : QString();
    c[Shear] = v.shear.present ? U(FixedNumber(v.shear.ratio, 2)) : QString();
    c[Deflection] = U(DeflectionRatioText(s, v));
    c[Required] = v.thickness.stated ? U(FixedNumber(v.thickness.required, 1)) : QString();
    c[Frequency] = s.Fv > 0 ? U(FrequencyNumber(s.Fv)) : QString();
    c[Judgement] = U(JudgementWord(v));
    line.ng = v.Ng();
    if (line.ng)
        line.reasons = U("　") + U(ReasonsText(s, v));
    return line;
}

// The table's edges: from the left margin to its mirror on the right, and
// never narrower than a slab block.
struct Geometry {
    int left = 0, right = 0;
    std::array<int, kColumns + 1> edges{};
    int pad = 0;  // room left and right of a text in its cell, together
};

Geometry Measure(const PrinterInfomation& info, const PrintSource& source, const std::vector<int>& list,
                 const QFontMetricsF& metrics)
{
    Geometry g;
    g.left = info.OddLeftX;
    g.right = std::max(info.EvenLeftX + 2 * info.IndentPx + info.TableWidth,
                       info.OddLeftX + info.IndentPx + info.TableWidth);
    const auto width = [&metrics](const QString& text) { return BlockTextWidth(metrics, text); };
    g.pad = width(U("　"));

    std::array<int, kColumns> natural{};
    for (int c = 0; c < kColumns; ++c)
        natural[c] = std::max({width(U(kSpecs[c].head[0])), width(U(kSpecs[c].head[1])), width(U(kSpecs[c].widest))});
    // Names up to twelve characters wide; a longer one is drawn narrower.
    std::array<bool, BindTypeCount> binds{};
    for (int number : list) {
        const SlabData& s = source.Slab(number);
        natural[Name] = std::max(natural[Name], std::min(width(U(s.Name)), 12 * g.pad));
        if (s.Bind >= 0 && s.Bind < BindTypeCount)
            binds[s.Bind] = true;
    }
    for (int b = 0; b < BindTypeCount; ++b)
        if (binds[b])
            natural[Condition] = std::max(natural[Condition], width(U(BindTypeName(b))));
    int total = 0;
    for (int& w : natural)
        total += w += g.pad;

    // Room to spare goes to the names; a shortfall is taken from the names
    // and conditions first (their texts drawn narrower), then from all.
    const int room = g.right - g.left;
    if (total <= room) {
        natural[Name] += room - total;
    } else {
        const int squeezable = natural[Name] + natural[Condition] - 2 * g.pad;
        const int taken = std::min(total - room, squeezable / 2);
        const int fromName = squeezable > 0 ? taken * (natural[Name] - g.pad) / squeezable : 0;
        natural[Name] -= fromName;
        natural[Condition] -= taken - fromName;
        total -= taken;
        if (total > room)
            for (int& w : natural)
                w = w * room / total;
    }
    g.edges[0] = g.left;
    for (int c = 0; c < kColumns; ++c)
        g.edges[c + 1] = g.edges[c] + natural[c];
    g.edges[kColumns] = std::max(g.edges[kColumns], g.right);
    g.right = g.edges[kColumns];
    return g;
}

// Draws the table's lines on a painter, top to bottom, as the slab block
// does: y is the text top of the current line, rules lie half a line gap
// above it.
class TablePainter {
public:
    TablePainter(QPainter& canvas, const PrinterInfomation& info, double top)
        : canvas_(canvas), info_(info), body_(SizedFont(info.BodyFont, info.BodyFontHeight)), strong_(body_),
          metrics_(body_, canvas.device()), half_(info.LineGap / 2), y_(top + half_)
    {
        // NG stands out in bold; a bold body font underlines it too.
        if (body_.bold())
            strong_.setUnderline(true);
        strong_.setBold(true);
        canvas_.setRenderHint(QPainter::Antialiasing, false);
        canvas_.setFont(body_);
        Pen(info.ThinPen);
    }
    ~TablePainter() { canvas_.setFont(body_); }

    const QFontMetricsF& Metrics() const { return metrics_; }
    double y() const { return y_; }
    void NextLine() { y_ += info_.BodyPitch; }
    int RuleY() const { return static_cast<int>(y_ - half_); }

    void Strong(bool on) { canvas_.setFont(on ? strong_ : body_); }
    // A text in [left, right], aligned; drawn narrower when it does not fit.
    void Cell(int left, int right, int pad, const QString& text, Align align)
    {
        if (text.isEmpty())
            return;
        const QFontMetricsF metrics(canvas_.font(), canvas_.device());
        const double room = right - left - pad;
        const double width = metrics.horizontalAdvance(text);
        const double scale = width > room && room > 0 ? room / width : 1;
        const double drawn = width * scale;
        double x = left + pad / 2.0;
        if (align == Align::Right)
            x = right - pad / 2.0 - drawn;
        else if (align == Align::Centre)
            x = left + (right - left - drawn) / 2;
        canvas_.save();
        canvas_.translate(std::trunc(x), std::trunc(y_) + metrics.ascent());
        canvas_.scale(scale, 1);
        canvas_.drawText(QPointF(0, 0), text);
        canvas_.restore();
    }

    void Pen(int width) { canvas_.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin)); }
    void Rule(int from, int to) { canvas_.drawLine(QLine(from, RuleY(), to, RuleY())); }
    void Vertical(int x, int top, int bottom) { canvas_.drawLine(QLine(x, top, x, bottom)); }
    void Frame(int left, int top, int right, int bottom)
    {
        canvas_.setBrush(Qt::NoBrush);
        canvas_.drawRect(QRect(left, top, right - left, bottom - top));
    }

private:
    QPainter& canvas_;
    const PrinterInfomation& info_;
    QFont body_, strong_;
    QFontMetricsF metrics_;
    double half_;
    double y_;
};

bool IsSummaryPage(const Pagination& pages, int p)
{
    return p >= 1 && p < static_cast<int>(pages.PageIndex.size()) && pages.PageIndex[static_cast<std::size_t>(p)].Summary;
}

}  // namespace

int SummaryLineCount(const SlabData& slab, const BarData& bars) { return Verdict(slab, bars).Ng() ? 2 : 1; }

void AddSummaryPages(Pagination& pages, const PrintSource& source, const PrinterInfomation& info, int titleHeight)
{
    const int slabs = static_cast<int>(pages.PrintList.size());
    double used = titleHeight + kHeadLines * info.BodyPitch;
    int count = 0;
    int first = 0;
    for (int q = 0; q < slabs; ++q) {
        const double height =
            SummaryLineCount(source.Slab(pages.PrintList[static_cast<std::size_t>(q)]), source.Bars()) * info.BodyPitch;
        const double closing = q == slabs - 1 ? kCloseLines * info.BodyPitch : 0;
        if (count > 0 && used + height + closing > info.UsableHeight) {
            pages.PageIndex.push_back({count, first, true});
            count = 0;
            first = q;
            used = kHeadLines * info.BodyPitch;
        }
        used += height;
        ++count;
    }
    if (count > 0)
        pages.PageIndex.push_back({count, first, true});
}

double DrawSummaryPage(QPainter& canvas, const PrinterInfomation& info, const PrintSource& source,
                       const Pagination& pages, int p, double top)
{
    const PageIndexMember& page = pages.PageIndex[static_cast<std::size_t>(p)];
    TablePainter t(canvas, info, top);
    const Geometry g = Measure(info, source, pages.PrintList, t.Metrics());
    const auto& e = g.edges;

    t.Cell(g.left, g.right, 0, U(IsSummaryPage(pages, p - 1) ? "　スラブ一覧表（続き）" : "　スラブ一覧表"), Align::Left);
    t.NextLine();
    const int frameTop = t.RuleY();
    for (int row = 0; row < 2; ++row) {
        for (int c = 0; c < kColumns; ++c)
            t.Cell(e[c], e[c + 1], g.pad, U(kSpecs[c].head[row]), Align::Centre);
        t.NextLine();
    }
    for (int c = 1; c < kColumns; ++c)
        t.Vertical(e[c], frameTop, t.RuleY());

    for (int i = 0; i < page.Count; ++i) {
        const int number = pages.PrintList[static_cast<std::size_t>(page.First + i)];
        const SlabLine line = LineOf(number, source.Slab(number), source.Bars());
        t.Rule(g.left, g.right);
        const int lineTop = t.RuleY();
        t.Strong(line.ng);
        for (int c = 0; c < kColumns; ++c)
            t.Cell(e[c], e[c + 1], g.pad, line.cells[c], kSpecs[c].align);
        t.NextLine();
        for (int c = 1; c < kColumns; ++c)
            t.Vertical(e[c], lineTop, t.RuleY());
        if (line.ng) {
            t.Cell(e[Name], g.right, g.pad, line.reasons, Align::Left);
            t.NextLine();
            t.Vertical(e[Name], lineTop, t.RuleY());
        }
        t.Strong(false);
    }
    const int frameBottom = t.RuleY();
    t.Pen(info.ThickPen);
    t.Frame(g.left, frameTop, g.right, frameBottom);
    t.Pen(info.ThinPen);

    if (!IsSummaryPage(pages, p + 1)) {
        int total = 0, ng = 0;
        for (int number : pages.PrintList) {
            ++total;
            ng += Verdict(source.Slab(number), source.Bars()).Ng() ? 1 : 0;
        }
        t.Cell(g.left, g.right, 0, U("　") + U(CountText(total, ng, 0)), Align::Left);
        t.NextLine();
    }
    return t.y() - info.LineGap / 2;
}

}  // namespace korvexa::print
