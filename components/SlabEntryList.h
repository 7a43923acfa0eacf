// The look of the slab lists of the arrangement and print selection
// dialogs: one entry "%3d: name" per slab, its number kept as item data,
// one column, or two from 16 entries on, of a fixed line height.
#pragma once

#include <QString>
#include <QStyledItemDelegate>

class QListWidget;
class QWidget;

inline constexpr int kSlabNumberRole = Qt::UserRole;  // an entry's slab number
inline constexpr int kTwoColumnsFrom = 16;            // entries

// "%3d: name": the slab number right-aligned in three places (wider from
// 1000 on), then the name.
QString SlabEntryText(int slab, const QString& name);

// Draws an entry with its slab number right-aligned in a column three
// digits wide (wider for longer numbers), as the text's "%3d" means: in a
// proportional font blanks are narrower than digits.  A check box, where
// the item has one, stays the style's.
class SlabEntryDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The line height: the font's pixel height plus 3 points at the screen's resolution.
int SlabEntryHeight(const QWidget& widget);

// One column, or two side by side that fill top to bottom and then scroll
// sideways; again after every resize of the list.
void ArrangeSlabColumns(QListWidget* list, bool twoColumns, int itemHeight);
