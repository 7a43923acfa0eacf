#include "cli/CsvCommand.h"

#include <algorithm>
#include <cctype>
#include <ostream>

#include "cli/DataFileCommands.h"
#include "cli/OutputGuard.h"
#include "datafile/SafeFile.h"
#include "engine/SlabVerdict.h"

namespace korvexa::cli {

namespace {

constexpr int kExitError = 2;

// Writes the rows of every slab; false when the output failed midway.
bool WriteRows(const datafile::DataFileContents& file, std::ostream& out, datafile::CsvEncoding encoding,
               std::ostream& err)
{
    const datafile::DataSet& header = file.header();
    BarData bars;
    bars.SetGrades(header.grades);
    datafile::SlabCsvWriter csv(out, encoding, header.settings, bars);
    csv.WriteHeader();
    for (std::size_t i = 0; i < file.slabCount() && out; ++i) {
        SlabData s = file.Slab(i);
        const int status = datafile::DesignInDataSet(s, header.settings, bars);
        PrintDesignFailure(err, s, status, i, header.settings, bars);
        csv.WriteSlab(i + 1, s, JudgeSlab(s, status, header.settings, bars));
    }
    if (csv.ReplacedRows() > 0)
        err << "korvexa-cli: 警告: CP932 にない文字を「?」に置き換えました（" << csv.ReplacedRows() << " 行）\n";
    return static_cast<bool>(out);
}

}  // namespace

bool ParseCsvEncoding(const std::string& name, datafile::CsvEncoding& encoding)
{
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (lower == "utf-8" || lower == "utf8") {
        encoding = datafile::CsvEncoding::Utf8;
        return true;
    }
    if (lower == "cp932" || lower == "sjis" || lower == "shift_jis") {
        encoding = datafile::CsvEncoding::Cp932;
        return true;
    }
    return false;
}

int CsvCommand(const std::string& path, std::ostream& out, datafile::CsvEncoding encoding, std::ostream& err)
{
    const std::optional<datafile::DataFileContents> file = OpenChecked(path, err);
    if (!file)
        return kExitError;
    WriteRows(*file, out, encoding, err);
    return 0;  // a failed write of standard output is the caller's to report
}

int CsvFileCommand(const std::string& path, const std::string& output, datafile::CsvEncoding encoding,
                   std::ostream& err)
{
    if (!CheckOutputIsNotInput(output, {path}, err))
        return kExitError;
    const std::optional<datafile::DataFileContents> file = OpenChecked(path, err);
    if (!file)
        return kExitError;
    std::string error;
    if (!datafile::ReplaceFileContents(
            output, [&](std::ostream& out) { return WriteRows(*file, out, encoding, err); }, error)) {
        err << "korvexa-cli: CSV ファイルを書き込めません\n" << output << "\n" << error << "\n";
        return kExitError;
    }
    return 0;
}

}  // namespace korvexa::cli
