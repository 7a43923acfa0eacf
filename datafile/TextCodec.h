// Conversion between the UTF-8 texts held in memory and the Japanese
// code page (CP932) of the data file.  This is the only place that knows
// about the file's text encoding.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korvexa::datafile {

struct ConvertedText {
    std::string text;
    bool replaced = false;  // some characters could not be converted and became "?"
};

// UTF-8 to CP932.  A character that CP932 cannot hold (or a broken UTF-8
// sequence, or a zero character) becomes "?".  WAVE DASH (U+301C) is taken
// as the full-width tilde, which is what Japanese keyboards on the other
// platform produce for the same key.
ConvertedText Utf8ToCp932(std::string_view utf8);

// CP932 to UTF-8.  A byte sequence that is not CP932 becomes "?".
ConvertedText Cp932ToUtf8(std::string_view cp932);

// The length of the longest prefix of `cp932` that has at most `maxBytes`
// bytes and does not split a two-byte character.
std::size_t Cp932PrefixLength(std::string_view cp932, std::size_t maxBytes);

}  // namespace korvexa::datafile
