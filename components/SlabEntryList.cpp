#include "components/SlabEntryList.h"

#include <QApplication>
#include <QFontInfo>
#include <QListWidget>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <cmath>

QString SlabEntryText(int slab, const QString& name) { return QString::asprintf("%3d: ", slab) + name; }

void SlabEntryDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const QString number = QString::number(index.data(kSlabNumberRole).toInt());
    const qsizetype nameStart = text.indexOf(QStringLiteral(": "));
    const QString rest = nameStart < 0 ? text : text.mid(nameStart);
    const QFontMetrics metrics(item.font);
    const int column = std::max(metrics.horizontalAdvance(QStringLiteral("999")), metrics.horizontalAdvance(number));
    QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    painter->save();
    painter->setFont(item.font);
    painter->setPen(item.palette.color(QPalette::Normal, (item.state & QStyle::State_Selected) ? QPalette::HighlightedText
                                                                                               : QPalette::Text));
    painter->drawText(area.adjusted(0, 0, column - area.width(), 0), Qt::AlignRight | Qt::AlignVCenter, number);
    area.setLeft(area.left() + column);
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, metrics.elidedText(rest, Qt::ElideRight, area.width()));
    painter->restore();
}

int SlabEntryHeight(const QWidget& widget)
{
    const int gap = static_cast<int>(std::lround(3.0 * widget.logicalDpiY() / 72.0));
    return gap + QFontInfo(widget.font()).pixelSize();
}

void ArrangeSlabColumns(QListWidget* list, bool twoColumns, int itemHeight)
{
    list->setFlow(QListView::TopToBottom);
    list->setWrapping(twoColumns);
    list->setHorizontalScrollBarPolicy(twoColumns ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(twoColumns ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    const int width = list->viewport()->width() / (twoColumns ? 2 : 1);
    list->setGridSize(QSize(std::max(width, 1), itemHeight));
}
