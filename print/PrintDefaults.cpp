#include "print/PrintDefaults.h"

#include <algorithm>

#include "datafile/ProfileFile.h"

namespace korvexa::print {

namespace {

struct FontKeys {
    datafile::FontSetting datafile::PrintLayout::*font;
    std::string_view name, size, style;
};

constexpr FontKeys kFontKeys[] = {
    {&datafile::PrintLayout::TitleFont, "TitleFontName", "TitleFontSize", "TitleFontStyle"},
    {&datafile::PrintLayout::BodyFont, "BodyFontName", "BodyFontSize", "BodyFontStyle"},
    {&datafile::PrintLayout::HeaderFont, "HeaderFontName", "HeaderFontSize", "HeaderFontStyle"},
};

struct LengthKey {
    int datafile::PrintLayout::*length;
    std::string_view key;
};

constexpr LengthKey kLengthKeys[] = {
    {&datafile::PrintLayout::LeftMargin, "LeftMargin"},
    {&datafile::PrintLayout::TopMargin, "TopMargin"},
    {&datafile::PrintLayout::BottomMargin, "BottomMargin"},
    {&datafile::PrintLayout::HeaderSideMargin, "HeaderSideMargin"},
    {&datafile::PrintLayout::HeaderTopMargin, "HeaderTopMargin"},
    {&datafile::PrintLayout::ParagraphSpace, "ParagraphSpace"},
    {&datafile::PrintLayout::Indent, "Indent"},
};

struct FlagKey {
    bool datafile::PrintLayout::*flag;
    std::string_view key;
};

constexpr FlagKey kFlagKeys[] = {
    {&datafile::PrintLayout::ChangeEvenSideMargin, "ChangeEvenSideMargin"},
    {&datafile::PrintLayout::ChangeEvenHeaderPos, "ChangeEvenHeaderPos"},
    {&datafile::PrintLayout::IsTitlePrint, "TitlePrint"},
    {&datafile::PrintLayout::IsSummaryPrint, "SummaryPrint"},
};

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

datafile::PrintLayout ReadPrintDefaults(const datafile::ProfileFile& file)
{
    datafile::PrintLayout d;
    if (!file.Exists())
        return d;
    for (const FontKeys& keys : kFontKeys) {
        datafile::FontSetting& font = d.*keys.font;
        font.Name = file.ReadString(kLayoutSection, keys.name, font.Name);
        const int size = file.ReadInteger(kLayoutSection, keys.size, font.Size);
        if (size >= 1 && size <= datafile::kLargestFontSize)
            font.Size = size;
        std::string style = file.ReadString(kLayoutSection, keys.style, font.Style);
        font.Style = datafile::IsStyleText(style) ? std::move(style) : std::string();
    }
    for (const LengthKey& key : kLengthKeys)
        d.*key.length = std::max(0, file.ReadInteger(kLayoutSection, key.key, d.*key.length));
    for (const FlagKey& key : kFlagKeys)
        d.*key.flag = file.ReadBool(kLayoutSection, key.key, d.*key.flag);
    d.FirstPageNo = std::max(0, file.ReadInteger(kHeaderSection, "FirstPageNo", d.FirstPageNo));
    d.Title = TitleFromIni(file.ReadString(kHeaderSection, "Title", ""));
    return d;
}

bool WritePrintDefaults(datafile::ProfileFile& file, const datafile::PrintLayout& d)
{
    for (const FontKeys& keys : kFontKeys) {
        const datafile::FontSetting& font = d.*keys.font;
        if (!file.WriteString(kLayoutSection, keys.name, font.Name) ||
            !file.WriteInteger(kLayoutSection, keys.size, font.Size) ||
            !file.WriteString(kLayoutSection, keys.style, font.Style))
            return false;
    }
    for (const LengthKey& key : kLengthKeys)
        if (!file.WriteInteger(kLayoutSection, key.key, d.*key.length))
            return false;
    for (const FlagKey& key : kFlagKeys)
        if (!file.WriteBool(kLayoutSection, key.key, d.*key.flag))
            return false;
    return file.WriteInteger(kHeaderSection, "FirstPageNo", d.FirstPageNo) &&
           file.WriteString(kHeaderSection, "Title", IniTitle(d.Title));
}

std::vector<std::string> TitleLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

std::string TitleText(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::string IniTitle(std::string_view text)
{
    std::string value(text);
    std::erase(value, '\r');
    ReplaceAll(value, "\n", "\\n");
    return value;
}

std::string TitleFromIni(std::string_view value)
{
    std::string text(value);
    ReplaceAll(text, "\\n", "\n");
    return TitleText(TitleLines(text));
}

}  // namespace korvexa::print
