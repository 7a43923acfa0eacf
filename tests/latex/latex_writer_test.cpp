// The LaTeX report's text: the order of the document and the cells of the
// two tables of a slab.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/Ukorvexa.h"
#include "latex/LatexHeader.h"
#include "latex/LatexWriter.h"

using namespace korvexa;

namespace {

SlabData Designed(std::string name, int bind = BindFixedApprox, double loadUnit = 1)
{
    SlabData s;
    s.Name = std::move(name);
    s.Bind = bind;
    s.Lx = 3.6;
    s.Ly = bind >= BindOneWayFixed ? 0 : 5.4;
    s.FL = 800 / loadUnit;
    s.LL = {1800 / loadUnit, 1300 / loadUnit, 600 / loadUnit};
    s.LoadUnit = loadUnit;
    CommonSettings settings;
    settings.LoadUnitFactor = loadUnit;
    EXPECT_EQ(DesignSlab(s, settings, BarData()), DesignOk);
    return s;
}

datafile::DataSet DataOf(std::vector<SlabData> slabs)
{
    datafile::DataSet data;
    data.slabs = std::move(slabs);
    data.layout.FirstPageNo = 0;
    data.layout.Title.clear();
    return data;
}

std::string Head(const std::vector<std::string>& header)
{
    const std::string all = latex::LatexDocument(DataOf({}), header);
    return all.substr(0, all.find("\\begin{document}"));
}

std::string Body(const datafile::DataSet& data)
{
    const std::string all = latex::LatexDocument(data, latex::DefaultHeaderLines());
    return all.substr(all.find("\\begin{document}"));
}

std::string Slab(const SlabData& s, double loadUnitFactor = 1)
{
    return latex::WriteLatexSlab(s, loadUnitFactor, BarData());
}

}  // namespace

TEST(LatexDocument, HeaderThenMacroBlock)
{
    const std::string head = Head({"\\documentclass{jarticle}\r", "% 必須"});
    EXPECT_TRUE(head.starts_with("\\documentclass{jarticle}\n% 必須\n\n% 多行取りの表組みマクロ\n")) << head;
    EXPECT_TRUE(head.ends_with("}}}\n\\makeatother\n\n")) << head;
    EXPECT_EQ(std::count(head.begin(), head.end(), '\n'), 2 + 1 + 28 + 1);
}

TEST(LatexDocument, UndesignedSlabLeavesOnlyItsEmptyLine)
{
    SlabData undesigned;
    undesigned.Name = "S2";
    const SlabData s1 = Designed("S1");
    const SlabData s3 = Designed("S3");
    const std::string body = Body(DataOf({s1, undesigned, s3}));
    EXPECT_EQ(body, "\\begin{document}\n\\parindent=10mm\n" + Slab(s1) + "\n\\vspace{3mm}\n\n" + "\n\\vspace{3mm}\n\n" +
                        Slab(s3) + "\n\\end{document}\n");
}

TEST(LatexDocument, PageNumberAndEscapedTitleLines)
{
    datafile::DataSet data = DataOf({Designed("S1")});
    data.layout.FirstPageNo = 12;
    data.layout.Title = "§５ 設計\r\n\r\n1F_S1 & 50%\r\n";
    data.layout.ParagraphSpace = 4;
    data.layout.Indent = 0;
    const std::string all = latex::LatexDocument(data, {});
    EXPECT_NE(all.find("\\makeatother\n\n\\setcounter{page}{12}\n\n\\begin{document}\n"
                       "\n§５ 設計\n\n\n\n1F{\\fontencoding{OT1}\\fontfamily{cmtt}\\selectfont\\char95}S1 \\& 50\\%\n\\vspace{4mm}\n\n\\parindent=0mm\n\\begin{tabularx}"),
              std::string::npos);

    data.layout.IsTitlePrint = false;
    EXPECT_EQ(Body(data).substr(0, 33), "\\begin{document}\n\\parindent=0mm\n\\");
}

// Texts that must (or must not) stand in the tables of a slab.
struct SlabCase {
    const char* name;
    std::function<void(SlabData&, double&)> change;  // the slab and the load unit factor
    std::vector<std::string> present;
    std::vector<std::string> absent = {};
};
void PrintTo(const SlabCase& c, std::ostream* os) { *os << c.name; }

class LatexSlab : public testing::TestWithParam<SlabCase> {};

TEST_P(LatexSlab, States)
{
    SlabData s = Designed("S1");
    double factor = 1;
    GetParam().change(s, factor);
    const std::string text = Slab(s, factor);
    for (const std::string& piece : GetParam().present)
        EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n" << text;
    for (const std::string& piece : GetParam().absent)
        EXPECT_EQ(text.find(piece), std::string::npos) << piece << "\n" << text;
}

INSTANTIATE_TEST_SUITE_P(
    Cells, LatexSlab,
    testing::Values(
        SlabCase{"LoadsInNewtons",
                 [](SlabData& s, double&) { s.Own = 3600; },
                 {"& \\hfill 3600. & \\hfill 800. &", "$\\omega \\,(N/m^2)$"},
                 {"(kN/m^2)"}},
        SlabCase{"LoadsInKilonewtons",
                 [](SlabData& s, double& f) {
                     s = Designed("S1", BindOneWayFixed, 1000);
                     s.Own = 3.6;
                     f = 1000;
                 },
                 {"& \\hfill 3.60 & \\hfill 0.80 &", "$\\omega \\,(kN/m^2)$", "{$P\\,(kN/m)$}", "中央集中荷重",
                  "主筋方向 端部", "l=3.60\\,m $"},
                 {"l_y"}},
        SlabCase{"ExactMethodWithUniformLoad",
                 [](SlabData& s, double&) { s.Bind = BindFixedExact; },
                 {"\\hfill 四辺固定スラブ(精算)　} \\\\ \n"}},
        SlabCase{"ExactMethodWithVaryingLoad",
                 [](SlabData& s, double&) {
                     s.Bind = BindFixedExact;
                     s.LoadShape = 1;
                     s.P = {500, 0, 0};
                 },
                 {"\\hfill 四辺固定スラブ　} \\\\ \n", "{等変荷重}"}},
        SlabCase{"HighFrequencyWhole", [](SlabData& s, double&) { s.Fv = 123.7; }, {"$fv=123\\,H_z$"}},
        SlabCase{"LowFrequencyOneDecimal", [](SlabData& s, double&) { s.Fv = 12.34; }, {"$fv=12.3\\,H_z$"}},
        SlabCase{"NoFrequency", [](SlabData& s, double&) { s.Fv = 0; }, {"OK$} \\\\ \\hline\n"}, {"fv="}},
        SlabCase{"ThickCantileverStatesTOverL",
                 [](SlabData& s, double&) {
                     s = Designed("S1", BindCantilever);
                     s.Lx = 1.5;
                     s.T = 15;
                 },
                 {"t/l=1/10\\geqq 1/10 \\; OK$", "先端集中荷重"},
                 {"16\\delta"}},
        SlabCase{"ThinCantileverStatesDeflection",
                 [](SlabData& s, double&) {
                     s = Designed("S1", BindCantilever);
                     s.Lx = 1.6;
                     s.T = 15;
                     s.DeltaRatio16 = 240;
                 },
                 {"16\\delta/l=1/240\\;> 1/250 \\; NG$"},
                 {"t/l="}},
        SlabCase{"EqualRequiredThickness",
                 [](SlabData& s, double&) {
                     s.TReq = 15;
                     s.T = 15;
                 },
                 {"t=15.0\\,cm\\geqq 必要スラブ厚 15.0\\,cm\\quad OK"}},
        SlabCase{"ThinnerThanRequired",
                 [](SlabData& s, double&) { s.TReq = 15.4; },
                 {"t=15.0\\,cm<必要スラブ厚 15.4\\,cm\\quad NG"}},
        SlabCase{"NoDeflectionCheck",
                 [](SlabData& s, double&) { s.DeltCheck = false; },
                 {"倍} \\\\\n"},
                 {"たわみ", "必要スラブ厚"}},
        SlabCase{"EscapedName",
                 [](SlabData& s, double&) { s.Name = "1F_S1 A&B 50% #2 $x^2$ ~{\\input}"; },
                 {"{1F{\\fontencoding{OT1}\\fontfamily{cmtt}\\selectfont\\char95}S1 A\\&B 50\\% \\#2 "
                  "\\$x{\\fontencoding{OT1}\\fontfamily{cmtt}\\selectfont\\char94}2\\$ "
                  "{\\fontencoding{OT1}\\fontfamily{cmtt}\\selectfont\\char126}\\{\\textbackslash{}input\\}\\hfill"}},
        SlabCase{"BarDotInMathMode",
                 [](SlabData& s, double&) { s.Bar[0][0] = {BarD16, BarD19}; },
                 {" & \\hfill D16$\\cdot$D19 @"}},
        SlabCase{"GradesInLatexForm",
                 [](SlabData& s, double&) { s.Bar[0][0] = {BarD10, BarD16}; },
                 {"鉄筋 $\\;$SD295(D10$\\cdot $D13)$\\;\\;$ SD345(D16)} \\\\ \\hline"}}),
    [](const testing::TestParamInfo<SlabCase>& info) { return std::string(info.param.name); });
