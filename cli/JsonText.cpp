#include "cli/JsonText.h"

#include <cctype>
#include <charconv>
#include <stdexcept>

namespace korvexa::cli {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The grammar of JSON: each function checks what begins at `at` and
// returns where it ends, or reports where the text is not JSON.
class Syntax {
public:
    Syntax(std::string_view text, const JsonFail& fail) : t_(text), fail_(fail) {}

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

private:
    [[noreturn]] void Error(std::size_t at, const std::string& what) const
    {
        fail_(at, what);
        throw std::logic_error(what);  // not reached: fail_ throws
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
    const JsonFail& fail_;
};

// A text already checked: walking it cannot fail.
const JsonFail kChecked = [](std::size_t, const std::string& what) { throw std::logic_error(what); };

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t Hex4(std::string_view t, std::size_t at)
{
    unsigned value = 0;
    std::from_chars(t.data() + at, t.data() + at + 4, value, 16);
    return value;
}

}  // namespace

JsonValueText CheckJsonText(std::string_view text, const JsonFail& fail)
{
    const Syntax syntax(text, fail);
    const std::size_t start = syntax.Spaces(0);
    const std::size_t end = syntax.Value(start);
    if (syntax.Spaces(end) != text.size())
        fail(syntax.Spaces(end), "more text after the value");
    return JsonValueText(text.substr(start, end - start));
}

bool JsonValueText::IsNumber() const { return !text_.empty() && (text_[0] == '-' || IsDigit(text_[0])); }

std::optional<double> JsonValueText::Number() const
{
    double v = 0;
    const auto [end, ec] = std::from_chars(text_.data(), text_.data() + text_.size(), v);
    if (ec != std::errc() || end != text_.data() + text_.size())
        return std::nullopt;
    return v;
}

bool JsonValueText::IsBool() const { return text_ == "true" || text_ == "false"; }
bool JsonValueText::Bool() const { return text_ == "true"; }
bool JsonValueText::IsString() const { return !text_.empty() && text_[0] == '"'; }
bool JsonValueText::IsArray() const { return !text_.empty() && text_[0] == '['; }
bool JsonValueText::IsObject() const { return !text_.empty() && text_[0] == '{'; }

std::string JsonValueText::String() const
{
    std::string out;
    const std::string_view t = text_.substr(1, text_.size() - 2);
    out.reserve(t.size());
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] != '\\') {
            out += t[i];
            continue;
        }
        const char e = t[++i];
        switch (e) {
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
            char32_t c = Hex4(t, i + 1);
            i += 4;
            // A pair of surrogates is one character; a lone one is none.
            if (c >= 0xD800 && c < 0xDC00 && i + 6 < t.size() && t.substr(i + 1, 2) == "\\u") {
                const char32_t low = Hex4(t, i + 3);
                if (low >= 0xDC00 && low < 0xE000) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    i += 6;
                }
            }
            AppendUtf8(out, c >= 0xD800 && c < 0xE000 ? U'\uFFFD' : c);
            break;
        }
        default: out += e;  // " \ /
        }
    }
    return out;
}

std::vector<JsonValueText> JsonValueText::Elements() const
{
    std::vector<JsonValueText> items;
    const Syntax syntax(text_, kChecked);
    std::size_t at = syntax.Spaces(1);
    while (text_[at] != ']') {
        const std::size_t end = syntax.Value(at);
        items.push_back(JsonValueText(text_.substr(at, end - at)));
        at = syntax.Spaces(end);
        if (text_[at] == ',')
            at = syntax.Spaces(at + 1);
    }
    return items;
}

std::vector<std::pair<std::string, JsonValueText>> JsonValueText::Members() const
{
    std::vector<std::pair<std::string, JsonValueText>> members;
    const Syntax syntax(text_, kChecked);
    std::size_t at = syntax.Spaces(1);
    while (text_[at] != '}') {
        const std::size_t keyEnd = syntax.String(at);
        const std::size_t valueStart = syntax.Spaces(syntax.Spaces(keyEnd) + 1);
        const std::size_t valueEnd = syntax.Value(valueStart);
        members.emplace_back(JsonValueText(text_.substr(at, keyEnd - at)).String(),
                             JsonValueText(text_.substr(valueStart, valueEnd - valueStart)));
        at = syntax.Spaces(valueEnd);
        if (text_[at] == ',')
            at = syntax.Spaces(at + 1);
    }
    return members;
}

}  // namespace korvexa::cli
