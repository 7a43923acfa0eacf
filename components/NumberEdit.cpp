#include "components/NumberEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QRegularExpression>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

// A finite value as a decimal: value = ±0.d1d2...dn × 10^point, that is,
// `point` digits stand before the decimal point (point may be ≤ 0 or > n).
// No leading zeros; zero is "0" with point 1.
struct Decimal {
    bool negative = false;
    std::string digits = "0";
    int point = 1;
};

// A value that a double holds exactly came (almost always) from a double
// variable, whose decimal is the shortest text that reads back as that
// double: 0.1 and not 0.100000000000000006.  Other values are taken to 18
// significant digits.
Decimal ToDecimal(long double v)
{
    Decimal d;
    if (v == 0 || !std::isfinite(v))
        return d;
    char buffer[64];
    std::to_chars_result r;
    if (std::fabs(v) <= DBL_MAX && static_cast<long double>(static_cast<double>(v)) == v)
        r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(v), std::chars_format::scientific);
    else
        r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, TNumberEdit::kMaxDigits - 1);
    const std::string text(buffer, r.ptr);  // "-d.ddde-xx"
    std::size_t at = 0;
    if (text[at] == '-') {
        d.negative = true;
        ++at;
    }
    const std::size_t e = text.find('e');
    d.digits.clear();
    for (std::size_t i = at; i < e; ++i)
        if (text[i] != '.')
            d.digits += text[i];
    int exponent = 0;
    const char* first = text.data() + e + 1;
    if (*first == '+')
        ++first;
    std::from_chars(first, text.data() + text.size(), exponent);
    d.point = exponent + 1;
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

bool IsZero(const Decimal& d) { return d.digits == "0"; }

// Rounds half away from zero, keeping `keep` leading digits (keep may be
// ≤ 0: the value then rounds to 0 or to one unit of the digit before).
void RoundDigits(Decimal& d, int keep)
{
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits = "0";
        d.point = 1;
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9')
            d.digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        } else {
            ++d.digits[static_cast<std::size_t>(i)];
        }
    }
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty() || d.digits == "0") {
        d.digits = "0";
        d.point = 1;
    }
}

char DigitAt(const Decimal& d, int index)
{
    return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(index)] : '0';
}

// Fixed notation with exactly `decimals` decimals, no separators; a value
// that rounds to zero has no sign.
std::string FixedText(long double v, int decimals)
{
    Decimal d = ToDecimal(v);
    RoundDigits(d, d.point + decimals);
    std::string out;
    if (d.negative && !IsZero(d))
        out += '-';
    if (d.point <= 0)
        out += '0';
    for (int i = 0; i < d.point; ++i)
        out += DigitAt(d, i);
    if (decimals > 0) {
        out += '.';
        for (int i = 0; i < decimals; ++i)
            out += DigitAt(d, d.point + i);
    }
    return out;
}

// General notation of a decimal with `minDigits` significant digits at
// least (zeros padded): positional, or the exponent form (1.5E-6) below
// 0.00001 and beyond 18 integral digits.
std::string GeneralText(const Decimal& d, int minDigits)
{
    std::string digits = d.digits;
    if (static_cast<int>(digits.size()) < minDigits)
        digits.append(static_cast<std::size_t>(minDigits) - digits.size(), '0');
    const int n = static_cast<int>(digits.size());
    std::string out;
    if (d.negative && !IsZero(d))
        out += '-';
    const int exponent = d.point - 1;
    if (!IsZero(d) && (exponent < -5 || d.point > TNumberEdit::kMaxDigits)) {
        out += digits[0];
        if (n > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += 'E';
        out += std::to_string(exponent);
    } else if (d.point <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.point), '0');
        out += digits;
    } else if (d.point >= n) {
        out += digits;
        out.append(static_cast<std::size_t>(d.point - n), '0');
    } else {
        out.append(digits, 0, static_cast<std::size_t>(d.point));
        out += '.';
        out.append(digits, static_cast<std::size_t>(d.point));
    }
    return out;
}

long double PowerOfTen(int n)
{
    long double p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

// Truncated toward zero and held within T's range.
template <typename T>
T ToInteger(long double v)
{
    if (std::isnan(v))
        return 0;
    v = std::trunc(v);
    constexpr T lo = std::numeric_limits<T>::min();
    constexpr T hi = std::numeric_limits<T>::max();
    if (v <= static_cast<long double>(lo))
        return lo;
    if (v >= static_cast<long double>(hi))
        return hi;
    return static_cast<T>(v);
}

double ToDouble(long double v)
{
    if (std::isnan(v))
        return 0;
    if (v > DBL_MAX)
        return DBL_MAX;
    if (v < -DBL_MAX)
        return -DBL_MAX;
    return static_cast<double>(v);
}

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool IsExponentMark(QChar c) { return c == QLatin1Char('E') || c == QLatin1Char('e'); }

// A full-width form (０-９, ．, －, ｅ ... as a Japanese input method types
// them), the minus sign U+2212 and the ideographic blank as ASCII; other
// characters as they are.
QChar HalfWidth(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E)
        return QChar(static_cast<char16_t>(u - 0xFEE0));
    if (u == 0x2212)
        return QLatin1Char('-');
    if (u == 0x3000)
        return QLatin1Char(' ');
    return c;
}

// The typing rule: whether `key` may be typed at `caret` into a box of
// this kind whose text, without the selection, is `rest`.  Digits always;
// a minus first (signed) or as an exponent's sign (real boxes); one point
// and one exponent mark, not first, in a real box.
bool CharacterFits(char key, TNumberEdit::TNumTypeIndex type, TNumberEdit::TNumSignIndex sign, const QString& rest,
                   qsizetype caret)
{
    const QChar before = caret > 0 && caret <= rest.size() ? rest.at(caret - 1) : QChar();
    const bool real = type == TNumberEdit::numDOUBLE;
    if (key >= '0' && key <= '9')
        return true;
    switch (key) {
    case '-':
        if (sign == TNumberEdit::numSigned)
            return caret == 0 || IsExponentMark(before);
        return caret != 0 && real && IsExponentMark(before);
    case '.':
        return real && !rest.contains(QLatin1Char('.'));
    case 'E':
    case 'e':
        return real && caret != 0 && !rest.contains(QLatin1Char('E')) && !rest.contains(QLatin1Char('e'));
    default:
        return false;
    }
}

// The character a key event types, as the filter sees it.  False for keys
// that type nothing (caret movement, Delete, function keys) and for
// Alt/Meta combinations, which belong to menus and shortcuts.
bool TypedCharacter(const QKeyEvent* e, char& key)
{
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    if (mods & (Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (e->key()) {
    case Qt::Key_Backspace:
        key = ctrl ? '\x7F' : '\b';
        return true;
    case Qt::Key_Escape:
        key = '\x1B';
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = '\r';
        return true;
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        break;
    }
    if (ctrl) {
        // Control characters, as Ctrl with a letter types them.
        if (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) {
            key = static_cast<char>(e->key() - Qt::Key_A + 1);
            return true;
        }
        return false;
    }
    const QString text = e->text();
    if (text.isEmpty())
        return false;
    const char16_t c = HalfWidth(text.at(0)).unicode();
    if (text.size() > 1 || c < 0x20 || c == 0x7F) {
        key = 0;  // nothing a number box can take
        return true;
    }
    key = c <= 0xFF ? static_cast<char>(c) : 0;
    return true;
}

bool IsControlLetter(const QKeyEvent* e)
{
    return (e->modifiers() & Qt::ControlModifier) && !(e->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) &&
           e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z;
}

bool IsClipboardKey(const QKeyEvent* e)
{
    return e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Copy) || e->matches(QKeySequence::Cut) ||
           e->matches(QKeySequence::SelectAll);
}

// Whether an integer variable of type T holds v (after truncation).
template <typename T>
bool HoldsInteger(long double v)
{
    return v > static_cast<long double>(std::numeric_limits<T>::min()) - 1 &&
           v < static_cast<long double>(std::numeric_limits<T>::max()) + 1;
}

}  // namespace

TNumberEdit::TNumberEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignCenter);
    // No input method in a number box: composed text would pass by the filter.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setInputMethodHints(Qt::ImhFormattedNumbersOnly | Qt::ImhNoPredictiveText);
    // A dropped text would pass by the paste's check.
    setAcceptDrops(false);
    resize(60, sizeHint().height());
}

void TNumberEdit::SetDigits(int n)
{
    if (n >= 0)
        digits_ = std::min(n, kMaxDigits);
    else
        digits_ = type_ == numINT ? 0 : -1;
}

// --- value ----------------------------------------------------------------

void TNumberEdit::SetValue(long double v)
{
    value_ = v;
    SetText();
    LinkValueUpdate();
}

void TNumberEdit::ValueUpdate()
{
    long double v = 0;
    if (!ReadNumber(text(), v))
        v = 0;
    value_ = v;
    SetText();
    LinkValueUpdate();
}

void TNumberEdit::ShowUpdate()
{
    std::visit(
        [this](auto variable) {
            if constexpr (!std::is_same_v<decltype(variable), std::monostate>)
                value_ = static_cast<long double>(*variable);
        },
        link_);
    SetText();
}

void TNumberEdit::LinkValueUpdate()
{
    if (isReadOnly())
        return;
    if (auto* p = std::get_if<double*>(&link_))
        **p = ToDouble(value_);
    else if (auto* p = std::get_if<int*>(&link_))
        **p = ToInteger<int>(value_);
    else if (auto* p = std::get_if<long*>(&link_))
        **p = ToInteger<long>(value_);
    else if (auto* p = std::get_if<unsigned int*>(&link_))
        **p = ToInteger<unsigned int>(value_);
    else if (auto* p = std::get_if<unsigned long*>(&link_))
        **p = ToInteger<unsigned long>(value_);
    else if (auto* p = std::get_if<long double*>(&link_))
        **p = value_;
}

// --- link -----------------------------------------------------------------

namespace {
template <typename Variant, typename T>
void StoreLink(Variant& link, T* variable)
{
    if (variable)
        link = variable;
    else
        link = std::monostate{};
}
}  // namespace

void TNumberEdit::Link(double* variable)
{
    StoreLink(link_, variable);
    ShowUpdate();
}

void TNumberEdit::Link(int* variable)
{
    StoreLink(link_, variable);
    ShowUpdate();
}

void TNumberEdit::Link(long* variable)
{
    StoreLink(link_, variable);
    ShowUpdate();
}

void TNumberEdit::Link(unsigned int* variable)
{
    StoreLink(link_, variable);
    signState_ = numUnSigned;
    ShowUpdate();
}

void TNumberEdit::Link(unsigned long* variable)
{
    StoreLink(link_, variable);
    signState_ = numUnSigned;
    ShowUpdate();
}

void TNumberEdit::Link(long double* variable)
{
    StoreLink(link_, variable);
    ShowUpdate();
}

void TNumberEdit::LinkOff()
{
    link_ = std::monostate{};
    value_ = 0;
    ShowUpdate();
}

// --- normalisation and display ------------------------------------------

void TNumberEdit::ValueCheck()
{
    // Infinity or NaN (from a linked variable or a caller) is no number.
    if (!std::isfinite(value_))
        value_ = 0;
    if (signState_ == numUnSigned)
        value_ = std::fabs(value_);
    NumRound();
    if (useMax_ && value_ > valueMax_)
        value_ = valueMax_;
    if (useMin_ && value_ < valueMin_)
        value_ = valueMin_;
    if (value_ == 0)
        value_ = valueZero_;
}

void TNumberEdit::NumRound()
{
    if (value_ == 0 || cutMode_ == numNONE || digits_ < 0)
        return;
    const long double s = value_ < 0 ? -1 : 1;
    const long double p = PowerOfTen(digits_);
    long double a = type_ == numDOUBLE ? std::fabs(value_ * p) : std::fabs(value_ / p);
    // Most values come from doubles, which miss decimals such as 1.1 or
    // 0.29 by an ulp, and from a few double operations (a load converted
    // from kN/m² to N/m²).  A magnitude within a relative 1e-12 of a whole
    // or half unit is taken as lying on it, so that 1.1 rounded up to one
    // decimal stays 1.1 and 0.29 rounded down to two stays 0.29.
    const long double h = std::round(a * 2) / 2;
    if (std::fabs(a - h) <= a * 1e-12L)
        a = h;
    long double i = 0;
    const long double f = std::modf(a, &i);
    switch (cutMode_) {
    case numROUND:
        if (f >= 0.5L)
            i += 1;
        break;
    case numUP:
        if (f > 0)
            i += 1;
        break;
    case numDOWN:
    case numNONE:
        break;
    }
    value_ = type_ == numDOUBLE ? s * (i / p) : s * (i * p);
}

void TNumberEdit::SetText()
{
    ValueCheck();
    const bool modified = isModified();
    const QString shown = FormatValue(value_);
    // The length limit is for typing: a longer value from a file is shown
    // whole, or leaving the box would store the cut text as the value.
    if (shown.size() > maxLength())
        setMaxLength(static_cast<int>(shown.size()));
    QLineEdit::setText(shown);
    setModified(modified);
}

QString TNumberEdit::FormatValue(long double v) const
{
    if (!zeroVisible_ && v == 0)
        return {};
    if (!std::isfinite(v))
        v = 0;
    std::string text;
    if (type_ == numINT)
        text = FixedText(v, 0);
    else if (digits_ < 0)
        text = GeneralText(ToDecimal(v), 1);
    else if (format_ == numFIXED || v == 0 || std::fabs(v) >= 0.0001L)
        text = FixedText(v, digits_);
    else {
        const int significant = std::min(digits_ + 1, kMaxDigits);
        Decimal d = ToDecimal(v);
        RoundDigits(d, significant);
        text = GeneralText(d, significant);
    }
    return QString::fromLatin1(text);
}

bool TNumberEdit::ReadNumber(const QString& text, long double& value)
{
    const QString t = text.trimmed();
    const qsizetype n = t.size();
    qsizetype at = 0;
    if (at < n && (t[at] == QLatin1Char('+') || t[at] == QLatin1Char('-')))
        ++at;
    const qsizetype numberStart = at;
    qsizetype digits = 0;
    while (at < n && IsDigit(t[at]))
        ++at, ++digits;
    if (at < n && t[at] == QLatin1Char('.')) {
        ++at;
        while (at < n && IsDigit(t[at]))
            ++at, ++digits;
    }
    if (digits == 0)
        return false;
    if (at < n && IsExponentMark(t[at])) {
        ++at;
        if (at < n && (t[at] == QLatin1Char('+') || t[at] == QLatin1Char('-')))
            ++at;
        qsizetype exponentDigits = 0;
        while (at < n && IsDigit(t[at]))
            ++at, ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    if (at != n)
        return false;

    // Only ASCII is left; from_chars reads it the same in every locale.
    std::string ascii = t.mid(numberStart).toLatin1().toStdString();
    if (ascii.front() == '.')
        ascii.insert(ascii.begin(), '0');
    long double v = 0;
    const auto r = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
    if (r.ec != std::errc() || r.ptr != ascii.data() + ascii.size() || !std::isfinite(v))
        return false;
    value = t[0] == QLatin1Char('-') ? -v : v;
    return true;
}

// --- keys and focus ---------------------------------------------------------

QString TNumberEdit::TextWithoutSelection() const
{
    QString t = text();
    if (hasSelectedText())
        t.remove(selectionStart(), selectedText().size());
    return t;
}

char TNumberEdit::FilterKey(char key)
{
    switch (key) {
    case '\b':
        return key;
    case '\x1B':
        if (isModified()) {
            QLineEdit::setText(entryText_);
            setModified(false);
        }
        return key;
    default:
        break;
    }
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    return CharacterFits(key, type_, signState_, TextWithoutSelection(), caret) ? key : 0;
}

void TNumberEdit::Refuse()
{
    QApplication::beep();
    Q_EMIT refused();
}

bool TNumberEdit::AllowsText(const QString& text) const
{
    if (text.size() > maxLength())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c > 0x7F || !CharacterFits(static_cast<char>(c), type_, signState_, text.left(i), i))
            return false;
    }
    long double v = 0;
    if (!ReadNumber(text, v) || std::fabs(v) > DBL_MAX)
        return false;
    if ((useMax_ && v > valueMax_) || (useMin_ && v < valueMin_))
        return false;
    return std::visit(
        [v](auto variable) {
            using T = std::remove_pointer_t<decltype(variable)>;
            if constexpr (std::is_integral_v<T>)
                return HoldsInteger<T>(v);
            else
                return true;
        },
        link_);
}

QString TNumberEdit::PastedText(const QString& clipboard)
{
    QString text;
    text.reserve(clipboard.size());
    for (const QChar c : clipboard)
        text += HalfWidth(c);
    text = text.trimmed();
    static const QRegularExpression thousands(QStringLiteral("^-?[0-9]{1,3}(,[0-9]{3})+(\\.[0-9]*)?$"));
    if (thousands.match(text).hasMatch())
        text.remove(QLatin1Char(','));
    return text;
}

bool TNumberEdit::Paste(const QString& clipboard)
{
    const QString pasted = PastedText(clipboard);
    QString result = TextWithoutSelection();
    result.insert(hasSelectedText() ? selectionStart() : cursorPosition(), pasted);
    if (pasted.isEmpty() || isReadOnly() || !AllowsText(result)) {
        Refuse();
        return false;
    }
    insert(pasted);
    return true;
}

bool TNumberEdit::event(QEvent* e)
{
    // Ctrl with a letter types a control character, which the filter
    // rejects; leave such keys to the window's shortcuts.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (IsClipboardKey(key)) {
            e->accept();
            return true;
        }
        if (IsControlLetter(key)) {
            e->ignore();
            return true;
        }
    }
    const bool handled = QLineEdit::event(e);
    if (e->type() == QEvent::ReadOnlyChange)  // QLineEdit turns the input method back on
        setAttribute(Qt::WA_InputMethodEnabled, false);
    return handled;
}

void TNumberEdit::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Paste)) {
        Paste(QGuiApplication::clipboard()->text());
        e->accept();
        return;
    }
    if (IsClipboardKey(e)) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    char key = 0;
    if (!TypedCharacter(e, key)) {
        if (e->modifiers() & (Qt::AltModifier | Qt::MetaModifier))
            e->ignore();
        else
            QLineEdit::keyPressEvent(e);
        return;
    }
    lastKey_ = key;
    const char filtered = FilterKey(key);
    Q_EMIT keyPressed(filtered);
    if (filtered == 0) {
        // A point lost without a sound changes the number (7.9 becoming 79).
        if (key == '.' || key == ',')
            Refuse();
        e->accept();  // the edit control never sees a rejected key
        return;
    }
    if (filtered >= 0x20 && e->text() != QString(QLatin1Char(filtered))) {
        // A full-width character goes in as its ASCII form.
        QKeyEvent ascii(e->type(), e->key(), e->modifiers(), QString(QLatin1Char(filtered)), e->isAutoRepeat());
        QLineEdit::keyPressEvent(&ascii);
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void TNumberEdit::contextMenuEvent(QContextMenuEvent* e)
{
    // The line edit's own menu would paste, and insert control characters,
    // past the filter.
    QMenu menu(this);
    const auto add = [&](const QString& text, QKeySequence::StandardKey key, bool enabled, auto slot) {
        QAction* action = menu.addAction(text);
        action->setShortcut(key);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, slot);
    };
    const bool editable = !isReadOnly();
    const bool selected = hasSelectedText();
    add(QStringLiteral("切り取り(&T)"), QKeySequence::Cut, editable && selected, &QLineEdit::cut);
    add(QStringLiteral("コピー(&C)"), QKeySequence::Copy, selected, &QLineEdit::copy);
    add(QStringLiteral("貼り付け(&P)"), QKeySequence::Paste,
        editable && !QGuiApplication::clipboard()->text().isEmpty(),
        [this] { Paste(QGuiApplication::clipboard()->text()); });
    add(QStringLiteral("削除(&D)"), QKeySequence::Delete, editable && selected, &QLineEdit::del);
    menu.addSeparator();
    add(QStringLiteral("すべて選択(&A)"), QKeySequence::SelectAll, !text().isEmpty(), &QLineEdit::selectAll);
    menu.exec(e->globalPos());
}

void TNumberEdit::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button pastes the X selection: checked as any paste.
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (e->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
        if (!isReadOnly()) {
            deselect();
            setCursorPosition(cursorPositionAt(e->position().toPoint()));
            Paste(clipboard->text(QClipboard::Selection));
        }
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void TNumberEdit::inputMethodEvent(QInputMethodEvent* e)
{
    // Composed text would pass by the filter.
    e->ignore();
}

namespace {
// Focus that moves to another window or to a popup menu and comes back
// leaves the focus within the window unchanged: no exit, and no entry
// when it comes back.
bool IsWindowFocusChange(const QFocusEvent* e)
{
    return e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
}
}  // namespace

void TNumberEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    // The window coming back, or a popup closing, returns the focus to a
    // box that never lost it.  A box that gets the focus as its window
    // opens is entered.
    if (IsWindowFocusChange(e) && entered_)
        return;
    entered_ = true;
    entryText_ = text();
    ShowUpdate();
    if (autoSelect_)
        selectAll();
    Q_EMIT entered();
}

void TNumberEdit::focusOutEvent(QFocusEvent* e)
{
    if (IsWindowFocusChange(e)) {
        QLineEdit::focusOutEvent(e);
        return;
    }
    entered_ = false;
    ValueUpdate();
    QLineEdit::focusOutEvent(e);
    Q_EMIT exited();
}
