// `korvexa-cli design INPUT.json`: designs slabs given as JSON.
#pragma once

#include <QByteArray>
#include <iosfwd>
#include <string>

#include "cli/JsonStream.h"
#include "cli/JsonWriter.h"

namespace korvexa::cli {

// Designs every slab of the JSON read from `source` and writes the output
// document to `out` a slab at a time; why a slab could not be designed goes
// to `err` (its "Status" in the output says so too).  Throws JsonInputError
// on bad input: the output then stops where the input went wrong (there is
// none when that is in the first slab or before).
void DesignJson(const JsonSource& source, std::ostream& out, std::ostream& err, JsonStyle style);
// The output for a whole JSON text, indented, without the reasons.
QByteArray DesignJson(const QByteArray& input);

// The command: reads INPUT.json (a file or a pipe, at most 1 GiB) and
// returns the exit status, 0 or 2 after a message on `err`.
int DesignCommand(const std::string& path, std::ostream& out, std::ostream& err, JsonStyle style);

}  // namespace korvexa::cli
