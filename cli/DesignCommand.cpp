#include "cli/DesignCommand.h"

#include <optional>
#include <sstream>

#include "cli/DataFileCommands.h"
#include "cli/DataSetJson.h"
#include "cli/SlabJson.h"
#include "engine/Ukorvexa.h"

namespace korvexa::cli {

void DesignJson(const JsonSource& source, std::ostream& out, std::ostream& err, JsonStyle style)
{
    JsonWriter w(out, style);
    std::optional<datafile::DataSet> header;
    bool begun = false;
    // The output begins with the first designed slab, so that input refused
    // before it leaves no output at all.
    const auto begin = [&] {
        if (!begun)
            BeginDataSet(w, *header, nullptr, false);
        begun = true;
    };
    ReadDataSetJson(
        source, [&](const datafile::DataSet& h) { header = h; },
        [&](SlabData& slab, int status, std::size_t index, const BarData& bars) {
            begin();
            PrintDesignFailure(err, slab, status, index, header->settings, bars);
            WriteDesignedSlab(w, slab, status, bars);
        });
    begin();
    EndDataSet(w);
}

QByteArray DesignJson(const QByteArray& input)
{
    std::ostringstream out, err;
    DesignJson(MemorySource(input.constData(), static_cast<std::size_t>(input.size())), out, err,
               JsonStyle::Indented);
    return QByteArray::fromStdString(out.str());
}

int DesignCommand(const std::string& path, std::ostream& out, std::ostream& err, JsonStyle style)
{
    datafile::InputFile file(path, datafile::InputKind::RegularFileOrPipe);
    if (!file.ok()) {
        PrintFileError(err, {std::string(datafile::kCannotOpenMessage), file.error()}, path);
        return 2;
    }
    try {
        DesignJson(FileSource(file), out, err, style);
        return 0;
    } catch (const JsonInputError& e) {
        err << "korvexa-cli: " << path << ": " << e.what() << "\n";
        return 2;
    }
}

}  // namespace korvexa::cli
