#include "latex/LatexWriter.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <string_view>

#include "datafile/SafeFile.h"
#include "engine/Reinforcement.h"
#include "engine/SheetTexts.h"
#include "engine/Ukorvexa.h"
#include "latex/LatexText.h"

namespace korvexa::latex {

namespace {

// The table macro: \MultiRow[width]{rows}[offset]{content}, a cell spanning
// several rows of a table.
constexpr std::array<std::string_view, 28> kMultiRowMacro = {
    "% 多行取りの表組みマクロ",
    "% \\MultiRow[欄の幅]{打ち抜き行数}[垂直位置補正値]{内容}",
    "% 垂直位置補正値は、下方向が＋",
    "\\makeatletter",
    "\\def\\MultiRow{\\@ifnextchar [{\\@xuchinuki}{\\@xuchinuki[0pt]}}",
    "\\def\\@xuchinuki[#1]#2{\\@ifnextchar [{\\@uchinuki[#1]{#2}}%",
    " {\\@uchinuki[#1]{#2}[0pt]}}",
    "\\def\\@uchinuki[#1]#2[#3]#4{\\leavevmode",
    "\\dimen0=\\ht\\strutbox",
    "\\advance\\dimen0\\dp\\strutbox",
    "\\multiply\\dimen0 by\\arraystretch",
    "\\multiply\\dimen0 by#2",
    "\\ifdim#1=0pt",
    "\\setbox0=\\hbox{#4}\\else%",
    "\\setbox0=\\hbox to\\#1{\\hss#4\\hss}\\fi%",
    "\\setbox1=\\vbox to\\dimen0{\\vfill\\box0\\vfill}%",
    "\\dimen1=\\dp\\strutbox",
    "\\multiply\\dimen1 by\\arraystretch",
    "\\divide\\dimen0 by#2",
    "\\advance\\dimen1 by\\dimen0",
    "\\@tempcnta=2",
    "\\loop \\ifnum\\@tempcnta<#2",
    "\\advance\\dimen1\\ht\\strutbox",
    "\\advance\\dimen1\\dp\\strutbox",
    "\\advance\\@tempcnta1\\relax\\repeat",
    "\\advance\\dimen1 by#3",
    "\\smash{\\lower\\dimen1\\hbox{\\box1}}}",
    "\\makeatother",
};

constexpr std::string_view kHalfWidthDot = "･";

// %#.Nf: the sheets' number form, the decimal point written also without
// decimals (1500.).
std::string Fixed(double value, int decimals)
{
    std::string text = FixedNumber(value, decimals);
    if (decimals == 0)
        text += '.';
    return text;
}

// %g with up to 15 significant digits: 21, 22.5 (as printf in the "C"
// locale: the window runs in the user's).
std::string General(double value)
{
    char buffer[64];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr};
}

// A bar text with its first half-width dot as a centred dot of math mode.
std::string BarCell(const std::string& barText, std::vector<std::string>* replaced)
{
    std::string text = EscapeLatex(barText, replaced);
    const std::size_t dot = text.find(kHalfWidthDot);
    if (dot != std::string::npos)
        text.replace(dot, kHalfWidthDot.size(), "$\\cdot$");
    return text;
}

// Writes one slab; the members follow the rows of the two tables.
class SlabWriter {
public:
    SlabWriter(const SlabData& slab, double loadUnitFactor, const BarData& bars, std::vector<std::string>* replaced)
        : s_(slab), bars_(bars), replaced_(replaced), oneWay_(slab.Bind >= BindOneWayFixed),
          span_(oneWay_ ? "l" : "l_x"), unit_(loadUnitFactor != 1 ? "k" : ""),
          loadDecimals_(loadUnitFactor == 1 ? 0 : 2)
    {
    }

    std::string Write()
    {
        InputTable();
        ResultTable();
        return std::move(out_);
    }

private:
    std::string Load(double value) const { return Fixed(value, loadDecimals_); }
    // A load cell: the value when the condition holds, else one blank.
    std::string LoadCell(bool shown, double value) const { return shown ? Load(value) : " "; }

    void InputTable()
    {
        out_ += "\\begin{tabularx}{150mm}{|b{32mm}|X|X|X|X|X|X|}\n";
        out_ += "\\multicolumn{7}{l}{" + EscapeLatex(s_.Name, replaced_) + "\\hfill " +
                SlabConditionText(s_.Bind, s_.LoadShape == 0) + "　} \\\\ \n";
        out_ += "\\hline\n";
        SpanLine();
        ThicknessLine();
        ConcreteLine();
        LoadHead();
        for (int k = 0; k < 3; ++k)
            LoadRow(k);
        if (s_.DeltCheck)
            DeflectionLine();
        out_ += "\\end{tabularx}\n\n";
    }

    void SpanLine()
    {
        out_ += "\\multicolumn{7}{|l|}{　$ " + span_ + "=" + Fixed(s_.Lx, 2) + "\\,m ";
        if (s_.Ly > 0)
            out_ += "\\qquad l_y=" + Fixed(s_.Ly, 2) + "\\,m \\qquad \\lambda=" + Fixed(s_.Lambda, 2);
        out_ += "$ \\hfill 応力割増 " + Fixed(s_.IncreaseS, 2) + "倍";
        if (s_.DeltCheck)
            out_ += "　たわみ割増 " + Fixed(s_.IncreaseD, 2) + "倍";
        out_ += "} \\\\\n";
    }

    void ThicknessLine()
    {
        out_ += "\\multicolumn{7}{|l|}{　$ t=" + Fixed(s_.T, 1) + "\\,cm";
        if (s_.DeltCheck && s_.TReq > 0) {
            switch (CompareWithRequired(s_)) {
            case ThicknessComparison::Thicker: out_ += ">"; break;
            case ThicknessComparison::Equal: out_ += "\\geqq "; break;
            case ThicknessComparison::Thinner: out_ += "<"; break;
            }
            out_ += "必要スラブ厚 " + Fixed(s_.TReq, 1) + "\\,cm\\quad " + (ThicknessOk(s_) ? "OK" : "NG");
        }
        out_ += " \\hfill 鉄筋のかぶり厚" + Fixed(s_.Cov, 1) + "\\,cm$ } \\\\\n";
    }

    // A cell of the table's width in which the line breaks: a long grade
    // summary goes on to a second line instead of widening the table.
    void ConcreteLine()
    {
        out_ += "\\multicolumn{7}{|>{\\raggedright\\arraybackslash}p{\\dimexpr150mm-2\\tabcolsep-2\\arrayrulewidth}|}{　" + std::string(ConcreteKindName(s_.Concrete)) + "コンクリート $F_c=" +
                General(s_.Fc) + "\\,N/mm^2$ \\qquad 鉄筋 $\\;$" + MakeGradeText(s_, bars_, true) +
                "} \\\\ \\hline\n";
    }

    void LoadHead()
    {
        out_ += "\\multicolumn{1}{|c|}{\\MultiRow{2}{荷　重}} &\n";
        const std::string floorLoad = "{床荷重 $\\omega \\,(" + unit_ + "N/m^2)$}\n";
        if (!oneWay_) {
            out_ += "\\multicolumn{6}{c|}" + floorLoad + "\\\\ \\cline{2-7}\n";
        } else {
            out_ += "\\multicolumn{5}{c|}" + floorLoad;
            out_ += s_.Bind == BindCantilever ? "  & \\multicolumn{1}{c|}{先端集中荷重}"
                                              : "  & \\multicolumn{1}{c|}{中央集中荷重}";
            out_ += "\\\\ \\cline{2-6}\n";
        }
        for (std::string_view head : {"自　重", "仕上重量", "積載荷重", "積雪荷重", "合　計"})
            out_ += "  & \\multicolumn{1}{c|}{" + std::string(head) + "}\n";
        out_ += LastLoadHead() + "\\\\\n\\hline\n";
    }

    std::string LastLoadHead() const
    {
        if (oneWay_)
            return "  & \\multicolumn{1}{c|}{$P\\,(" + unit_ + "N/m)$}";
        const bool anyP = s_.P[0] != 0 || s_.P[1] != 0 || s_.P[2] != 0;
        if (s_.LoadShape != 0 && anyP)
            return "  & \\multicolumn{1}{c|}{等変荷重}";
        if (s_.AddLoadE != 0)
            return "  & \\multicolumn{1}{c|}{$W_p$}";
        return " & ";
    }

    void LoadRow(int k)
    {
        if (!CaseHasLoad(s_, k) || (k == 2 && !s_.DeltCheck))
            return;
        const char* label = k == 0 ? (s_.LoadTime == LoadShortTerm ? "短　期" : "長　期")
                            : k == 1 ? "短期積雪時"
                                     : "たわみ計算用";
        out_ += "\\multicolumn{1}{|c|}{" + std::string(label) + "} & \\hfill " + LoadCell(s_.Own > 0, s_.Own) +
                " & \\hfill " + LoadCell(s_.FL > 0, s_.FL) + " & \\hfill " + LoadCell(s_.LL[k] != 0, s_.LL[k]) +
                " & \\hfill " + LoadCell(s_.SL[k] > 0, s_.SL[k]) + " & \\hfill " +
                LoadCell(s_.TL[k] != 0, s_.TL[k]) + " & \\hfill " + PointLoadCell(k) + " \\\\ \\hline\n";
    }

    // The last load cell: nothing at all when there is no value.
    std::string PointLoadCell(int k) const
    {
        if (!oneWay_ && k == 2 && s_.P[2] == 0)
            return s_.AddLoadE != 0 ? Load(s_.AddLoadE) : "";
        return s_.P[k] != 0 ? Load(s_.P[k]) : "";
    }

    void DeflectionLine()
    {
        out_ += "\\multicolumn{7}{|l|}{たわみ $\\delta=" + Fixed(s_.Delta, 2) + "\\,mm";
        if (s_.Delta > 0) {
            out_ += "\\,(" + span_ + "/" + std::to_string(s_.DeltaRatio) + ") \\quad ";
            if (ShowsSpanThicknessCheck(s_))
                out_ += "t/" + span_ + "=1/" + std::to_string(SpanThicknessRatio(s_)) + "\\geqq 1/" +
                        std::to_string(SpanThicknessLimit(s_)) + " \\; OK$";
            else if (DeflectionOk(s_))
                out_ += "16\\delta/" + span_ + "=1/" + std::to_string(s_.DeltaRatio16) + " \\leqq 1/250\\;OK$";
            else
                out_ += "16\\delta/" + span_ + "=1/" + std::to_string(s_.DeltaRatio16) + "\\;> 1/250 \\; NG$";
            if (s_.Fv > 0)
                out_ += " \\hfill $fv=" + FrequencyNumber(s_.Fv) + "\\,H_z$" + EscapeLatex(s_.FvNote, replaced_);
        } else {
            out_ += "$";
        }
        out_ += "} \\\\ \\hline\n";
    }

    void ResultTable()
    {
        out_ += "\\begin{tabularx}{150mm}{|c|c|X|X|X|X|}\n\\hline\n"
                "\\multicolumn{2}{|p{32mm}|}{\\hfill 　応力（検定値）\\hfill 　}\n";
        const char* heads[] = {"短辺方向 端部", "短辺方向 中央", "長辺方向 端部", "長辺方向 中央"};
        const char* oneWayHeads[] = {"主筋方向 端部", "主筋方向 中央", "配力筋方向 端部", "配力筋方向 中央"};
        for (int i = 0; i < 4; ++i)
            out_ += "& \\multicolumn{1}{c|}{" + std::string(oneWay_ ? oneWayHeads[i] : heads[i]) + "}" +
                    (i == 3 ? " \\\\" : "") + "\n";
        out_ += "\\hline\n\\multicolumn{2}{|c|}{$必要\\;a_t\\;\\mbox{\\footnotesize $cm^2$}\\quad "
                "(d_t\\;\\mbox{\\footnotesize $cm$})$}\n";
        for (int dir = 0; dir < 2; ++dir)
            for (int pos = 0; pos < 2; ++pos)
                out_ += s_.At[dir][pos] > 0
                            ? " & \\hfill " + Fixed(s_.At[dir][pos], 2) + " (" + Fixed(s_.Dt[dir][pos], 2) + ") \n"
                            : " & \n";
        out_ += " \\\\ \\hline\n";
        for (int k = 0; k < 2; ++k)
            if (CaseHasLoad(s_, k))
                StressRows(k);
        BarRows();
        out_ += "\\end{tabularx}\n";
    }

    void StressRows(int k)
    {
        if (k == 0)
            out_ += s_.LoadTime == LoadShortTerm ? "\\MultiRow{2}{短　期}" : "\\MultiRow{2}{長　期}";
        else
            out_ += "短　期";
        out_ += " & $M$ {\\footnotesize $(kN\\cdot m)$}";
        for (int dir = 0; dir < 2; ++dir)
            for (int pos = 0; pos < 2; ++pos) {
                const double m = s_.M[k][dir][pos];
                out_ += m != 0 ? " & \\hfill " + Fixed(m, 2) + "  (" + Fixed(s_.MRatio[k][dir][pos], 2) + ")" : " & ";
            }
        out_ += " \\\\ \\cline{2-6}\n";

        if (k == 1)
            out_ += "積雪時";
        out_ += " & $Q$ {\\footnotesize $(kN)$}";
        for (int dir = 0; dir < 2; ++dir) {
            const double q = s_.Q[k][dir];
            out_ += q != 0 ? " & \\hfill " + Fixed(q, 2) + "  (" + Fixed(s_.QRatio[k][dir], 2) + ") & " : " & & ";
        }
        out_ += " \\\\ \\hline\n";
    }

    void BarRows()
    {
        const TextGrid texts = BarTexts(s_);
        out_ += "\\MultiRow{2}{配　筋} & 上　筋 ";
        BarCells(texts, 0);
        out_ += " \\\\ \n \\cline{2-6}\n& 下　筋 ";
        BarCells(texts, 1);
        out_ += " \\\\ \n \\hline\n";
    }

    void BarCells(const TextGrid& texts, int layer)
    {
        for (int dir = 0; dir < 2; ++dir)
            for (int pos = 0; pos < 2; ++pos)
                out_ += " & \\hfill " + BarCell(texts[dir][pos][layer], replaced_);
    }

    const SlabData& s_;
    const BarData& bars_;
    std::vector<std::string>* replaced_;
    const bool oneWay_;
    const std::string span_;
    const std::string unit_;
    const int loadDecimals_;
    std::string out_;
};

std::string ParagraphSpace(const datafile::PrintLayout& layout)
{
    return "\\vspace{" + std::to_string(layout.ParagraphSpace) + "mm}\n";
}

}  // namespace

std::string WriteLatexSlab(const SlabData& slab, double loadUnitFactor, const BarData& bars,
                           std::vector<std::string>* replaced)
{
    return SlabWriter(slab, loadUnitFactor, bars, replaced).Write();
}

std::string LatexDocument(const datafile::DataSet& data, const std::vector<std::string>& header,
                          std::vector<std::string>* replaced)
{
    BarData bars;
    bars.SetGrades(data.grades);
    const datafile::PrintLayout& layout = data.layout;

    std::string out;
    for (const std::string& line : header) {
        for (char c : line)
            if (c != '\r')
                out += c;
        out += '\n';
    }
    out += '\n';
    for (std::string_view line : kMultiRowMacro) {
        out += line;
        out += '\n';
    }
    out += '\n';
    if (layout.FirstPageNo > 0)
        out += "\\setcounter{page}{" + std::to_string(layout.FirstPageNo) + "}\n\n";
    out += "\\begin{document}\n";
    const std::vector<std::string> title = TextLines(layout.Title);
    if (layout.IsTitlePrint && !title.empty()) {
        for (const std::string& line : title)
            out += "\n" + EscapeLatex(line, replaced) + "\n";
        out += ParagraphSpace(layout) + "\n";
    }
    out += "\\parindent=" + std::to_string(layout.Indent) + "mm\n";
    for (std::size_t i = 0; i < data.slabs.size(); ++i) {
        const SlabData& slab = data.slabs[i];
        if (slab.Calculated)
            out += WriteLatexSlab(slab, data.settings.LoadUnitFactor, bars, replaced);
        out += '\n';
        if (i + 1 < data.slabs.size())
            out += ParagraphSpace(layout) + "\n";
    }
    out += "\\end{document}\n";
    return out;
}

LatexFileResult WriteLatexFile(const std::filesystem::path& path, const datafile::DataSet& data,
                               const std::vector<std::string>& header)
{
    LatexFileResult result;
    PtexBytes file = ToPtexBytes(LatexDocument(data, header, &result.replaced));
    for (std::string& character : file.replaced)
        result.replaced.push_back(std::move(character));
    result.ok = datafile::ReplaceFileContents(path, file.bytes, result.error);
    return result;
}

}  // namespace korvexa::latex
