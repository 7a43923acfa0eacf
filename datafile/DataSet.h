// What a data file holds: the design-wide settings in force, the bar
// grades, the slabs and the print layout.  The window applies a data set
// it reads and hands one over when it saves.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/SlabData.h"

namespace korvexa::datafile {

// Style texts of a font as the print settings write them.
inline constexpr std::string_view kStyleRegular = "";
inline constexpr std::string_view kStyleBold = "Bold";
inline constexpr std::string_view kStyleItalic = "Italic";
inline constexpr std::string_view kStyleBoldItalic = "Bold & Italic";

// One of the four style texts; anything else means regular.
bool IsStyleText(std::string_view style);

// The largest font size a data file holds, points.
inline constexpr int kLargestFontSize = 10000;

struct FontSetting {
    std::string Name;
    int Size = 0;       // points, 1 .. kLargestFontSize
    std::string Style;  // "", "Bold", "Italic" or "Bold & Italic"
    bool operator==(const FontSetting&) const = default;
};

// The print settings that travel with a data file, with the built-in
// defaults of the print setup.
struct PrintLayout {
    int FirstPageNo = 0;  // 0 = no page numbers
    // The title memo's text: each line followed by CR LF.
    std::string Title = "§５　二次部材の設計\r\n\r\n５.１ スラブの設計\r\n";
    FontSetting TitleFont{"ＭＳ Ｐゴシック", 11, ""};
    FontSetting BodyFont{"ＭＳ Ｐ明朝", 9, ""};
    FontSetting HeaderFont{"Century", 12, ""};
    int LeftMargin = 20;        // mm
    int TopMargin = 15;         // mm
    int BottomMargin = 5;       // mm
    int HeaderSideMargin = 15;  // mm
    int HeaderTopMargin = 6;    // mm
    int ParagraphSpace = 3;     // mm
    int Indent = 10;            // mm
    bool ChangeEvenSideMargin = false;
    bool ChangeEvenHeaderPos = false;
    bool IsTitlePrint = true;
    bool IsSummaryPrint = false;  // the summary table (スラブ一覧表) before the sheets
    bool operator==(const PrintLayout&) const = default;
};

// The grades of D10 .. D32 of a new bar table.
std::array<std::string, 8> DefaultGrades();

struct DataSet {
    CommonSettings settings;
    std::array<std::string, 8> grades = DefaultGrades();  // D10 .. D32
    std::vector<SlabData> slabs;
    PrintLayout layout;
};

// Whether two records have the same inputs (the fields a data file stores
// and the design reads).
bool SameInputs(const SlabInputData& a, const SlabInputData& b);

// What printing and the LaTeX report leave out: "計算できないため出力しない
// スラブ: S1, S7", the names of the slabs that are not designed (the first
// twenty, the rest counted); empty when every slab is designed.
std::string LeftOutNote(std::span<const SlabData> slabs);

}  // namespace korvexa::datafile
