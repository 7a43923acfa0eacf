#include "datafile/ProfileFile.h"

#include "datafile/SafeFile.h"
#include "datafile/TextCodec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace korvexa::datafile {

namespace {

// --- the lines of the file ------------------------------------------------

enum class LoadState { Missing, Loaded, Failed };

struct Loaded {
    LoadState state = LoadState::Missing;
    int error = 0;
    std::vector<std::string> lines;  // CP932, without line ends
};

Loaded LoadLines(const std::filesystem::path& path)
{
    Loaded out;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        out.error = errno;
        out.state = errno == ENOENT ? LoadState::Missing : LoadState::Failed;
        return out;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        out.error = S_ISDIR(st.st_mode) ? EISDIR : errno ? errno : EINVAL;
        out.state = LoadState::Failed;
        ::close(fd);
        return out;
    }
    std::string bytes;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            out.error = errno;
            out.state = LoadState::Failed;
            ::close(fd);
            return out;
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);

    out.state = LoadState::Loaded;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        out.lines.push_back(std::move(line));
        at = next;
    }
    return out;
}

std::string ErrnoText(int error) { return std::strerror(error); }

// Replaces the file with `bytes`; the old file stays as it was when anything
// fails.  A file the user may not write is refused before anything is made.
bool ReplaceFile(const std::filesystem::path& path, const std::string& bytes, std::string& error)
{
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), W_OK) != 0) {
        error = "設定ファイルに書き込めません: " + ErrnoText(errno);
        return false;
    }
    if (ReplaceFileContents(path, bytes, error))
        return true;
    error = "設定ファイルを保存できません: " + error;
    return false;
}

// --- parsing ------------------------------------------------------------

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// "[name]" (blanks allowed around the name and the brackets): the name.
std::optional<std::string_view> SectionOf(std::string_view line)
{
    line = Trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

struct Entry {
    std::string_view key;
    std::string_view value;  // as it stands, quotes included
};

// "key=value": not a comment (";"), not a section.
std::optional<Entry> EntryOf(std::string_view line)
{
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';' || t.front() == '[')
        return std::nullopt;
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return Entry{Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))};
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

std::string_view Unquoted(std::string_view value)
{
    if (value.size() >= 2 && IsQuote(value.front()) && value.front() == value.back())
        return value.substr(1, value.size() - 2);
    return value;
}

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Names compare as UTF-8 without regard to the case of ASCII letters (the
// bytes of multi-byte UTF-8 characters are never ASCII letters, whereas the
// second byte of a CP932 character may be one).
bool SameName(std::string_view cp932Name, std::string_view utf8Name)
{
    const std::string name = Cp932ToUtf8(cp932Name).text;
    if (name.size() != utf8Name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (AsciiLower(name[i]) != AsciiLower(utf8Name[i]))
            return false;
    return true;
}

struct Place {
    std::size_t header = 0;  // index of the section line
    std::size_t end = 0;     // one past its last line
    std::optional<std::size_t> keyLine;
};

std::optional<Place> Find(const std::vector<std::string>& lines, std::string_view section,
                          std::optional<std::string_view> key)
{
    std::size_t i = 0;
    for (; i < lines.size(); ++i) {
        const auto name = SectionOf(lines[i]);
        if (name && SameName(*name, section))
            break;
    }
    if (i == lines.size())
        return std::nullopt;
    Place place;
    place.header = i;
    for (place.end = i + 1; place.end < lines.size() && !SectionOf(lines[place.end]); ++place.end) {
        if (key && !place.keyLine) {
            const auto entry = EntryOf(lines[place.end]);
            if (entry && SameName(entry->key, *key))
                place.keyLine = place.end;
        }
    }
    return place;
}

std::optional<std::string> FindValue(const std::filesystem::path& path, std::string_view section,
                                     std::string_view key)
{
    const Loaded file = LoadLines(path);
    if (file.state != LoadState::Loaded)
        return std::nullopt;
    const auto place = Find(file.lines, section, key);
    if (!place || !place->keyLine)
        return std::nullopt;
    return Cp932ToUtf8(Unquoted(EntryOf(file.lines[*place->keyLine])->value)).text;
}

// A whole decimal integer with optional sign.
bool ParseInteger(std::string_view text, long long& value)
{
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return false;
    unsigned long long magnitude = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), magnitude);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size())
        return false;
    if (magnitude > static_cast<unsigned long long>(INT64_MAX) + (negative ? 1 : 0))
        return false;
    value = negative ? static_cast<long long>(0 - magnitude) : static_cast<long long>(magnitude);
    return true;
}

// A whole decimal real: sign, digits, point, exponent; no "inf" or "nan".
bool ParseReal(std::string_view text, double& value)
{
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    const std::size_t first = text.front() == '-' ? 1 : 0;
    if (first >= text.size() || !(std::isdigit(static_cast<unsigned char>(text[first])) || text[first] == '.'))
        return false;
    std::string copy(text);
    if (copy[first] == '.')
        copy.insert(first, "0");
    double v = 0;
    const auto r = std::from_chars(copy.data(), copy.data() + copy.size(), v);
    if (r.ec != std::errc() || r.ptr != copy.data() + copy.size() || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool HasAny(std::string_view s, std::string_view chars) { return s.find_first_of(chars) != std::string_view::npos; }

bool HasOuterBlanks(std::string_view s) { return !s.empty() && (IsBlank(s.front()) || IsBlank(s.back())); }

// A value that reading would change (outer blanks dropped, outer quotes
// taken off) is written in double quotes, which reading takes off again.
std::string ValueText(std::string_view cp932)
{
    if (HasOuterBlanks(cp932) || Unquoted(cp932).size() != cp932.size())
        return "\"" + std::string(cp932) + "\"";
    return std::string(cp932);
}

const std::string_view kLineBreaks("\r\n\0", 3);

}  // namespace

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

bool ProfileFile::Exists() const
{
    std::error_code ec;
    return std::filesystem::exists(path_, ec);
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const
{
    auto value = FindValue(path_, section, key);
    return value ? std::move(*value) : std::string(defaultValue);
}

int ProfileFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    const auto text = FindValue(path_, section, key);
    long long value = 0;
    if (!text || !ParseInteger(*text, value) || value < INT32_MIN || value > INT32_MAX)
        return defaultValue;
    return static_cast<int>(value);
}

double ProfileFile::ReadReal(std::string_view section, std::string_view key, double defaultValue) const
{
    const auto text = FindValue(path_, section, key);
    double value = 0;
    return text && ParseReal(*text, value) ? value : defaultValue;
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool ProfileFile::HasSection(std::string_view section) const
{
    const Loaded file = LoadLines(path_);
    return file.state == LoadState::Loaded && Find(file.lines, section, std::nullopt).has_value();
}

bool ProfileFile::HasKey(std::string_view section, std::string_view key) const
{
    return FindValue(path_, section, key).has_value();
}

bool ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    lastError_.clear();
    const auto refuse = [this](std::string why) {
        lastError_ = std::move(why);
        return false;
    };
    if (section.empty() || HasAny(section, kLineBreaks) || HasAny(section, "]") || HasOuterBlanks(section))
        return refuse("設定ファイルのセクション名が正しくありません");
    if (key.empty() || HasAny(key, kLineBreaks) || HasAny(key, "=") || HasOuterBlanks(key) || key.front() == ';' ||
        key.front() == '[')
        return refuse("設定ファイルのキー名が正しくありません");
    if (HasAny(value, kLineBreaks))
        return refuse("設定ファイルの値に改行を書き込めません");
    const ConvertedText sectionText = Utf8ToCp932(section);
    const ConvertedText keyText = Utf8ToCp932(key);
    const ConvertedText valueText = Utf8ToCp932(value);
    if (sectionText.replaced || keyText.replaced || valueText.replaced)
        return refuse("設定ファイルに書き込めない文字があります");

    Loaded file = LoadLines(path_);
    if (file.state == LoadState::Failed)  // never replace a file that could not be read
        return refuse("設定ファイルを読み込めません: " + ErrnoText(file.error));
    std::vector<std::string>& lines = file.lines;

    const auto place = Find(lines, section, key);
    if (place && place->keyLine) {
        const Entry entry = *EntryOf(lines[*place->keyLine]);
        if (Unquoted(entry.value) == valueText.text)
            return true;  // unchanged: the file is not touched
        lines[*place->keyLine] = std::string(entry.key) + "=" + ValueText(valueText.text);
    } else if (place) {
        std::size_t after = place->header;
        for (std::size_t i = place->header + 1; i < place->end; ++i) {
            const std::string_view t = Trim(lines[i]);
            if (!t.empty() && t.front() != ';')
                after = i;
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after + 1),
                     keyText.text + "=" + ValueText(valueText.text));
    } else {
        if (!lines.empty() && !Trim(lines.back()).empty())
            lines.emplace_back();
        lines.push_back("[" + sectionText.text + "]");
        lines.push_back(keyText.text + "=" + ValueText(valueText.text));
    }

    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return ReplaceFile(path_, bytes, lastError_);
}

bool ProfileFile::WriteInteger(std::string_view section, std::string_view key, long long value)
{
    return WriteString(section, key, std::to_string(value));
}

bool ProfileFile::WriteReal(std::string_view section, std::string_view key, double value)
{
    if (!std::isfinite(value)) {
        lastError_ = "設定ファイルに数値でない値は書き込めません";
        return false;
    }
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return WriteString(section, key, std::string_view(buffer, static_cast<std::size_t>(r.ptr - buffer)));
}

bool ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    return WriteString(section, key, value ? "1" : "0");
}

}  // namespace korvexa::datafile
