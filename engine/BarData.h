// The bar size table: geometry of the deformed bars D10 .. D32 and the steel
// grade of each size with the allowable stresses that follow from it.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/SlabData.h"

namespace korvexa {

struct BarMember {
    std::string Name;       // "D10" .. "D32"; empty in row 0
    std::string Grade;      // "SD295", "SD345", "SD390"; empty in row 0
    int Fy = 0;             // N/mm², read from the grade text
    double Dia = 0;         // cm, nominal (the number in the name / 10)
    double OuterDia = 0;    // cm, outer diameter (ribs included)
    double Area = 0;        // cm²
    double Perimeter = 0;   // cm
    double FtLong = 0;      // N/mm², long-term allowable tensile stress
    double FtShort = 0;     // N/mm², short-term allowable tensile stress
};

class BarData {
public:
    BarData();  // the standard sizes with the default grades

    const BarMember& operator[](int size) const { return rows_[static_cast<std::size_t>(size)]; }
    static bool IsValidSize(int size) { return size >= 0 && size < BarSizeCount; }

    // Sets the grade of a row and the stresses that follow.  A text that is
    // not of the form "SDnnn" changes the grade text only; an empty text
    // clears the stresses.
    void SetGrade(int size, std::string_view grade);

    // The start of a bar arrangement text, up to the pitch: "D10･D13 @" for
    // two sizes alternating, "D10 @" for one size (twice, or with no second
    // bar).  The names and diameters are those of every table.
    static std::string_view ArrangementHead(int size1, int size2);
    // The number in the name of a size, mm ("D13": 13); 0 for no bar.
    static int NominalDiameterMm(int size);

    // Fy of the row named `name` ("D13"); 0 when there is none.
    int YieldOfBar(std::string_view name) const;

    // The grades of rows 1..8 (D10 .. D32).
    std::array<std::string, 8> Grades() const;
    void SetGrades(const std::array<std::string, 8>& grades);

private:
    std::array<BarMember, BarSizeCount> rows_;
};

// Default grade of a bar size (row 1..8).
std::string_view DefaultGrade(int size);

// The plain grade summary of the bars of a slab, or the LaTeX form:
// "SD295(D10･D13) SD345(D16)", or the grade alone when only one is used.
std::string MakeGradeText(const SlabData& slab, const BarData& bars, bool latex);

}  // namespace korvexa
