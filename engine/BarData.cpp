#include "engine/BarData.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace korvexa {

namespace {

struct BarGeometry {
    const char* name;
    double dia, outerDia, area, perimeter;
    const char* grade;
};

constexpr BarGeometry kGeometry[BarSizeCount] = {
    {"", 0, 0, 0, 0, ""},
    {"D10", 1.0, 1.1, 0.71, 3.0, "SD295"},
    {"D13", 1.3, 1.4, 1.27, 4.0, "SD295"},
    {"D16", 1.6, 1.8, 1.99, 5.0, "SD345"},
    {"D19", 1.9, 2.1, 2.87, 6.0, "SD345"},
    {"D22", 2.2, 2.5, 3.87, 7.0, "SD345"},
    {"D25", 2.5, 2.8, 5.07, 8.0, "SD345"},
    {"D29", 2.9, 3.3, 6.42, 9.0, "SD390"},
    {"D32", 3.2, 3.6, 7.94, 10.0, "SD390"},
};

// The arrangement heads of every pair of sizes, made once at compile time.
struct Head {
    char text[16] = {};
    std::size_t size = 0;
    constexpr void Add(std::string_view piece)
    {
        for (char c : piece)
            text[size++] = c;
    }
};

constexpr int DiameterMm(const BarGeometry& bar) { return static_cast<int>(bar.dia * 10 + 0.5); }

constexpr Head MakeHead(int size1, int size2)
{
    const BarGeometry& a = kGeometry[size1];
    const BarGeometry& b = kGeometry[size2];
    const std::string_view name1 = a.name;
    const std::string_view name2 = b.name;
    const bool two = DiameterMm(a) > 0 && DiameterMm(b) > 0 && DiameterMm(a) != DiameterMm(b);
    Head head;
    head.Add(name1);
    if (two)
        head.Add("･");
    if (name2 != name1)
        head.Add(name2);
    head.Add(" @");
    return head;
}

constexpr auto kHeads = [] {
    std::array<std::array<Head, BarSizeCount>, BarSizeCount> heads{};
    for (int i = 0; i < BarSizeCount; ++i)
        for (int j = 0; j < BarSizeCount; ++j)
            heads[i][j] = MakeHead(i, j);
    return heads;
}();

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

}  // namespace

std::string_view DefaultGrade(int size)
{
    return BarData::IsValidSize(size) ? kGeometry[size].grade : "";
}

BarData::BarData()
{
    for (int i = 0; i < BarSizeCount; ++i) {
        BarMember& row = rows_[i];
        row.Name = kGeometry[i].name;
        row.Dia = kGeometry[i].dia;
        row.OuterDia = kGeometry[i].outerDia;
        row.Area = kGeometry[i].area;
        row.Perimeter = kGeometry[i].perimeter;
        SetGrade(i, kGeometry[i].grade);
    }
}

void BarData::SetGrade(int size, std::string_view grade)
{
    if (!IsValidSize(size))
        return;
    BarMember& row = rows_[size];
    row.Grade = grade;
    if (grade.empty()) {
        row.Fy = 0;
        row.FtLong = row.FtShort = 0;
        return;
    }
    if (!grade.starts_with("SD"))
        return;
    // The yield strength is the number in characters 3 to 5 ("SD345" -> 345).
    const std::string_view digits = grade.substr(2, 3);
    int fy = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), fy);
    row.Fy = fy;
    // Long-term: 2/3 of the yield, at most 215 (195 for D29 and larger).
    const double limit = row.Dia > 2.8 ? 195 : 215;
    row.FtLong = std::min(2.0 / 3.0 * fy, limit);
    row.FtShort = fy;
}

std::string_view BarData::ArrangementHead(int size1, int size2)
{
    const Head& head = kHeads[static_cast<std::size_t>(size1)][static_cast<std::size_t>(size2)];
    return {head.text, head.size};
}

int BarData::NominalDiameterMm(int size) { return DiameterMm(kGeometry[static_cast<std::size_t>(size)]); }

int BarData::YieldOfBar(std::string_view name) const
{
    for (int i = 1; i < BarSizeCount; ++i)
        if (rows_[i].Name == name)
            return rows_[i].Fy;
    return 0;
}

std::array<std::string, 8> BarData::Grades() const
{
    std::array<std::string, 8> grades;
    for (int i = 0; i < 8; ++i)
        grades[i] = rows_[i + 1].Grade;
    return grades;
}

void BarData::SetGrades(const std::array<std::string, 8>& grades)
{
    for (int i = 0; i < 8; ++i)
        if (grades[i] != rows_[i + 1].Grade)
            SetGrade(i + 1, grades[i]);
}

std::string MakeGradeText(const SlabData& slab, const BarData& bars, bool latex)
{
    // Diameters in mm of the distinct sizes in use, in order of appearance.
    std::vector<int> diameters;
    for (const auto& dir : slab.Bar)
        for (const auto& pos : dir)
            for (int size : pos)
                if (size > 0 && BarData::IsValidSize(size)) {
                    const int d = static_cast<int>(std::lround(bars[size].Dia * 10));
                    if (std::find(diameters.begin(), diameters.end(), d) == diameters.end())
                        diameters.push_back(d);
                }

    std::string text;
    int groups = 0;
    for (int grade : {295, 345, 390}) {
        std::vector<int> group;
        for (int d : diameters)
            if (bars.YieldOfBar("D" + std::to_string(d)) == grade)
                group.push_back(d);
        if (group.empty())
            continue;
        std::sort(group.begin(), group.end());
        if (++groups > 1)
            text += "_";
        text += "SD" + std::to_string(grade) + "(";
        for (std::size_t i = 0; i < group.size(); ++i)
            text += (i ? "･D" : "D") + std::to_string(group[i]);
        text += ")";
    }
    if (groups == 1)
        return text.substr(0, 5);
    if (latex) {
        ReplaceAll(text, "_", "$\\;\\;$ ");
        ReplaceAll(text, "･", "$\\cdot $");
    } else {
        ReplaceAll(text, "_", " ");
    }
    return text;
}

}  // namespace korvexa
