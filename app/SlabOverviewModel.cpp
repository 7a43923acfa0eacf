#include "app/SlabOverviewModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <cctype>

#include "app/DataNotifier.h"
#include "app/FieldLabels.h"
#include "app/SlabList.h"
#include "app/UmainShared.h"
#include "engine/SheetTexts.h"
#include "engine/Ukorvexa.h"

namespace korvexa::app {

namespace {

using Col = SlabOverviewModel::Column;

const char* const kHeads[Col::ColumnCount] = {
    "No.", "名称", "周辺拘束条件", "Lx (m)", "Ly (m)", "t (cm)", "荷重ケース",
    "最大M検定比", "最大Q検定比", "たわみ判定", "必要スラブ厚 (cm)", "fv (Hz)", "判定",
};

// NG is told three ways, so that it reads in grey too: dark red bold text
// on a light background.
const QColor kNgText(0xa0, 0x00, 0x00);
const QColor kNgBackground(0xff, 0xe4, 0xe1);
const QColor kUndesignedText(0x60, 0x60, 0x60);

QString Number(double v, int decimals) { return Utf8(FixedNumber(v, decimals)); }

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Texts compared byte by byte (UTF-8 keeps the order of code points),
// runs of digits by their value.
bool NaturalLess(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            while (i < a.size() && a[i] == '0')
                ++i;
            while (j < b.size() && b[j] == '0')
                ++j;
            std::size_t ei = i, ej = j;
            while (ei < a.size() && IsDigit(a[ei]))
                ++ei;
            while (ej < b.size() && IsDigit(b[ej]))
                ++ej;
            const std::string_view x = a.substr(i, ei - i), y = b.substr(j, ej - j);
            if (x.size() != y.size())
                return x.size() < y.size();
            if (x != y)
                return x < y;
            i = ei;
            j = ej;
        } else if (a[i] != b[j]) {
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        } else {
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

// How far a deflection check uses its limit: 1 at the limit, above 1 NG.
std::optional<double> DeflectionShare(const SlabVerdict& v)
{
    const DeflectionCheck& d = v.deflection;
    if (d.rule == DeflectionRule::None || d.ratio <= 0 || d.limit <= 0)
        return std::nullopt;
    return d.rule == DeflectionRule::Deflection ? static_cast<double>(d.limit) / d.ratio
                                                : static_cast<double>(d.ratio) / d.limit;
}

}  // namespace

SlabOverviewModel::SlabOverviewModel(const DataNotifier& notifier, QObject* parent)
    : QAbstractTableModel(parent), slabs_(notifier.Slabs())
{
    current_ = slabs_.CurrentIndex() - 1;
    JudgeAll();
    connect(&notifier, &DataNotifier::SlabChanged, this, &SlabOverviewModel::SlabChanged);
    connect(&notifier, &DataNotifier::SlabInserted, this, &SlabOverviewModel::SlabInserted);
    connect(&notifier, &DataNotifier::SlabRemoved, this, &SlabOverviewModel::SlabRemoved);
    connect(&notifier, &DataNotifier::SlabsRearranged, this, &SlabOverviewModel::Rebuild);
    connect(&notifier, &DataNotifier::DataReplaced, this, &SlabOverviewModel::Rebuild);
    connect(&notifier, &DataNotifier::SettingsChanged, this, &SlabOverviewModel::Rejudge);
    connect(&notifier, &DataNotifier::CurrentChanged, this, &SlabOverviewModel::CurrentChanged);
}

int SlabOverviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(verdicts_.size());
}

int SlabOverviewModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

const SlabData& SlabOverviewModel::Slab(int row) const { return slabs_.At(row + 1); }

void SlabOverviewModel::Judge(int row)
{
    verdicts_[static_cast<std::size_t>(row)] = JudgeListedSlab(Slab(row), ProgramSettings(), ProgramBars());
}

void SlabOverviewModel::JudgeAll()
{
    verdicts_.resize(static_cast<std::size_t>(slabs_.Count()));
    for (int row = 0; row < slabs_.Count(); ++row)
        Judge(row);
}

QString SlabOverviewModel::Text(int row, int column) const
{
    const SlabData& s = Slab(row);
    const SlabVerdict& v = Verdict(row);
    const bool designed = v.Designed();
    switch (column) {
    case No: return QString::number(row + 1);
    case Name: return Utf8(s.Name);
    case Condition: return Utf8(BindTypeName(s.Bind));
    case Lx: return Number(s.Lx, 2);
    case Ly: return IsTwoWay(s.Bind) ? Number(s.Ly, 2) : QString();
    case T: return Number(s.T, 1);
    case LoadCase: return Utf8(LoadTimeName(s.LoadTime));
    case Moment: return designed && v.moment.present ? Number(v.moment.ratio, 2) : QString();
    case Shear: return designed && v.shear.present ? Number(v.shear.ratio, 2) : QString();
    case Deflection: return designed ? Utf8(DeflectionText(s, v)) : QString();
    case Required: return designed && v.thickness.stated ? Number(v.thickness.required, 1) : QString();
    case Frequency: return designed && s.Fv > 0 ? Number(s.Fv, 1) : QString();
    case Judgement: {
        QString text = Utf8(JudgementWord(v));
        if (v.Ng())
            text += QStringLiteral("　") + Utf8(ReasonsText(s, v));
        if (!designed) {
            // The message bar's words: the panel's name of the input.
            InputProblem problem = v.failure;
            PanelChoices choices;
            choices.bind = s.Bind;
            problem.field = FieldLabel(problem.field, ComputePanelState(choices));
            text += QStringLiteral("　") + Utf8(problem.Text());
        }
        return text;
    }
    default: return QString();
    }
}

bool SlabOverviewModel::Fails(int row, int column) const
{
    const SlabVerdict& v = Verdict(row);
    switch (column) {
    case Moment: return v.Fails(NgReason::Moment);
    case Shear: return v.Fails(NgReason::Shear);
    case Deflection: return v.Fails(NgReason::Deflection);
    case Required: return v.Fails(NgReason::Thickness);
    case Judgement: return v.Ng();
    default: return false;
    }
}

QVariant SlabOverviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const int row = index.row(), column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (column == No && row == current_)
            return QStringLiteral("▶ ") + Text(row, column);
        return Text(row, column);
    case PlainRole:
        return Text(row, column);
    case Qt::TextAlignmentRole:
        if (column == Lx || column == Ly || column == T || column == Moment || column == Shear || column == Required ||
            column == Frequency || column == No)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (!Verdict(row).Designed())
            return QBrush(kUndesignedText);
        return Fails(row, column) ? QVariant(QBrush(kNgText)) : QVariant();
    case Qt::BackgroundRole:
        return IsNg(row) ? QVariant(QBrush(kNgBackground)) : QVariant();
    case Qt::FontRole:
        if (Fails(row, column) || (column == No && row == current_)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return QVariant();
    case Qt::ToolTipRole: {
        const SlabVerdict& v = Verdict(row);
        const SlabData& s = Slab(row);
        if (column == Moment && v.moment.present)
            return Utf8(PlaceText(s, v.moment.place));
        if (column == Shear && v.shear.present)
            return Utf8(PlaceText(s, v.shear.place));
        if (column == Judgement || column == Name)
            return Text(row, Judgement);
        return QVariant();
    }
    default:
        return QVariant();
    }
}

QVariant SlabOverviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < ColumnCount)
        return QString::fromUtf8(kHeads[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

std::optional<double> SlabOverviewModel::SortKey(int row, int column) const
{
    const SlabData& s = Slab(row);
    const SlabVerdict& v = Verdict(row);
    const bool designed = v.Designed();
    switch (column) {
    case No: return row;
    case Condition: return s.Bind;
    case Lx: return s.Lx;
    case Ly: return IsTwoWay(s.Bind) ? std::optional<double>(s.Ly) : std::nullopt;
    case T: return s.T;
    case LoadCase: return s.LoadTime;
    case Moment: return designed && v.moment.present ? std::optional<double>(v.moment.ratio) : std::nullopt;
    case Shear: return designed && v.shear.present ? std::optional<double>(v.shear.ratio) : std::nullopt;
    case Deflection: return designed ? DeflectionShare(v) : std::nullopt;
    case Required: return designed && v.thickness.stated ? std::optional<double>(v.thickness.required) : std::nullopt;
    case Frequency: return designed && s.Fv > 0 ? std::optional<double>(s.Fv) : std::nullopt;
    case Judgement: return v.Ng() ? 2 : designed ? 0 : 1;
    default: return std::nullopt;
    }
}

bool SlabOverviewModel::NameLess(int left, int right) const { return NaturalLess(Slab(left).Name, Slab(right).Name); }

QString SlabOverviewModel::CountText() const
{
    int ng = 0, undesigned = 0;
    for (const SlabVerdict& v : verdicts_) {
        ng += v.Ng() ? 1 : 0;
        undesigned += v.Designed() ? 0 : 1;
    }
    return Utf8(korvexa::CountText(static_cast<int>(verdicts_.size()), ng, undesigned));
}

QString SlabOverviewModel::TabSeparated(const std::vector<int>& rows) const
{
    // A tab or line break inside a cell (a name may hold neither, but a
    // message might) would split it: it becomes a blank.
    const auto cell = [](QString text) {
        return text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    };
    QStringList lines;
    QStringList head;
    for (int c = 0; c < ColumnCount; ++c)
        head << QString::fromUtf8(kHeads[c]);
    lines << head.join(QLatin1Char('\t'));
    for (int row : rows) {
        QStringList cells;
        for (int c = 0; c < ColumnCount; ++c)
            cells << cell(Text(row, c));
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// ---------------------------------------------------------------- following the data

void SlabOverviewModel::SlabChanged(int index)
{
    const int row = index - 1;
    if (row < 0 || row >= rowCount())
        return;
    Judge(row);
    emit dataChanged(this->index(row, 0), this->index(row, ColumnCount - 1));
    emit CountsChanged();
}

void SlabOverviewModel::SlabInserted(int index)
{
    const int row = index - 1;
    if (row < 0 || row > rowCount())
        return Rebuild();
    beginInsertRows(QModelIndex(), row, row);
    verdicts_.insert(verdicts_.begin() + row, SlabVerdict{});
    Judge(row);
    endInsertRows();
    NumbersFrom(row + 1);
    MarkCurrent();
    emit CountsChanged();
}

void SlabOverviewModel::SlabRemoved(int index)
{
    const int row = index - 1;
    if (row < 0 || row >= rowCount())
        return Rebuild();
    beginRemoveRows(QModelIndex(), row, row);
    verdicts_.erase(verdicts_.begin() + row);
    endRemoveRows();
    NumbersFrom(row);
    MarkCurrent();
    emit CountsChanged();
}

// The numbers of the rows from `row` on moved with an insertion or removal.
void SlabOverviewModel::NumbersFrom(int row)
{
    if (row < rowCount())
        emit dataChanged(index(row, No), index(rowCount() - 1, No));
}

void SlabOverviewModel::Rebuild()
{
    beginResetModel();
    current_ = slabs_.CurrentIndex() - 1;
    JudgeAll();
    endResetModel();
    emit CountsChanged();
}

// New settings (a load unit, bar grades) judge every slab again; the rows
// stay where they are.
void SlabOverviewModel::Rejudge()
{
    if (slabs_.Count() != rowCount())
        return Rebuild();
    JudgeAll();
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    emit CountsChanged();
}

void SlabOverviewModel::CurrentChanged(int) { MarkCurrent(); }

// Moves the marker to the slab the main window shows.  The list tells of a
// new current slab before or after the insertion or removal that brings
// it, so each of them marks it again; a row out of range waits for the
// rebuild that follows.
void SlabOverviewModel::MarkCurrent()
{
    const int old = current_;
    current_ = slabs_.CurrentIndex() - 1;
    if (old == current_)
        return;
    for (int row : {old, current_})
        if (row >= 0 && row < rowCount())
            emit dataChanged(this->index(row, No), this->index(row, No));
}

// ---------------------------------------------------------------- order and filter

SlabOverviewFilter::SlabOverviewFilter(SlabOverviewModel& model, QObject* parent)
    : QSortFilterProxyModel(parent), model_(model)
{
    setSourceModel(&model);
    setDynamicSortFilter(true);
}

void SlabOverviewFilter::SetNgOnly(bool on)
{
    if (ngOnly_ == on)
        return;
    ngOnly_ = on;
    invalidateFilter();
}

bool SlabOverviewFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const int column = left.column();
    if (column == SlabOverviewModel::Name)
        return model_.NameLess(left.row(), right.row());
    const std::optional<double> a = model_.SortKey(left.row(), column);
    const std::optional<double> b = model_.SortKey(right.row(), column);
    if (a && b)
        return *a < *b;
    // An empty cell goes last in either order: a descending sort asks
    // lessThan(right, left).
    if (a.has_value() != b.has_value())
        return sortOrder() == Qt::AscendingOrder ? a.has_value() : b.has_value();
    return false;
}

bool SlabOverviewFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    return !ngOnly_ || model_.IsNg(sourceRow);
}

}  // namespace korvexa::app
