// JSON text written piece by piece, so that a data set of any size goes out
// a slab at a time instead of being built as one document first.
//
// Indented: one member per line, arrays of numbers and texts on one line.
// Compact: no spaces, one line per element of an array of objects (a slab
// per line).  Numbers are the shortest text that reads back to the same
// double.
#pragma once

#include <array>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace korvexa::cli {

enum class JsonStyle { Indented, Compact };

class JsonWriter {
public:
    JsonWriter(std::ostream& out, JsonStyle style) : out_(out), style_(style) {}
    ~JsonWriter() { Flush(); }

    void BeginObject();
    void EndObject();
    // An array of objects puts each on its own lines; any other array stays
    // on one line.
    void BeginArray(bool ofObjects = false);
    void EndArray();
    void Key(std::string_view key);

    void Value(double v);
    void Value(int v);
    void Value(bool v);
    void Value(std::string_view text);
    void Value(const std::string& text) { Value(std::string_view(text)); }
    void Value(const char* text) { Value(std::string_view(text)); }
    template <typename T, std::size_t N>
    void Value(const std::array<T, N>& items)
    {
        BeginArray();
        for (const T& item : items)
            Value(item);
        EndArray();
    }

    template <typename T>
    void Member(std::string_view key, const T& value)
    {
        Key(key);
        Value(value);
    }

    // Hands the text written so far to the stream.
    void Flush();

private:
    struct Level {
        bool object;
        bool block;  // members or elements on lines of their own
        int count = 0;
    };
    void BeforeValue();
    void NewLine(std::size_t depth);

    std::ostream& out_;
    JsonStyle style_;
    std::string text_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

}  // namespace korvexa::cli
