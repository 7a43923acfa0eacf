// Where the LaTeX output goes and which LaTeX tools are on the search path.
#pragma once

#include <string>
#include <string_view>

namespace korvexa::app {

// The LaTeX output file offered by default: "Korvexa.tex" in the temporary
// folder named by TMP, else TEMP, else TMPDIR, else /tmp.  Each argument
// is the variable's value, or nullptr when it is not set.
std::string TexFileNameFor(const char* tmp, const char* temp, const char* tmpdir);

// No viewer is looked for: without one set, the report goes to the
// desktop's opener as a PDF (the DVI viewers found on PATH, xdvi first,
// draw no Japanese).
struct LatexTools {
    std::string compiler;  // full path of platex, or empty
};

// Searches the folders of a PATH value (":"-separated) in order: the first
// folder holding the compiler gives it.
LatexTools FindLatexTools(std::string_view pathVariable);

// The same with the environment of this process.
std::string DefaultTexFileName();
LatexTools FindLatexToolsOnPath();

}  // namespace korvexa::app
