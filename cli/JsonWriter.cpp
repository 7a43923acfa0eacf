#include "cli/JsonWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace korvexa::cli {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

bool NeedsEscape(char c) { return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20; }

void AppendQuoted(std::string& out, std::string_view text)
{
    out += '"';
    for (std::size_t start = 0;;) {
        std::size_t end = start;
        while (end < text.size() && !NeedsEscape(text[end]))
            ++end;
        out.append(text.data() + start, end - start);
        if (end == text.size())
            break;
        const char c = text[end];
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default: {
            static constexpr char kHex[] = "0123456789abcdef";
            const char escape[] = {'\\', 'u', '0', '0', kHex[(c >> 4) & 0xF], kHex[c & 0xF]};
            out.append(escape, sizeof escape);
        }
        }
        start = end + 1;
    }
    out += '"';
}

}  // namespace

void JsonWriter::NewLine(std::size_t depth)
{
    if (style_ == JsonStyle::Indented) {
        static const std::string kSpaces = "\n" + std::string(64, ' ');
        text_.append(kSpaces, 0, 1 + std::min<std::size_t>(2 * depth, 64));
    } else if (!levels_.empty() && !levels_.back().object && levels_.back().block) {
        text_ += '\n';  // compact: one element of an array of objects per line
    }
}

void JsonWriter::BeforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty())
        return;
    Level& level = levels_.back();
    if (level.count++ > 0)
        text_ += ',';
    if (level.block)
        NewLine(levels_.size());
    else if (level.count > 1 && style_ == JsonStyle::Indented)
        text_ += ' ';
}

void JsonWriter::Key(std::string_view key)
{
    Level& level = levels_.back();
    if (level.count++ > 0)
        text_ += ',';
    NewLine(levels_.size());
    AppendQuoted(text_, key);
    text_ += style_ == JsonStyle::Indented ? ": " : ":";
    afterKey_ = true;
}

void JsonWriter::BeginObject()
{
    BeforeValue();
    text_ += '{';
    levels_.push_back({true, true});
}

void JsonWriter::EndObject()
{
    const Level level = levels_.back();
    levels_.pop_back();
    if (level.count > 0 && style_ == JsonStyle::Indented)
        NewLine(levels_.size());
    text_ += '}';
    if (levels_.empty())
        text_ += '\n';
    if (text_.size() >= kFlushSize)
        Flush();
}

void JsonWriter::BeginArray(bool ofObjects)
{
    BeforeValue();
    text_ += '[';
    levels_.push_back({false, ofObjects});
}

void JsonWriter::EndArray()
{
    const Level level = levels_.back();
    if (level.count > 0 && level.block)
        NewLine(levels_.size() - 1);
    levels_.pop_back();
    text_ += ']';
}

void JsonWriter::Value(double v)
{
    BeforeValue();
    if (!std::isfinite(v)) {
        text_ += "null";  // JSON has no infinity; a designed record holds none
        return;
    }
    char buffer[32];
    // Whole numbers (most results of unused cases are 0) print as integers,
    // which is the same text and quicker to make.
    const bool whole = v == std::trunc(v) && std::fabs(v) < 1e15 && (v != 0 || !std::signbit(v));
    const auto result = whole ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<long long>(v))
                              : std::to_chars(buffer, buffer + sizeof buffer, v);
    text_.append(buffer, result.ptr);
}

void JsonWriter::Value(int v)
{
    BeforeValue();
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    text_.append(buffer, result.ptr);
}

void JsonWriter::Value(bool v)
{
    BeforeValue();
    text_ += v ? "true" : "false";
}

void JsonWriter::Value(std::string_view text)
{
    BeforeValue();
    AppendQuoted(text_, text);
}

void JsonWriter::Flush()
{
    out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    text_.clear();
}

}  // namespace korvexa::cli
