// The default print layout kept in the settings file, sections
// "Print Layout" and "Print Header", and the title text in its two stored
// forms.  Plain C++: the dialog and the command-line tool share it.
//
// A title is a list of lines.  Stored, every line is followed by one line
// end (CR LF in data files): "A\r\n\r\nB\r\n" is the three lines "A", ""
// and "B", and a text without a last line end ends with its last line.
// In the settings file the title is one value in which each line end is
// the two characters backslash and n.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "datafile/DataSet.h"

namespace korvexa::datafile {
class ProfileFile;
}

namespace korvexa::print {

inline constexpr std::string_view kLayoutSection = "Print Layout";
inline constexpr std::string_view kHeaderSection = "Print Header";

// The defaults of the settings file.  Without the file, the built-in ones
// (datafile::PrintLayout{}); a key that is missing, or that holds no usable
// value (a size below 1 pt or above datafile::kLargestFontSize, a negative
// length), keeps the built-in value, except the title, which is then empty.
datafile::PrintLayout ReadPrintDefaults(const datafile::ProfileFile& file);

// Writes every key of both sections.  False when a value could not be
// written (the file's LastError() says why); the keys before it stay.
bool WritePrintDefaults(datafile::ProfileFile& file, const datafile::PrintLayout& defaults);

// The lines of a stored title (line ends CR LF or LF).
std::vector<std::string> TitleLines(std::string_view text);
// The stored form: each line followed by CR LF.
std::string TitleText(const std::vector<std::string>& lines);

// The settings file's form of a title, and back to the stored form.
std::string IniTitle(std::string_view text);
std::string TitleFromIni(std::string_view value);

}  // namespace korvexa::print
