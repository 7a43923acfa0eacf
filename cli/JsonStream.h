// The top-level object of a JSON text, read from a source a piece at a time.
// Each member comes whole, except one array member (the slabs), whose
// elements come one by one: memory holds one element, not the array.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "cli/JsonText.h"
#include "datafile/FileReading.h"

namespace korvexa::cli {

// Reads up to `size` bytes into `buffer`; 0 at the end of the input.
// Throws JsonInputError when the input cannot be read.
using JsonSource = std::function<std::size_t(char* buffer, std::size_t size)>;

// A source over text in memory.
JsonSource MemorySource(const char* data, std::size_t size);
// A source over an opened input; its failure (an input beyond the size
// limit, a read error) is thrown as JsonInputError.
JsonSource FileSource(datafile::InputFile& file);

// No single slab or member of the input comes near this.
inline constexpr std::size_t kLargestJsonPiece = std::size_t{64} << 20;

class JsonObjectStream {
public:
    JsonObjectStream(JsonSource source, std::string streamedKey);

    struct Item {
        enum Kind {
            Member,      // `key` and its whole `value`
            ArrayBegin,  // the streamed key's array begins
            Element,     // one element of that array: `value`, `index`
            End          // the end of the object (nothing but spaces follow)
        } kind;
        std::string key;
        std::optional<JsonValueText> value;  // valid until the next call of Next()
        std::size_t index = 0;
    };
    // The next item.  Throws JsonInputError on text that is not JSON, or not
    // an object at the top, or a piece larger than kLargestJsonPiece.
    Item Next();

private:
    enum class State { Start, Members, Elements, Done };

    [[noreturn]] void Fail(std::size_t at, const std::string& what) const;
    bool Available(std::size_t at);  // reads on until byte `at` is in the buffer
    char Peek();                     // the next byte that is not a space
    void Expect(char c, const char* what);
    JsonValueText TakeValue();       // the value at pos_, checked

    JsonSource source_;
    std::string streamedKey_;
    std::string buffer_;
    std::size_t pos_ = 0;
    std::size_t consumed_ = 0;  // bytes dropped from the front of the buffer
    bool atEnd_ = false;
    State state_ = State::Start;
    bool first_ = true;  // no member or element yet at this level
    std::size_t index_ = 0;
};

}  // namespace korvexa::cli
