// The header (preamble) of the LaTeX report: the default lines and the
// header file "LatexHeader.txt" of the settings folder, CP932 text with
// CR LF line ends.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace korvexa::latex {

// The name of the header file in the settings folder.
inline constexpr const char* kHeaderFileName = "LatexHeader.txt";

// The five lines of a new header: a Japanese article and the packages the
// tables need.  The fifth loads the engineer's own style file "default.sty"
// when TeX finds one and is skipped otherwise.
std::vector<std::string> DefaultHeaderLines();

// The lines of a header file, zero bytes left out; nothing when it cannot
// be read.
std::optional<std::vector<std::string>> ReadHeaderFile(const std::filesystem::path& path);

// Writes the lines, each ended by CR LF, replacing the file safely.  A line
// holding a character CP932 lacks is refused (the file is left as it was).
bool WriteHeaderFile(const std::filesystem::path& path, const std::vector<std::string>& lines, std::string& error);

}  // namespace korvexa::latex
