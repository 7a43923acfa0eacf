// The rules of a box in which a slab name is typed: the main window's name
// box and the rename dialog share them.
#pragma once

class QLineEdit;
class QObject;
class QString;
class QValidator;

namespace korvexa {

// Characters that may be typed into a name box.
inline constexpr int kSlabNameTypedLength = 30;

// Slab names are stored in 50 bytes of the Japanese code page: the
// validator refuses characters it lacks and text that would not fit.
QValidator* SlabNameValidator(QObject* parent);

// Gives `edit` the validator and the typing limit.
void SetUpSlabNameEdit(QLineEdit* edit);

// Widens the limit so that `name` (a longer name read from a file, up to
// 50 bytes) is shown whole: the box cuts any text to its limit, and the
// cut text would become the name.
void AllowSlabName(QLineEdit* edit, const QString& name);

}  // namespace korvexa
