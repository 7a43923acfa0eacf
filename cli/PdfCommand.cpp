#include "cli/PdfCommand.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <algorithm>
#include <charconv>
#include <cstring>
#include <iostream>

#include "cli/OutputGuard.h"
#include "datafile/DataFile.h"
#include "print/LayoutCheck.h"
#include "print/Pagination.h"
#include "print/PrintDefaults.h"
#include "print/PrintFonts.h"
#include "print/PrintPages.h"
#include "print/PrinterInfomation.h"
#include "printer/QtPrinterDevice.h"

namespace korvexa::cli {

namespace {

constexpr int kExitError = 2;

QString Q(const char* text) { return QString::fromUtf8(text); }

print::PageTitle TitleOf(const datafile::PrintLayout& layout)
{
    print::PageTitle title;
    for (const std::string& line : print::TitleLines(layout.Title))
        title.Lines << QString::fromStdString(line);
    title.IsTitlePrint = layout.IsTitlePrint;
    title.FirstPageNo = layout.FirstPageNo;
    return title;
}

// The slabs to print; false after a message when a number names no designed slab.
bool PrintList(const print::PrintSource& source, std::vector<int> selection, std::vector<int>& list,
               std::ostream& err)
{
    if (selection.empty()) {
        list = print::CalculatedSlabs(source);
        return true;
    }
    std::sort(selection.begin(), selection.end());
    selection.erase(std::unique(selection.begin(), selection.end()), selection.end());
    list = print::DesignedAmong(source, selection);
    if (list.size() == selection.size())
        return true;
    for (int number : selection)
        if (std::find(list.begin(), list.end(), number) == list.end())
            err << "korvexa-cli: --select: スラブ " << number
                << (number > source.SlabCount() ? " はありません" : " は計算されていません") << "（スラブは "
                << source.SlabCount() << " 枚）\n";
    return false;
}

}  // namespace

bool IsPdfCommand(int argc, char** argv) { return argc > 1 && std::strcmp(argv[1], "pdf") == 0; }

bool ParseSelection(const std::string& text, std::vector<int>& numbers)
{
    numbers.clear();
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        int number = 0;
        const auto [next, error] = std::from_chars(p, end, number);
        if (error != std::errc() || number < 1 || (next != end && *next != ','))
            return false;
        numbers.push_back(number);
        p = next == end ? end : next + 1;
        if (next != end && p == end)
            return false;  // a trailing comma
    }
    return !numbers.empty();
}

int PdfCommand(const std::string& path, const std::string& output, const std::vector<int>& selection,
               bool summary, std::ostream& err)
{
    if (!CheckOutputIsNotInput(output, {path}, err))
        return kExitError;
    const datafile::ReadResult read = datafile::ReadDataFile(path);
    if (!read.ok()) {
        err << "korvexa-cli: " << read.error.message << "\n" << path << "\n" << read.error.detail << "\n";
        return kExitError;
    }
    for (const std::string& warning : read.warnings)
        err << "korvexa-cli: 警告: " << warning << "\n";
    const datafile::DataSet& data = *read.data;
    const print::DataSetSource source(data, QString::fromStdString(path));
    std::vector<int> list;
    if (!PrintList(source, selection, list, err))
        return kExitError;
    if (list.empty()) {
        err << "korvexa-cli: 計算されたスラブがありません\n" << path << "\n";
        return kExitError;
    }
    if (selection.empty())
        if (const std::string note = datafile::LeftOutNote(data.slabs); !note.empty())
            err << "korvexa-cli: " << note << "\n";

    printer::QtPrinterDevice device(QString::fromStdString(output));
    print::PrinterInfomation info;
    print::ApplyLayoutSettings(info, data.layout);
    print::ReadPrinterInfo(info, device);
    print::ComputeLayout(info, device.GetCanvas());
    const print::PageContent content{source, TitleOf(data.layout), summary || data.layout.IsSummaryPrint};
    const print::Pagination pages = print::Paginate(std::move(list), content, info);
    const QStringList problems = print::LayoutProblems(info, content.Title, pages.PageCount, device.GetCanvas());
    if (!problems.isEmpty()) {
        err << "korvexa-cli: " << print::LayoutMessage(info, problems).toStdString() << "\n"
            << "PDF は書きません。\n" << path << "\n";
        return kExitError;
    }
    const QString error = print::PrintPlanned(device, info, content, pages, print::AllPages(pages.PageCount));
    if (!error.isEmpty()) {
        err << "korvexa-cli: " << error.toStdString() << "\n";
        return kExitError;
    }
    return 0;
}

int PdfMain(int argc, char** argv)
{
    // No display is needed to draw a PDF.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(Q("korvexa-cli"));
    print::SubstituteFonts();

    QCommandLineParser parser;
    parser.setApplicationDescription(Q("korvexa-cli pdf FILE.slab -o OUT.pdf [--select 1,3,5] [--summary]\n"
                                       "Writes the calculation sheets of the designed slabs of FILE.slab as a\n"
                                       "PDF (A4, the file's print layout), or of the slabs numbered in --select;\n"
                                       "with --summary (or the layout's 一覧表を印刷する) the summary table of\n"
                                       "the printed slabs comes first."));
    parser.addHelpOption();
    parser.addPositionalArgument(Q("pdf"), Q("the command"));
    parser.addPositionalArgument(Q("file"), Q("the data file"));
    const QCommandLineOption output({Q("o"), Q("output")}, Q("The PDF file written."), Q("OUT.pdf"));
    const QCommandLineOption select(Q("select"), Q("The slab numbers to print, for example 1,3,5."), Q("LIST"));
    const QCommandLineOption summary(Q("summary"), Q("The summary table of the printed slabs before their sheets."));
    parser.addOptions({output, select, summary});
    if (!parser.parse(QCoreApplication::arguments())) {
        std::cerr << "korvexa-cli: " << parser.errorText().toStdString() << "\n";
        return kExitError;
    }
    if (parser.isSet(Q("help")))
        parser.showHelp(0);

    const QStringList args = parser.positionalArguments();
    std::vector<int> selection;
    if (parser.isSet(select) && !ParseSelection(parser.value(select).toStdString(), selection)) {
        std::cerr << "korvexa-cli: --select にはスラブの番号をコンマで区切って書きます（例 1,3,5）\n";
        return kExitError;
    }
    if (args.size() != 2 || parser.value(output).isEmpty()) {
        std::cerr << "korvexa-cli: usage: korvexa-cli pdf FILE.slab -o OUT.pdf [--select 1,3,5] [--summary]\n";
        return kExitError;
    }
    return PdfCommand(args[1].toStdString(), parser.value(output).toStdString(), selection, parser.isSet(summary),
                      std::cerr);
}

}  // namespace korvexa::cli
