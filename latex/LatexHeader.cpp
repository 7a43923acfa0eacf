#include "latex/LatexHeader.h"

#include <fstream>
#include <iterator>

#include "datafile/SafeFile.h"
#include "datafile/TextCodec.h"
#include "latex/LatexText.h"

namespace korvexa::latex {

std::vector<std::string> DefaultHeaderLines()
{
    return {
        "\\documentclass[a4j]{jarticle}",
        "\\usepackage{amsmath}  %必須",
        "\\usepackage{amssymb}  %必須",
        "\\usepackage{tabularx} %必須",
        "\\IfFileExists{default.sty}{\\usepackage{default}}{}",
    };
}

std::optional<std::vector<std::string>> ReadHeaderFile(const std::filesystem::path& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    // A zero byte is no character of a text file (a file saved as UTF-16
    // is full of them); kept, it would make the header one that cannot be
    // saved again.
    std::erase(bytes, '\0');
    return TextLines(datafile::Cp932ToUtf8(bytes).text);
}

bool WriteHeaderFile(const std::filesystem::path& path, const std::vector<std::string>& lines, std::string& error)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    const datafile::ConvertedText bytes = datafile::Utf8ToCp932(text);
    if (bytes.replaced) {
        error = "日本語の文字コード (Shift_JIS) にない文字があります";
        return false;
    }
    return datafile::ReplaceFileContents(path, bytes.text, error);
}

}  // namespace korvexa::latex
