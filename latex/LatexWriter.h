// The LaTeX report: every designed slab of a data set as two tables, after
// the user's preamble, a table macro and the page and title settings of the
// print layout.  Plain C++: the window and the command line both call it.
//
// The text is UTF-8 with "\n" line ends; WriteLatexFile writes it in the
// bytes pLaTeX reads with `-kanji=sjis` (see LatexText.h).  Every text taken
// from the data or the print title is escaped; the header lines are LaTeX by
// intent and are written as they stand.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "datafile/DataSet.h"
#include "engine/BarData.h"
#include "engine/SlabData.h"

namespace korvexa::latex {

// The two tables of one designed slab.  `bars` gives the grade summary.
// Control characters of its texts are replaced and named in `replaced`.
std::string WriteLatexSlab(const SlabData& slab, double loadUnitFactor, const BarData& bars,
                           std::vector<std::string>* replaced = nullptr);

// The whole document.  `header` holds the lines of the LaTeX settings'
// header memo (carriage returns are dropped).  Control characters of the
// data's texts are replaced and named in `replaced`.
std::string LatexDocument(const datafile::DataSet& data, const std::vector<std::string>& header,
                          std::vector<std::string>* replaced = nullptr);

struct LatexFileResult {
    bool ok = false;
    std::string error;                  // why the file could not be written (Japanese)
    std::vector<std::string> replaced;  // characters pLaTeX cannot read, and control characters, that were replaced
};

// Writes the document to `path`, replacing the file safely (a failure
// leaves an old file as it was).
LatexFileResult WriteLatexFile(const std::filesystem::path& path, const datafile::DataSet& data,
                               const std::vector<std::string>& header);

}  // namespace korvexa::latex
