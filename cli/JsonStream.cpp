#include "cli/JsonStream.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "cli/SlabJson.h"

namespace korvexa::cli {

namespace {

constexpr std::size_t kChunk = 1 << 16;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

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

JsonObjectStream::JsonObjectStream(JsonSource source, std::string streamedKey)
    : source_(std::move(source)), streamedKey_(std::move(streamedKey))
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

JsonValueText JsonObjectStream::TakeValue()
{
    // Finds where the value ends, reading on as far as needed; the grammar
    // is checked on the value once it is whole.
    std::size_t i = pos_;
    const auto take = [&](std::size_t end) {
        const std::size_t start = pos_;
        pos_ = end;
        return CheckJsonText(std::string_view(buffer_).substr(start, end - start),
                             [&](std::size_t at, const std::string& what) { Fail(start + at, what); });
    };
    if (!Available(i))
        Fail(i, "the input ends early");
    // Only strings and brackets are followed here; the grammar check of the
    // whole value pairs the brackets up.
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
                    return take(i);
            } else if (inString) {
                if (escaped)
                    escaped = false;
                else if (c == '\\')
                    escaped = true;
                else if (c == '"') {
                    inString = false;
                    if (depth == 0)
                        return take(i + 1);
                }
            } else if (c == '"') {
                inString = true;
            } else if (c == '{' || c == '[') {
                ++depth;
            } else if ((c == '}' || c == ']') && --depth == 0) {
                return take(i + 1);
            }
        }
        if (i - pos_ > kLargestJsonPiece)
            throw JsonInputError("a piece of the input at offset " + std::to_string(consumed_ + pos_) +
                                 " is larger than " + datafile::ByteCountText(kLargestJsonPiece));
        if (!Available(i))
            Fail(i, "the input ends early");
    }
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
            if (Peek() != '"')
                Fail(pos_, pos_ < buffer_.size() ? "expected a field name in quotes" : "the input ends early");
            std::string key = TakeValue().String();
            Expect(':', "\":\" after a field name");
            if (key == streamedKey_ && Peek() == '[') {
                ++pos_;
                state_ = State::Elements;
                first_ = true;
                index_ = 0;
                return {Item::ArrayBegin, std::move(key), {}, 0};
            }
            Peek();
            return {Item::Member, std::move(key), TakeValue(), 0};
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
            return {Item::Element, streamedKey_, TakeValue(), index_++};
        case State::Done:
            return {Item::End, {}, {}, 0};
        }
    }
}

}  // namespace korvexa::cli
