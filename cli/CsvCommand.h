// `korvexa-cli csv FILE.slab [-o OUT.csv] [--encoding utf-8|cp932]`: every
// slab of a data file, designed, as one CSV row (datafile/SlabCsv), read and
// written a slab at a time.  Each returns the exit status: 0, or 2 after a
// message on `err`.
#pragma once

#include <iosfwd>
#include <string>

#include "datafile/SlabCsv.h"

namespace korvexa::cli {

// "utf-8" (also "utf8") or "cp932" (also "sjis", "shift_jis"), any case;
// false for any other name.
bool ParseCsvEncoding(const std::string& name, datafile::CsvEncoding& encoding);

// The CSV of FILE.slab on `out`.
int CsvCommand(const std::string& path, std::ostream& out, datafile::CsvEncoding encoding, std::ostream& err);
// The same into the file `output`, which replaces an old one only when
// the whole CSV was written.
int CsvFileCommand(const std::string& path, const std::string& output, datafile::CsvEncoding encoding,
                   std::ostream& err);

}  // namespace korvexa::cli
