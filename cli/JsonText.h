// JSON text held whole (a slab, the settings), checked against the grammar
// and then read in place, without building a document.  Qt's JSON classes
// parse only whole documents into trees, which for 100,000 slabs cost more
// than the design itself; a slab's text is small and read once.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvexa::cli {

// Reports where a text is not JSON (the offset in the text) and throws.
using JsonFail = std::function<void(std::size_t at, const std::string& what)>;

// One value of a checked text.  It refers to the text, which must outlive it.
class JsonValueText {
public:
    bool IsNumber() const;
    std::optional<double> Number() const;  // none when beyond the range of a double
    bool IsBool() const;
    bool Bool() const;
    bool IsString() const;
    std::string String() const;  // UTF-8, escapes resolved
    bool IsArray() const;
    std::vector<JsonValueText> Elements() const;
    bool IsObject() const;
    std::vector<std::pair<std::string, JsonValueText>> Members() const;  // in the order of the text

private:
    friend JsonValueText CheckJsonText(std::string_view, const JsonFail&);
    explicit JsonValueText(std::string_view text) : text_(text) {}
    std::string_view text_;  // the value alone, without spaces around it
};

// Checks that `text` is one JSON value with nothing but spaces around it.
JsonValueText CheckJsonText(std::string_view text, const JsonFail& fail);

}  // namespace korvexa::cli
