// The JSON form of slab records, design settings and bar grades, with the
// field names of the records themselves.
#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "cli/JsonText.h"
#include "cli/JsonWriter.h"
#include "engine/BarData.h"
#include "engine/SlabData.h"

namespace korvexa::cli {

// Bad input: the message names the place (slab, field) and what is wrong.
class JsonInputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the inputs of a slab over a fresh record.  Result fields (and
// "Status") are accepted and ignored, so that output can be read back;
// any other key is an error.  `where` ("slab 3") names the slab in
// messages, with its name added; `hasLoadUnit` tells whether the object
// gave "LoadUnit".
SlabData SlabFromJson(const JsonValueText& object, std::string where, bool* hasLoadUnit = nullptr);

CommonSettings SettingsFromJson(const JsonValueText& object);
std::array<std::string, 8> GradesFromJson(const JsonValueText& array);

// Inputs, the design's status code when given, and every result of a record.
void WriteSlab(JsonWriter& w, const SlabData& slab, std::optional<int> status);
// The members of the inputs, and of the results, within an object.
void WriteSlabInputs(JsonWriter& w, const SlabData& slab);
void WriteSlabResults(JsonWriter& w, const SlabData& slab);
void WriteSettings(JsonWriter& w, const CommonSettings& settings);

}  // namespace korvexa::cli
