#include "app/AppSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QValidator>

#include "datafile/ProfileFile.h"
#include "datafile/TextCodec.h"

namespace korvexa::app {

namespace {

std::filesystem::path PathOf(const QString& file) { return std::filesystem::path(file.toStdString()); }

// Accepts a name while its Japanese code page form is representable and
// at most 50 bytes long.
class SlabNameValidator : public QValidator {
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

QString ReadSetting(const QString& file, const char* section, const char* key, const QString& fallback)
{
    const datafile::ProfileFile profile(PathOf(file));
    return QString::fromStdString(profile.ReadString(section, key, fallback.toStdString()));
}

bool WriteSetting(const QString& file, const char* section, const char* key, const QString& value)
{
    datafile::ProfileFile profile(PathOf(file));
    return profile.WriteString(section, key, value.toStdString());
}

QValidator* NameValidator(QObject* parent) { return new SlabNameValidator(parent); }

QUrl HelpIndexUrl() { return QUrl::fromLocalFile(QStringLiteral(KORVEXA_HELP_INDEX)); }

}  // namespace korvexa::app
