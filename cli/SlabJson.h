// The JSON form of slab records, design settings and bar grades, with the
// field names of the records themselves.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

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
// any other key is an error.  `where` names the slab in messages.
SlabData SlabFromJson(const QJsonObject& object, const std::string& where);
// A result field of a slab ("M", "BarText", "Status", ...), skipped on reading.
bool IsResultField(std::string_view key);

CommonSettings SettingsFromJson(const QJsonObject& object);
std::array<std::string, 8> GradesFromJson(const QJsonArray& array);

// Inputs, the design's status code when given, and every result of a record.
void WriteSlab(JsonWriter& w, const SlabData& slab, std::optional<int> status);
void WriteSettings(JsonWriter& w, const CommonSettings& settings);

}  // namespace korvexa::cli
