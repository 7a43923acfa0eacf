// The top-level object of a JSON text, read from a source a piece at a time.
// Each member is handed over parsed whole, except one array member (the
// slabs), whose elements come one by one: memory holds one element, not the
// array.  Each piece is parsed by Qt's JSON parser; this class only finds
// where the pieces begin and end.
#pragma once

#include <QJsonValue>
#include <QString>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

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
    // Members of the streamed elements for which `skip` is true (the results
    // of a slab, when its output is read back) are checked as JSON but not
    // parsed, which is most of the work.
    using SkipMember = std::function<bool(std::string_view key)>;
    JsonObjectStream(JsonSource source, QString streamedKey, SkipMember skip = {});

    struct Item {
        enum Kind {
            Member,      // `key` and its whole `value`
            ArrayBegin,  // the streamed key's array begins
            Element,     // one element of that array: `value`, `index`
            End          // the end of the object (nothing but spaces follow)
        } kind;
        QString key;
        QJsonValue value;
        std::size_t index = 0;
    };
    // The next item.  Throws JsonInputError on text that is not JSON, or not
    // an object at the top, or a piece larger than kLargestJsonPiece.
    Item Next();

    // Where a piece began in the input, for messages.
    std::size_t PieceOffset() const { return consumed_ + pieceStart_; }

private:
    enum class State { Start, Members, Elements, Done };

    [[noreturn]] void Fail(std::size_t at, const std::string& what) const;
    bool Available(std::size_t at);  // reads on until byte `at` is in the buffer
    char Peek();                     // the next byte that is not a space
    void Expect(char c, const char* what);
    std::size_t ScanValue();         // the end of the value at pos_
    QJsonValue ParseValue(std::size_t end);
    QJsonValue ParseElement(std::size_t end);
    QString ParseKey();

    JsonSource source_;
    QString streamedKey_;
    SkipMember skip_;
    std::string buffer_;
    std::size_t pos_ = 0;
    std::size_t consumed_ = 0;  // bytes dropped from the front of the buffer
    std::size_t pieceStart_ = 0;
    bool atEnd_ = false;
    State state_ = State::Start;
    bool first_ = true;  // no member or element yet at this level
    std::size_t index_ = 0;
};

}  // namespace korvexa::cli
