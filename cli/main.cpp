// korvexa-cli: the command-line face of the design engine.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <unistd.h>

#include <iostream>

#include "cli/CsvCommand.h"
#include "cli/DataFileCommands.h"
#include "cli/DesignCommand.h"
#include "cli/OutputStream.h"
#include "cli/PdfCommand.h"

namespace {

QString Q(const char* text) { return QString::fromUtf8(text); }

constexpr int kExitBadInput = 2;

const char* kDescription =
    "Korvexa: design of reinforced-concrete floor slabs.\n"
    "\n"
    "Commands:\n"
    "  design INPUT.json   Designs every slab of INPUT.json and prints the inputs\n"
    "                      and results as JSON on standard output.\n"
    "  show FILE.slab      Reads a data file, designs every slab and prints a\n"
    "                      summary of each (Japanese labels).\n"
    "  json FILE.slab      Reads a data file, designs every slab and prints the whole\n"
    "                      data set as JSON: {\"version\", \"settings\", \"grades\",\n"
    "                      \"layout\", \"slabs\"}, each slab with inputs and results.\n"
    "  slab INPUT.json -o FILE.slab [--designed-only]\n"
    "                      Designs the slabs of INPUT.json (the JSON of `json`, or\n"
    "                      of `design` with an optional \"layout\") and writes them\n"
    "                      to a data file, every slab as it is given; each slab\n"
    "                      that cannot be designed is named on standard error with\n"
    "                      the field that stops it.  --designed-only writes the\n"
    "                      designed ones and leaves out the others (and writes no\n"
    "                      file when none is designed).\n"
    "  latex FILE.slab -o OUT.tex [--header HEADER.txt]\n"
    "                      Writes the LaTeX report of the designed slabs (for\n"
    "                      platex -kanji=sjis, Shift_JIS text) with the default\n"
    "                      header, or with the lines of HEADER.txt (Shift_JIS).\n"
    "  pdf FILE.slab -o OUT.pdf [--select 1,3,5] [--summary]\n"
    "                      Writes the calculation sheets of the designed slabs as a\n"
    "                      PDF: the pages the window prints on the PDF printer (A4\n"
    "                      portrait, the file's print layout).  --select prints the\n"
    "                      slabs of these numbers only, in list order.  --summary\n"
    "                      puts the summary table of the printed slabs (スラブ一覧表)\n"
    "                      before the sheets, as the layout's 一覧表を印刷する does.\n"
    "  csv FILE.slab [-o OUT.csv] [--encoding utf-8|cp932]\n"
    "                      Writes every slab as one row of CSV (RFC 4180, rows\n"
    "                      ending in CR LF) on standard output or into OUT.csv:\n"
    "                      UTF-8 with a byte-order mark, or CP932.  A header row\n"
    "                      names the columns with their units (see below).\n"
    "\n"
    "`latex` and `pdf` name the slabs they leave out (those that cannot be designed)\n"
    "on standard error.  An output (-o) that is the input file itself, also through\n"
    "a link, is refused.\n"
    "\n"
    "FILE.slab must be a regular file.  INPUT.json may also be a pipe (for example\n"
    "/dev/stdin); it is read up to 1 GiB, and no single slab or other member may\n"
    "exceed 64 MiB.  Slabs are read, designed and written one at a time, so any\n"
    "number of them fits in memory, as long as \"settings\" and \"grades\" come\n"
    "before \"slabs\" (as `json` and `design` write them); otherwise the slab inputs\n"
    "are kept until the end of the input.  --compact writes the JSON of `json` and\n"
    "`design` without indentation, one slab per line.\n"
    "\n"
    "INPUT.json is {\"settings\": {...}, \"grades\": [8 texts], \"slabs\": [{...}, ...]}.\n"
    "\"settings\" (optional) uses the field names SnowDepth, SnowUnitWeight, SnowCoef,\n"
    "PitchMax, PitchMin, PitchStep and LoadUnitFactor (1 = N/m², 1000 = kN/m²).\n"
    "\"grades\" (optional) are the steel grades of D10, D13, D16, D19, D22, D25, D29\n"
    "and D32: \"SD295\", \"SD345\" or \"SD390\".  Each slab uses the field names of the\n"
    "slab record (Name, Bind, LoadShape, LoadTime, Fc, T, Lx, Ly, Cov, Gamma, Own, FL,\n"
    "LL [3], TL [3], P [3], IncreaseS, IncreaseD, TLDirect, DeltCheck, OwnDirect,\n"
    "FLAdd, Bar [dir][pos][n], Pitch [dir][pos], CompMode [2], BarOutside,\n"
    "DeflectionOnly, LoadUnit, Concrete); missing fields take the defaults of a new\n"
    "slab.\n"
    "\n"
    "Each output slab carries \"Status\": 0 designed, 1 inputs incomplete or not\n"
    "designable, 2 Lx > Ly, 3 span ratio above the limit of the edge condition;\n"
    "the reason for each slab not designed is also given on standard error.\n"
    "Numbers beyond what a data file holds (1e9 in absolute value, pitches of more\n"
    "than 9999999 mm), and bars of a grade the bar table does not know (in a data\n"
    "file), are not designed.\n"
    "\"layout\" (optional) holds the print settings of the data file: FirstPageNo,\n"
    "Title (each line followed by CR LF), TitleFont, BodyFont, HeaderFont as\n"
    "{\"Name\", \"Size\", \"Style\"} (\"\", \"Bold\", \"Italic\", \"Bold & Italic\"), LeftMargin,\n"
    "TopMargin, BottomMargin, HeaderSideMargin, HeaderTopMargin, ParagraphSpace,\n"
    "Indent (mm), ChangeEvenSideMargin, ChangeEvenHeaderPos, IsTitlePrint,\n"
    "IsSummaryPrint (the summary table before the sheets).\n"
    "\n"
    "Columns of `csv`, in order: No., 名称, 周辺拘束条件, 荷重分布, 荷重ケース,\n"
    "Lx (m), Ly (m; two-way slabs), λ, t (cm), かぶり厚 (cm), コンクリート,\n"
    "Fc (N/mm2), γ (kN/m3), 応力割増, たわみ割増, たわみの検討, t/Lx による判定,\n"
    "固有振動数に仕上重量を考慮, 長辺方向の鉄筋を外側に配筋 (あり/なし); the loads\n"
    "in the file's unit (N/m2 whole numbers, kN/m2 two decimals): 自重, 仕上重量,\n"
    "then 積載荷重, 積雪荷重, 合計 and P (等変・集中荷重) of the main case, of the\n"
    "snow case (積雪時) and of the deflection case (たわみ用), Wp たわみ用付加荷重;\n"
    "for the positions 短辺端部, 短辺中央, 長辺端部, 長辺中央 (main and\n"
    "distribution bars for one-way slabs and the cantilever): at (cm2/m),\n"
    "dt (cm), M (kN･m/m) and M/Ma of the main and of the snow case, Q (kN/m) and\n"
    "Q/Qa of the short and long side, 上端筋, 下端筋; 鉄筋材種, δ (mm), Lx/δ,\n"
    "Lx/16δ, たわみ判定, 必要スラブ厚 (cm), fv (Hz), fv 注記, 最大M検定比 and\n"
    "最大Q検定比 with their places, 判定 (OK, NG or 未計算), 理由 (the reasons of\n"
    "NG, or why the slab is not designed), 鉄筋全断面積 0.2% 未満の箇所.  Results\n"
    "are two decimals (t, かぶり厚, 必要スラブ厚, fv one) as on the calculation\n"
    "sheet; a value the sheet does not state (a case without loads, no\n"
    "deflection check) and every result of a slab not designed is empty.\n"
    "\n"
    "Bad input, unreadable files and failed writes (also to standard output) are\n"
    "reported on standard error with exit status 2; the JSON output of `design`\n"
    "then ends where the input went wrong.";

// Runs a command that writes to standard output; a failed write (a full
// disk, /dev/full) fails the command, whatever it returned.
template <typename Command>
int WithOutput(Command command)
{
    korvexa::cli::OutputStream out(STDOUT_FILENO);
    int status = command(out.stream());
    if (std::string error; !out.Finish(error)) {
        std::cerr << "korvexa-cli: 標準出力に書き込めません: " << (error.empty() ? "書き込みに失敗しました" : error) << "\n";
        status = kExitBadInput;
    }
    return status;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (korvexa::cli::IsPdfCommand(argc, argv))
        return korvexa::cli::PdfMain(argc, argv);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(Q("korvexa-cli"));
    QCoreApplication::setApplicationVersion(Q(KORVEXA_VERSION_TEXT));

    QCommandLineParser parser;
    parser.setApplicationDescription(Q(kDescription));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(Q("command"), Q("design, show, json, slab, latex, pdf or csv"));
    parser.addPositionalArgument(Q("file"), Q("input file"));
    const QCommandLineOption output({Q("o"), Q("output")}, Q("The file that `slab`, `latex` or `csv` writes."), Q("FILE"));
    const QCommandLineOption header(Q("header"), Q("`latex`: the header lines of the report."), Q("HEADER.txt"));
    const QCommandLineOption designedOnly(Q("designed-only"),
                                          Q("`slab`: write the slabs that can be designed and leave out the others."));
    const QCommandLineOption compact(Q("compact"), Q("`json`, `design`: JSON without indentation, one slab per line."));
    const QCommandLineOption encoding(Q("encoding"), Q("`csv`: utf-8 (the default, with a byte-order mark) or cp932."),
                                      Q("ENCODING"));
    parser.addOptions({output, header, designedOnly, compact, encoding});
    parser.process(app);

    namespace cli = korvexa::cli;
    const QStringList args = parser.positionalArguments();
    const QString command = args.value(0);
    const cli::JsonStyle style = parser.isSet(compact) ? cli::JsonStyle::Compact : cli::JsonStyle::Indented;
    // Each option belongs to its commands; any other use is a usage error.
    const bool writes = parser.isSet(output);
    const bool slabOnly = parser.isSet(designedOnly), latexOnly = parser.isSet(header), jsonOnly = parser.isSet(compact);
    const bool csvOnly = parser.isSet(encoding);
    if (writes && parser.value(output).isEmpty()) {
        std::cerr << "korvexa-cli: -o の後に書き込むファイルの名前がありません\n";
        return kExitBadInput;
    }
    if (args.size() == 2 && command == Q("csv") && !slabOnly && !latexOnly && !jsonOnly) {
        korvexa::datafile::CsvEncoding csvEncoding = korvexa::datafile::CsvEncoding::Utf8;
        if (csvOnly && !cli::ParseCsvEncoding(parser.value(encoding).toStdString(), csvEncoding)) {
            std::cerr << "korvexa-cli: --encoding は utf-8 か cp932 です\n";
            return kExitBadInput;
        }
        const std::string file = args[1].toStdString();
        if (writes)
            return cli::CsvFileCommand(file, parser.value(output).toStdString(), csvEncoding, std::cerr);
        return WithOutput([&](std::ostream& out) { return cli::CsvCommand(file, out, csvEncoding, std::cerr); });
    }
    if (args.size() == 2 && !writes && !slabOnly && !latexOnly && !csvOnly) {
        const std::string file = args[1].toStdString();
        if (command == Q("design"))
            return WithOutput([&](std::ostream& out) { return cli::DesignCommand(file, out, std::cerr, style); });
        if (command == Q("show"))
            return WithOutput([&](std::ostream& out) { return cli::ShowCommand(file, out, std::cerr); });
        if (command == Q("json"))
            return WithOutput([&](std::ostream& out) { return cli::JsonCommand(file, out, std::cerr, style); });
    }
    if (args.size() == 2 && command == Q("slab") && writes && !latexOnly && !jsonOnly && !csvOnly)
        return cli::SlabCommand(args[1].toStdString(), parser.value(output).toStdString(), slabOnly, std::cerr);
    if (args.size() == 2 && command == Q("latex") && writes && !slabOnly && !jsonOnly && !csvOnly)
        return cli::LatexCommand(args[1].toStdString(), parser.value(output).toStdString(),
                                 parser.value(header).toStdString(), std::cerr);
    std::cerr << "korvexa-cli: usage: korvexa-cli design INPUT.json | show FILE.slab | json FILE.slab |\n"
                 "                    slab INPUT.json -o FILE.slab |\n"
                 "                    latex FILE.slab -o OUT.tex [--header HEADER.txt] |\n"
                 "                    pdf FILE.slab -o OUT.pdf [--select 1,3,5] [--summary] |\n"
                 "                    csv FILE.slab [-o OUT.csv] [--encoding utf-8|cp932] (see --help)\n";
    return kExitBadInput;
}
