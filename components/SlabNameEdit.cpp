#include "components/SlabNameEdit.h"

#include <QLineEdit>
#include <QValidator>
#include <algorithm>

#include "datafile/TextCodec.h"

namespace korvexa {

namespace {

// Accepts a name while its Japanese code page form is representable and
// at most 50 bytes long.
class NameValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override
    {
        const datafile::ConvertedText encoded = datafile::Utf8ToCp932(input.toStdString());
        if (encoded.replaced || encoded.text.size() > kNameBytes)
            return Invalid;
        return Acceptable;
    }

private:
    static constexpr std::size_t kNameBytes = 50;
};

}  // namespace

QValidator* SlabNameValidator(QObject* parent) { return new NameValidator(parent); }

void SetUpSlabNameEdit(QLineEdit* edit)
{
    edit->setMaxLength(kSlabNameTypedLength);
    edit->setValidator(SlabNameValidator(edit));
}

void AllowSlabName(QLineEdit* edit, const QString& name)
{
    edit->setMaxLength(std::max(kSlabNameTypedLength, static_cast<int>(name.size())));
}

}  // namespace korvexa
