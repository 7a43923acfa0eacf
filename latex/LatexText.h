// Text in a LaTeX file for pLaTeX: escaping the characters LaTeX gives a
// meaning, and the file's bytes in the subset of the Japanese code page
// that pTeX reads.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvexa::latex {

// A text taken from the data (a slab name, a title line) written as plain
// text that prints as typed: \ { } $ & # ^ _ % ~ lose their LaTeX meaning,
// so that "1F_S1", "A&B" or "50%" print as typed and a name such as
// "\input{...}" is never run; < > | " ' ` and "--" print as themselves,
// not as ¡ ¿ — ” ’ ‘ and a dash.  A tab becomes a blank; any other control
// character becomes "?" and is named in `replaced` (when given).
std::string EscapeLatex(std::string_view utf8, std::vector<std::string>* replaced = nullptr);

struct PtexBytes {
    std::string bytes;                  // the text in CP932, JIS X 0208 characters only
    std::vector<std::string> replaced;  // the characters that were replaced (UTF-8), each once
};

// UTF-8 to the bytes of a file for `platex -kanji=sjis`.  pTeX reads JIS X
// 0208 only: a character that CP932 adds to it (①, ㎡, 髙) or that CP932
// lacks is written as a readable equivalent where there is one ("(1)",
// "m$^2$", "高") and as "?" otherwise; half-width katakana become full-width
// ones.  "¥" and "‾", which CP932 would write as the bytes of "\" and "~",
// become their full-width forms.
PtexBytes ToPtexBytes(std::string_view utf8);

// The lines of a memo's text: split at line feeds, each carriage return
// dropped; a text ending in a line break has no empty last line.
std::vector<std::string> TextLines(std::string_view text);

}  // namespace korvexa::latex
