// The slabs of a data set as CSV for spreadsheet programs: a header row of
// Japanese column names with units, then one row per slab (an undesigned
// slab with its inputs, its message and empty results).  Numbers are plain
// decimals with the decimals of the calculation sheet; fields are quoted
// as RFC 4180 asks (only where needed), rows end in CR LF.  UTF-8 text
// begins with a byte-order mark, so that spreadsheet programs read the
// Japanese text as UTF-8; CP932 is written on request.
//
// Rows are written one at a time:
//   SlabCsvWriter csv(out, CsvEncoding::Utf8, settings, bars);
//   csv.WriteHeader();
//   for (...) csv.WriteSlab(number, slab, verdict);
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "engine/BarData.h"
#include "engine/SlabData.h"
#include "engine/SlabVerdict.h"

namespace korvexa::datafile {

enum class CsvEncoding { Utf8, Cp932 };

// The header row's names, in order, for loads in `loadUnitFactor` (1: N/m²,
// 1000: kN/m²).
std::vector<std::string> CsvColumnNames(double loadUnitFactor);

class SlabCsvWriter {
public:
    SlabCsvWriter(std::ostream& out, CsvEncoding encoding, const CommonSettings& settings, const BarData& bars);

    // The byte-order mark (UTF-8) and the header row.
    void WriteHeader();
    // The row of slab `number` (1-based, as the list counts) with its verdict.
    void WriteSlab(std::size_t number, const SlabData& slab, const SlabVerdict& verdict);

    // Rows in which a character CP932 lacks became "?".
    std::size_t ReplacedRows() const { return replacedRows_; }

private:
    void Finish(std::string& row);

    std::ostream& out_;
    CsvEncoding encoding_;
    const CommonSettings& settings_;
    const BarData& bars_;
    std::size_t replacedRows_ = 0;
};

}  // namespace korvexa::datafile
