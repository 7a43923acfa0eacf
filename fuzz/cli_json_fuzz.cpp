// libFuzzer target: any bytes given to korvexa-cli as the JSON of `design`
// or `slab` are either refused with a message, or read into slabs whose
// design output reads back and designs to itself, whose calculated pitches
// design when entered, and whose designed slabs (what `slab` writes) a
// data file holds and gives back unchanged.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "cli/DataSetJson.h"
#include "cli/DesignCommand.h"
#include "cli/SlabJson.h"
#include "datafile/DataFile.h"
#include "datafile/TextCodec.h"
#include "engine/Ukorvexa.h"

using namespace korvexa;
using korvexa::fuzz::Broken;

namespace {

// The output of `design` for a text, or nothing when the text is refused.
std::optional<std::string> Design(std::string_view text)
{
    std::ostringstream out, err;
    try {
        cli::DesignJson(cli::MemorySource(text.data(), text.size()), out, err, cli::JsonStyle::Compact);
    } catch (const cli::JsonInputError& e) {
        if (std::string_view(e.what()).empty())
            Broken("a refusal without a message");
        return std::nullopt;
    }
    return out.str();
}

// A layout as the file holds its texts: the file keeps WAVE DASH as the
// full-width tilde, one CP932 character, so either comes back as that.
datafile::PrintLayout AsStored(datafile::PrintLayout layout)
{
    const auto stored = [](std::string& text) { text = datafile::Utf8ToCp932(text).text; };
    stored(layout.Title);
    for (datafile::FontSetting* font : {&layout.TitleFont, &layout.BodyFont, &layout.HeaderFont}) {
        stored(font->Name);
        stored(font->Style);
    }
    return layout;
}

// What `slab` writes: the designed slabs, the settings, grades and layout.
void CheckDataFile(const datafile::DataSet& read)
{
    datafile::DataSet designed = read;
    std::erase_if(designed.slabs, [](const SlabData& s) { return !s.Calculated; });
    if (designed.slabs.empty())
        return;  // `slab` writes no file then
    // "読込み" on each: the calculated pitches, entered, design too.
    BarData bars;
    bars.SetGrades(designed.grades);
    for (SlabData s : designed.slabs) {
        TakeCalculatedPitches(s);
        if (DesignSlab(s, designed.settings, bars) != DesignOk)
            Broken("the pitches calculated, once entered, stop the slab", s.Name);
    }
    std::vector<std::string> warnings;
    const std::string bytes = datafile::EncodeDataFile(designed, &warnings);
    const datafile::ReadResult back = datafile::DecodeDataFile(bytes);
    if (!back.ok())
        Broken("designed slabs make a data file that does not open", back.error.detail);
    if (!(back.data->settings == designed.settings) || back.data->grades != designed.grades)
        Broken("the data file gives back other settings or grades");
    if (back.data->slabs.size() != designed.slabs.size())
        Broken("the data file gives back another number of slabs");
    for (std::size_t i = 0; i < designed.slabs.size(); ++i) {
        SlabInputData a = designed.slabs[i], b = back.data->slabs[i];
        a.Name = b.Name;  // cut to 50 bytes or changed to CP932, with a warning
        if (!datafile::SameInputs(a, b))
            Broken("the data file gives back other inputs", designed.slabs[i].Name);
    }
    if (warnings.empty() && !(AsStored(back.data->layout) == AsStored(designed.layout)))
        Broken("the data file gives back another print layout");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> output = Design(input);
    if (!output)
        return 0;

    // `design` writes what it reads back, and designing that again gives
    // the same output.
    const std::optional<std::string> again = Design(*output);
    if (!again)
        Broken("the output of design is refused as input", *output);
    if (*again != *output)
        Broken("the output of design designs to another output", *output + "\n" + *again);

    CheckDataFile(cli::DataSetFromJson(QByteArray(input.data(), static_cast<qsizetype>(input.size()))));
    return 0;
}
