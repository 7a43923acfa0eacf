#include "print/BlockColumns.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "print/PrinterInfomation.h"

namespace korvexa::print {

int BlockTextWidth(const QFontMetricsF& metrics, const QString& text)
{
    return static_cast<int>(std::ceil(metrics.horizontalAdvance(text) - 1e-6));
}

void MeasureBlockColumns(PrinterInfomation& info, const QPaintDevice* canvas)
{
    const QFont font = SizedFont(info.BodyFont, info.BodyFontHeight);
    const QFontMetricsF metrics(font, canvas);  // a null canvas: the screen
    auto width = [&metrics](const char* text) { return BlockTextWidth(metrics, QString::fromUtf8(text)); };

    // The widest heading line of the block.
    int table = width("　Lx=99.99m,　Ly=99.99m,　λ=99.99　　　応力割増 9.99倍　たわみ割増 9.99倍　");

    // The two label columns hold the required steel label together.
    int caseLabel = width(" 積雪時 ");
    int quantityLabel = width(" Ｍ (kN･m) ");
    const int shortfall = width("　必要at cm2　(dt cm)　") - caseLabel - quantityLabel;
    if (shortfall > 0) {
        caseLabel += (shortfall + 1) / 2;
        quantityLabel += (shortfall + 1) / 2;
    }
    const int labels = caseLabel + quantityLabel;

    // Five load columns and the point load, or four bar columns.
    const int load = width(" 積載荷重 ");
    const int pointLoad = width(" 先端集中荷重 ");
    // A bar column holds the widest bar text as it is drawn, with the
    // full-width blank that ends it, and a half-width one before it.
    const int bars = std::max(width(" D10･D13 @200　"), width(" 配力筋方向 端部 "));
    table = std::max(table, labels + std::max(4 * bars, 5 * load + pointLoad));

    // The value area divides into six load or four stress columns.
    int values = table - labels;
    if (values % 6 != 0)
        values += 6 - values % 6;
    info.CaseLabelWidth = caseLabel;
    info.QuantityLabelWidth = quantityLabel;
    info.ValueAreaWidth = values;
    info.TableWidth = labels + values;
    info.PointLoadColumnWidth = values - 5 * ((values - pointLoad) / 5);
    info.ValueColumnWidth = values / 4;
}

}  // namespace korvexa::print
