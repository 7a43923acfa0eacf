// `korvexa-cli design INPUT.json`: designs slabs given as JSON.
#pragma once

#include <QByteArray>
#include <string>

namespace korvexa::cli {

// Designs every slab of the JSON text and returns the output document.
// Throws JsonInputError on bad input.
QByteArray DesignJson(const QByteArray& input);

}  // namespace korvexa::cli
