#include "cli/JsonStream.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

#include "cli/SlabJson.h"

namespace korvexa::cli {

namespace {

constexpr std::size_t kChunk = 1 << 16;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The grammar of JSON over a text held whole, for the members of a slab
// that are skipped without being parsed: each function checks what begins
// at `at` and returns where it ends, or reports where it is not JSON.
class Syntax {
public:
    using Fail = std::function<void(std::size_t at, const std::string& what)>;
    Syntax(std::string_view text, Fail fail) : t_(text), fail_(std::move(fail)) {}

    std::size_t Spaces(std::size_t at) const
    {
        while (at < t_.size() && IsSpace(t_[at]))
            ++at;
        return at;
    }

    std::size_t Value(std::size_t at, int depth = 0) const
    {
        if (depth > 64)
            Error(at, "nested too deeply");
        switch (Char(at)) {
        case '{': return Container(at, '}', true, depth);
        case '[': return Container(at, ']', false, depth);
        case '"': return String(at);
        case 't': return Literal(at, "true");
        case 'f': return Literal(at, "false");
        case 'n': return Literal(at, "null");
        default: return Number(at);
        }
    }

    std::size_t String(std::size_t at) const
    {
        if (Char(at) != '"')
            Error(at, "expected a text in quotes");
        for (++at;; ++at) {
            const char c = Char(at);
            if (c == '"')
                return at + 1;
            if (static_cast<unsigned char>(c) < 0x20)
                Error(at, "a control character in a text");
            if (c != '\\')
                continue;
            const char e = Char(++at);
            if (e == 'u') {
                for (int i = 0; i < 4; ++i)
                    if (!std::isxdigit(static_cast<unsigned char>(Char(++at))))
                        Error(at, "expected four hexadecimal digits after \\u");
            } else if (std::string_view("\"\\/bfnrt").find(e) == std::string_view::npos) {
                Error(at, "an unknown escape in a text");
            }
        }
    }

    // The position after `c`, which must be at `at`.
    std::size_t Expect(std::size_t at, char c) const
    {
        if (Char(at) != c)
            Error(at, std::string("expected \"") + c + "\"");
        return at + 1;
    }

private:
    [[noreturn]] void Error(std::size_t at, const std::string& what) const
    {
        fail_(at, what);
        throw JsonInputError(what);  // not reached: fail_ throws
    }

    char Char(std::size_t at) const
    {
        if (at >= t_.size())
            Error(at, "the text ends early");
        return t_[at];
    }

    std::size_t Container(std::size_t at, char close, bool object, int depth) const
    {
        at = Spaces(at + 1);
        if (Char(at) == close)
            return at + 1;
        for (;;) {
            if (object) {
                at = Spaces(String(at));
                if (Char(at) != ':')
                    Error(at, "expected \":\"");
                at = Spaces(at + 1);
            }
            at = Spaces(Value(at, depth + 1));
            if (Char(at) == close)
                return at + 1;
            if (Char(at) != ',')
                Error(at, std::string("expected \",\" or \"") + close + "\"");
            at = Spaces(at + 1);
        }
    }

    std::size_t Literal(std::size_t at, std::string_view word) const
    {
        if (t_.substr(at, word.size()) != word)
            Error(at, "expected a value");
        return at + word.size();
    }

    // -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?
    std::size_t Number(std::size_t at) const
    {
        const std::size_t start = at;
        const auto digits = [&] {
            const std::size_t from = at;
            while (at < t_.size() && IsDigit(t_[at]))
                ++at;
            if (at == from)
                Error(start, "expected a value");
        };
        if (at < t_.size() && t_[at] == '-')
            ++at;
        if (at < t_.size() && t_[at] == '0')
            ++at;
        else
            digits();
        if (at < t_.size() && t_[at] == '.') {
            ++at;
            digits();
        }
        if (at < t_.size() && (t_[at] == 'e' || t_[at] == 'E')) {
            ++at;
            if (at < t_.size() && (t_[at] == '+' || t_[at] == '-'))
                ++at;
            digits();
        }
        return at;
    }

    std::string_view t_;
    Fail fail_;
};

}  // namespace

JsonSource MemorySource(const char* data, std::size_t size)
{
    return [data, size, at = std::size_t{0}](char* buffer, std::size_t n) mutable {
        n = std::min(n, size - at);
        std::memcpy(buffer, data + at, n);
        at += n;
        return n;
    };
}

JsonSource FileSource(datafile::InputFile& file)
{
    return [&file](char* buffer, std::size_t size) {
        const std::size_t n = file.Read(buffer, size);
        if (!file.ok())
            throw JsonInputError(file.error());
        return n;
    };
}

JsonObjectStream::JsonObjectStream(JsonSource source, QString streamedKey, SkipMember skip)
    : source_(std::move(source)), streamedKey_(std::move(streamedKey)), skip_(std::move(skip))
{
}

void JsonObjectStream::Fail(std::size_t at, const std::string& what) const
{
    throw JsonInputError("not valid JSON at offset " + std::to_string(consumed_ + at) + ": " + what);
}

bool JsonObjectStream::Available(std::size_t at)
{
    while (at >= buffer_.size()) {
        if (atEnd_)
            return false;
        const std::size_t old = buffer_.size();
        buffer_.resize(old + kChunk);
        const std::size_t n = source_(buffer_.data() + old, kChunk);
        buffer_.resize(old + n);
        atEnd_ = n == 0;
    }
    return true;
}

char JsonObjectStream::Peek()
{
    // Drop what has been read, now and then, so that the buffer holds
    // about one piece.
    if (pos_ >= kChunk && pos_ * 2 >= buffer_.size()) {
        buffer_.erase(0, pos_);
        consumed_ += pos_;
        pos_ = 0;
    }
    while (Available(pos_) && IsSpace(buffer_[pos_]))
        ++pos_;
    return Available(pos_) ? buffer_[pos_] : '\0';
}

void JsonObjectStream::Expect(char c, const char* what)
{
    if (Peek() != c)
        Fail(pos_, pos_ < buffer_.size() ? std::string("expected ") + what : "the input ends early");
    ++pos_;
}

std::size_t JsonObjectStream::ScanValue()
{
    pieceStart_ = pos_;
    std::size_t i = pos_;
    if (!Available(i))
        Fail(i, "the input ends early");
    // Strings and brackets; the parser checks that the brackets pair up.
    const char first = buffer_[i];
    const bool scalar = first != '{' && first != '[' && first != '"';  // a number, true, false or null
    int depth = 0;
    bool inString = false, escaped = false;
    for (;;) {
        const char* data = buffer_.data();
        for (const std::size_t size = buffer_.size(); i < size; ++i) {
            const char c = data[i];
            if (scalar) {
                if (IsSpace(c) || c == ',' || c == '}' || c == ']')
                    return i;
            } else if (inString) {
                if (escaped)
                    escaped = false;
                else if (c == '\\')
                    escaped = true;
                else if (c == '"') {
                    inString = false;
                    if (depth == 0)
                        return i + 1;
                }
            } else if (c == '"') {
                inString = true;
            } else if (c == '{' || c == '[') {
                ++depth;
            } else if ((c == '}' || c == ']') && --depth == 0) {
                return i + 1;
            }
        }
        if (i - pos_ > kLargestJsonPiece)
            throw JsonInputError("a piece of the input at offset " + std::to_string(consumed_ + pos_) +
                                 " is larger than " + datafile::ByteCountText(kLargestJsonPiece));
        if (!Available(i))
            Fail(i, "the input ends early");
    }
}

QJsonValue JsonObjectStream::ParseValue(std::size_t end)
{
    const char* text = buffer_.data() + pos_;
    const auto size = static_cast<qsizetype>(end - pos_);
    const bool container = *text == '{' || *text == '[';
    // Qt parses objects and arrays; any other value is parsed as the one
    // element of an array.
    const QByteArray bytes = container ? QByteArray::fromRawData(text, size)
                                       : QByteArray("[") + QByteArray(text, size) + QByteArray("]");
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        Fail(pos_ + static_cast<std::size_t>(std::max(0, error.offset - (container ? 0 : 1))),
             error.errorString().toStdString());
    pos_ = end;
    if (!container)
        return document.array().at(0);
    return document.isObject() ? QJsonValue(document.object()) : QJsonValue(document.array());
}

QJsonValue JsonObjectStream::ParseElement(std::size_t end)
{
    if (!skip_ || buffer_[pos_] != '{')
        return ParseValue(end);
    // The members to skip are checked as JSON and left out; the others go
    // to the parser as an object of their own.
    const std::string_view element(buffer_.data() + pos_, end - pos_);
    const Syntax syntax(element, [&](std::size_t at, const std::string& what) { Fail(pos_ + at, what); });
    std::string kept = "{";
    std::size_t at = syntax.Spaces(1);
    for (bool more = element[at] != '}'; more;) {
        const std::size_t keyEnd = syntax.String(at);
        const std::size_t valueStart = syntax.Spaces(syntax.Expect(syntax.Spaces(keyEnd), ':'));
        const std::size_t valueEnd = syntax.Value(valueStart);
        if (!skip_(element.substr(at + 1, keyEnd - at - 2))) {
            if (kept.size() > 1)
                kept += ',';
            kept.append(element, at, valueEnd - at);
        }
        at = syntax.Spaces(valueEnd);
        more = element[at] == ',';
        if (more)
            at = syntax.Spaces(at + 1);
        else if (element[at] != '}')
            Fail(pos_ + at, "expected \",\" or \"}\" after a field");
    }
    if (at + 1 != element.size())
        Fail(pos_ + at + 1, "expected \",\" or \"]\" after an element");
    kept += '}';
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromRawData(kept.data(), static_cast<qsizetype>(kept.size())), &error);
    if (error.error != QJsonParseError::NoError)
        return ParseValue(end);  // the parser's own words, at the place in the input
    pos_ = end;
    return document.object();
}

QString JsonObjectStream::ParseKey()
{
    if (Peek() != '"')
        Fail(pos_, pos_ < buffer_.size() ? "expected a field name in quotes" : "the input ends early");
    const std::size_t end = ScanValue();
    const std::string_view raw(buffer_.data() + pos_ + 1, end - pos_ - 2);
    if (raw.find('\\') == std::string_view::npos) {
        pos_ = end;
        return QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
    }
    return ParseValue(end).toString();
}

JsonObjectStream::Item JsonObjectStream::Next()
{
    for (;;) {
        switch (state_) {
        case State::Start:
            if (Peek() == '\0' && pos_ >= buffer_.size())
                Fail(pos_, "the input is empty");
            if (Peek() != '{')
                throw JsonInputError("the input must be a JSON object with a \"slabs\" array");
            ++pos_;
            state_ = State::Members;
            first_ = true;
            break;
        case State::Members: {
            if (Peek() == '}') {
                ++pos_;
                if (Peek() != '\0' || pos_ < buffer_.size())
                    Fail(pos_, "more text after the end of the object");
                state_ = State::Done;
                return {Item::End, {}, {}, 0};
            }
            if (!first_)
                Expect(',', "\",\" or \"}\" after a field");
            first_ = false;
            QString key = ParseKey();
            Expect(':', "\":\" after a field name");
            if (key == streamedKey_ && Peek() == '[') {
                ++pos_;
                state_ = State::Elements;
                first_ = true;
                index_ = 0;
                return {Item::ArrayBegin, std::move(key), {}, 0};
            }
            Peek();
            return {Item::Member, std::move(key), ParseValue(ScanValue()), 0};
        }
        case State::Elements:
            if (Peek() == ']') {
                ++pos_;
                state_ = State::Members;
                first_ = false;
                break;
            }
            if (!first_)
                Expect(',', "\",\" or \"]\" after an element");
            first_ = false;
            Peek();
            return {Item::Element, streamedKey_, ParseElement(ScanValue()), index_++};
        case State::Done:
            return {Item::End, {}, {}, 0};
        }
    }
}

}  // namespace korvexa::cli
