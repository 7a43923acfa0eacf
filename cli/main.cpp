// korvexa-cli: the command-line face of the design engine.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <iostream>

#include "cli/DataFileCommands.h"
#include "cli/DesignCommand.h"
#include "cli/SlabJson.h"

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
    "  slab INPUT.json -o FILE.slab\n"
    "                      Designs the slabs of INPUT.json (the JSON of `json`, or\n"
    "                      of `design` with an optional \"layout\") and writes the\n"
    "                      designed ones to a data file.\n"
    "  latex FILE.slab -o OUT.tex [--header HEADER.txt]\n"
    "                      Writes the LaTeX report of the designed slabs (for\n"
    "                      platex -kanji=sjis, Shift_JIS text) with the default\n"
    "                      header, or with the lines of HEADER.txt (Shift_JIS).\n"
    "\n"
    "INPUT.json is {\"settings\": {...}, \"grades\": [8 texts], \"slabs\": [{...}, ...]}.\n"
    "\"settings\" (optional) uses the field names SnowDepth, SnowUnitWeight, SnowCoef,\n"
    "PitchMax, PitchMin, PitchStep and LoadUnitFactor (1 = N/m², 1000 = kN/m²).\n"
    "\"grades\" (optional) are the steel grades of D10, D13, D16, D19, D22, D25, D29\n"
    "and D32, for example \"SD345\".  Each slab uses the field names of the slab record\n"
    "(Name, Bind, LoadShape, LoadTime, Fc, T, Lx, Ly, Cov, Gamma, Own, FL, LL [3],\n"
    "TL [3], P [3], IncreaseS, IncreaseD, TLDirect, DeltCheck, OwnDirect, FLAdd,\n"
    "Bar [dir][pos][n], Pitch [dir][pos], CompMode [2], BarOutside, DeflectionOnly,\n"
    "LoadUnit, Concrete); missing fields take the defaults of a new slab.\n"
    "\n"
    "Each output slab carries \"Status\": 0 designed, 1 inputs incomplete or not\n"
    "designable, 2 Lx > Ly, 3 span ratio above the limit of the edge condition.\n"
    "\"layout\" (optional) holds the print settings of the data file: FirstPageNo,\n"
    "Title (each line followed by CR LF), TitleFont, BodyFont, HeaderFont as\n"
    "{\"Name\", \"Size\", \"Style\"} (\"\", \"Bold\", \"Italic\", \"Bold & Italic\"), LeftMargin,\n"
    "TopMargin, BottomMargin, HeaderSideMargin, HeaderTopMargin, ParagraphSpace,\n"
    "Indent (mm), ChangeEvenSideMargin, ChangeEvenHeaderPos, IsTitlePrint.\n"
    "\n"
    "Bad input and unreadable files are reported on standard error with exit\n"
    "status 2.";

int Design(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::cerr << "korvexa-cli: cannot open " << path.toStdString() << ": " << file.errorString().toStdString()
                  << "\n";
        return kExitBadInput;
    }
    try {
        const QByteArray output = korvexa::cli::DesignJson(file.readAll());
        std::fwrite(output.constData(), 1, static_cast<std::size_t>(output.size()), stdout);
        return 0;
    } catch (const korvexa::cli::JsonInputError& e) {
        std::cerr << "korvexa-cli: " << path.toStdString() << ": " << e.what() << "\n";
        return kExitBadInput;
    }
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(Q("korvexa-cli"));
    QCoreApplication::setApplicationVersion(Q(KORVEXA_VERSION_TEXT));

    QCommandLineParser parser;
    parser.setApplicationDescription(Q(kDescription));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(Q("command"), Q("design, show, json, slab or latex"));
    parser.addPositionalArgument(Q("file"), Q("input file"));
    const QCommandLineOption output({Q("o"), Q("output")}, Q("The file that `slab` or `latex` writes."), Q("FILE"));
    parser.addOption(output);
    const QCommandLineOption header(Q("header"), Q("The header lines of the LaTeX report."), Q("HEADER.txt"));
    parser.addOption(header);
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    const QString command = args.value(0);
    if (args.size() == 2 && command == Q("latex") && parser.isSet(output))
        return korvexa::cli::LatexCommand(args[1].toStdString(), parser.value(output).toStdString(),
                                          parser.value(header).toStdString(), std::cerr);
    const bool otherOptions = parser.isSet(header);  // only `latex` takes a header
    if (args.size() == 2 && !parser.isSet(output) && !otherOptions) {
        const std::string file = args[1].toStdString();
        if (command == Q("design"))
            return Design(args[1]);
        if (command == Q("show"))
            return korvexa::cli::ShowCommand(file, std::cout, std::cerr);
        if (command == Q("json"))
            return korvexa::cli::JsonCommand(file, std::cout, std::cerr);
    }
    if (args.size() == 2 && command == Q("slab") && parser.isSet(output) && !otherOptions)
        return korvexa::cli::SlabCommand(args[1].toStdString(), parser.value(output).toStdString(), std::cerr);
    std::cerr << "korvexa-cli: usage: korvexa-cli design INPUT.json | show FILE.slab | json FILE.slab |\n"
                 "                    slab INPUT.json -o FILE.slab |\n"
                 "                    latex FILE.slab -o OUT.tex [--header HEADER.txt] (see --help)\n";
    return kExitBadInput;
}
