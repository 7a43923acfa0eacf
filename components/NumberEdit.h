// TNumberEdit: the single-line box through which every number is typed.
//
// The box holds a value of its own (long double); the text is only its
// display.  Typed characters are filtered so that only what can belong to a
// number of the box's kind gets in; the value is normalised (sign, rounding
// to a number of decimals or to a power of ten, bounds, a substitute for
// zero) every time it is shown; and the box may be linked to a variable of
// its owner, which it reads when it is entered and writes when it is left.
//
// For a form author:
//   * Link(&slab.Lx) ties the box to a field; the box shows the field at once
//     and on every entry, and writes it when the focus leaves the box,
//     before exited() is emitted.  Re-link (or LinkOff()) before the field
//     goes away.
//   * entered() is emitted after the entry work (entry text kept, box
//     refreshed from the link, text selected); exited() after the exit work
//     (value read from the text, link written).  Focus changes caused by
//     another window becoming active or by a popup menu are neither entry
//     nor exit.
//   * keyPressed(key) is emitted for every character typed, with the key as
//     the filter left it (0 = rejected).  Enter is always rejected, so an
//     owner that reacts to Enter tests GetPressKey() == 13 in its slot.
//     Rejected keys are consumed by the box; Esc is passed on to the parent
//     after it restored the entry text.  Full-width characters count as
//     their ASCII forms (an input method's ０-９ are digits).
//   * The clipboard keys are the box's own (Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+V,
//     Shift+Insert, Ctrl+Insert, Shift+Delete), and so are its context menu
//     and the middle-button paste; every other Ctrl key goes to the
//     window's shortcuts.  A paste is taken only when the box's text after
//     it is a number the box allows (AllowsText); otherwise nothing changes
//     and the box beeps, as it does for a typed decimal point it cannot
//     take (refused()).
//   * Property setters only store; the text is re-formatted at the next
//     SetValue, ShowUpdate, ValueUpdate, entry or exit.
#pragma once

#include <QLineEdit>

#include <variant>

class QContextMenuEvent;
class QFocusEvent;
class QInputMethodEvent;
class QKeyEvent;
class QMouseEvent;

class TNumberEdit : public QLineEdit {
    Q_OBJECT

public:
    enum TNumTypeIndex { numINT, numDOUBLE };
    Q_ENUM(TNumTypeIndex)
    enum TNumSignIndex { numSigned, numUnSigned };
    Q_ENUM(TNumSignIndex)
    enum TNumCutModeIndex { numNONE, numROUND, numUP, numDOWN };
    Q_ENUM(TNumCutModeIndex)
    enum TNumFormatIndex { numFIXED, numGENERAL };
    Q_ENUM(TNumFormatIndex)

    // The kinds of variable a box can be linked to, in the order of
    // LinkKind().
    enum TLinkKind { linkDouble, linkInt, linkLong, linkUInt, linkULong, linkLongDouble, linkNone = -1 };

    // The published properties.  The alignment is QLineEdit's own
    // `alignment`, centred by default.  The three bounds are long double
    // inside; the properties carry them as double for forms.
    Q_PROPERTY(TNumTypeIndex ValueType READ ValueType WRITE SetType)
    Q_PROPERTY(TNumSignIndex ValueSignState READ ValueSignState WRITE SetSignState)
    Q_PROPERTY(int ValueDigits READ GetDigits WRITE SetDigits)
    Q_PROPERTY(TNumCutModeIndex ValueCutMode READ ValueCutMode WRITE SetCutMode)
    Q_PROPERTY(bool ZeroVisible READ ZeroVisible WRITE SetZeroVisible)
    Q_PROPERTY(bool UseValueMax READ UseValueMax WRITE SetUseMax)
    Q_PROPERTY(bool UseValueMin READ UseValueMin WRITE SetUseMin)
    Q_PROPERTY(double ValueMax READ ValueMaxProperty WRITE SetValueMaxProperty)
    Q_PROPERTY(double ValueMin READ ValueMinProperty WRITE SetValueMinProperty)
    Q_PROPERTY(double ValueZero READ ValueZeroProperty WRITE SetValueZeroProperty)
    Q_PROPERTY(TNumFormatIndex ValueFormat READ ValueFormat WRITE SetFormat)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)

    static constexpr int kMaxDigits = 18;

    explicit TNumberEdit(QWidget* parent = nullptr);

    // --- properties -----------------------------------------------------
    TNumTypeIndex ValueType() const { return type_; }
    void SetType(TNumTypeIndex type) { type_ = type; }
    TNumSignIndex ValueSignState() const { return signState_; }
    void SetSignState(TNumSignIndex state) { signState_ = state; }
    // n >= 0 stores min(n, 18); n < 0 stores 0 in an integer box (rounding
    // to units) and -1 in a real box (no rounding).
    int GetDigits() const { return digits_; }
    void SetDigits(int n);
    TNumCutModeIndex ValueCutMode() const { return cutMode_; }
    void SetCutMode(TNumCutModeIndex mode) { cutMode_ = mode; }
    TNumFormatIndex ValueFormat() const { return format_; }
    void SetFormat(TNumFormatIndex format) { format_ = format; }
    bool ZeroVisible() const { return zeroVisible_; }
    void SetZeroVisible(bool visible) { zeroVisible_ = visible; }
    bool UseValueMax() const { return useMax_; }
    void SetUseMax(bool use) { useMax_ = use; }
    bool UseValueMin() const { return useMin_; }
    void SetUseMin(bool use) { useMin_ = use; }
    long double ValueMax() const { return valueMax_; }
    void SetValueMax(long double v) { valueMax_ = v; }
    long double ValueMin() const { return valueMin_; }
    void SetValueMin(long double v) { valueMin_ = v; }
    long double ValueZero() const { return valueZero_; }
    void SetZeroValue(long double v) { valueZero_ = v; }
    // Select the whole text on entry (on by default).
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool on) { autoSelect_ = on; }

    // --- value ----------------------------------------------------------
    // The current value (not re-read from the text).
    long double Value() const { return value_; }
    // value := v, then SetText() and LinkValueUpdate().
    void SetValue(long double v);
    // value := the text read as a number (0 when it is not one), then
    // SetText() and LinkValueUpdate().
    void ValueUpdate();
    // When linked: value := the linked variable.  Then SetText().  The
    // linked variable is not written.
    void ShowUpdate();
    // When linked and not read-only: write the value into the variable.
    // Integer variables receive the value truncated toward zero and held
    // within the variable's range; a double receives it held within the
    // range of double.
    void LinkValueUpdate();

    // --- link -----------------------------------------------------------
    // Each form stores the pointer and then calls ShowUpdate().  The two
    // unsigned forms make the box unsigned.  A null pointer unlinks.
    void Link(double* variable);
    void Link(int* variable);
    void Link(long* variable);
    void Link(unsigned int* variable);
    void Link(unsigned long* variable);
    void Link(long double* variable);
    // Drops the link; value := 0; ShowUpdate().
    void LinkOff();
    bool IsLinked() const { return !std::holds_alternative<std::monostate>(link_); }
    TLinkKind LinkKind() const { return static_cast<TLinkKind>(static_cast<int>(link_.index()) - 1); }

    // The last character typed, as received before filtering (8 bits).
    char GetPressKey() const { return lastKey_; }
    // The text the box held when it last received the focus.
    QString EntryText() const { return entryText_; }

    // --- normalisation and display ---------------------------------------
    // Sign, NumRound(), bounds, substitute for zero.
    void ValueCheck();
    // Rounds the magnitude of the value to ValueDigits by ValueCutMode.
    void NumRound();
    // ValueCheck(), then shows the value.  The modified flag is kept.
    void SetText();

    // The text `value` is shown as in a box with these settings, without
    // normalising it first (exposed for the display tests and for owners
    // that print a value the way a box shows it).
    QString FormatValue(long double value) const;
    // Reads a whole text as a decimal number: optional blanks, sign, digits
    // with an optional point, optional exponent.  False for anything else,
    // including the empty text, a lone sign and numbers out of range.
    static bool ReadNumber(const QString& text, long double& value);

    // --- clipboard --------------------------------------------------------
    // Whether `text` could stand in the box as its whole text: what typing
    // could produce (the filter's rules, the length limit), read as a
    // number that a double holds, within the bounds in use and within the
    // range of the linked variable.
    bool AllowsText(const QString& text) const;
    // A text from the clipboard as the box takes it: blanks around it
    // dropped, full-width characters as their ASCII forms, and the commas
    // of thousands groups ("1,500") dropped.  Any other comma stays, so
    // that "1,5" (a decimal comma, or a mistyped group) is refused.
    static QString PastedText(const QString& clipboard);
    // Inserts `clipboard` (PastedText of it) in place of the selection when
    // the result is allowed; otherwise beeps and leaves the box alone.
    bool Paste(const QString& clipboard);

Q_SIGNALS:
    // After the entry work; the owner's entry handling.
    void entered();
    // After the exit work (the linked variable is already written); the
    // owner's exit handling.
    void exited();
    // For every typed character, with the key the filter left (0 when it
    // was rejected).  GetPressKey() gives the key as received.
    void keyPressed(char filteredKey);
    // A paste or a typed decimal point was refused, with the beep.
    void refused();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    // The filter: returns the key to pass on, or 0 to reject it.
    char FilterKey(char key);
    QString TextWithoutSelection() const;
    void Refuse();

    double ValueMaxProperty() const { return static_cast<double>(valueMax_); }
    void SetValueMaxProperty(double v) { valueMax_ = v; }
    double ValueMinProperty() const { return static_cast<double>(valueMin_); }
    void SetValueMinProperty(double v) { valueMin_ = v; }
    double ValueZeroProperty() const { return static_cast<double>(valueZero_); }
    void SetValueZeroProperty(double v) { valueZero_ = v; }

    char lastKey_ = 0;
    long double value_ = 0;
    std::variant<std::monostate, double*, int*, long*, unsigned int*, unsigned long*, long double*> link_;
    QString entryText_;
    bool entered_ = false;  // between entry and exit

    TNumTypeIndex type_ = numINT;
    TNumSignIndex signState_ = numSigned;
    int digits_ = -1;
    TNumCutModeIndex cutMode_ = numROUND;
    TNumFormatIndex format_ = numFIXED;
    bool zeroVisible_ = true;
    bool useMax_ = false;
    bool useMin_ = false;
    long double valueMax_ = 0;
    long double valueMin_ = 0;
    long double valueZero_ = 0;
    bool autoSelect_ = true;
};
