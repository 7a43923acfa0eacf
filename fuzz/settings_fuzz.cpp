// libFuzzer target: any bytes as the settings file "#Korvexa#.ini".  Every
// reader of the program's keys takes what it can use and leaves the rest:
// the design defaults put in force let an ordinary slab design (also with
// its calculated pitches taken as entered ones), and they
// and the print defaults go into a data file and come back unchanged (a
// setting that a data file refuses could never be saved).  Writing a key
// into any such file changes that key alone.
#include <QString>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "app/DesignDefaults.h"
#include "datafile/DataFile.h"
#include "datafile/ProfileFile.h"
#include "engine/Ukorvexa.h"
#include "print/BackColour.h"
#include "print/PrintDefaults.h"

using namespace korvexa;
using korvexa::fuzz::Broken;

namespace {

// Everything the program reads from the file at start-up.
struct Read {
    app::DesignDefaults design;
    datafile::PrintLayout print;
    std::string backColour, compiler, viewer;
    int mode = 0;
    bool operator==(const Read&) const = default;
};

Read ReadAll(const datafile::ProfileFile& file)
{
    Read r;
    r.design = app::ReadDesignDefaults(file, CommonSettings{}, BarData{});
    r.print = print::ReadPrintDefaults(file);
    r.backColour = file.ReadString("Color", "BackColor", "");
    BackColourFromText(QString::fromStdString(r.backColour));
    r.compiler = file.ReadString("LaTeX2e", "Compiler", "");
    r.viewer = file.ReadString("LaTeX2e", "Viewer", "");
    r.mode = file.ReadInteger("LaTeX2e", "Mode", 1);
    return r;
}

void CheckDefaults(const Read& r)
{
    CommonSettings settings;
    BarData bars;
    app::ApplyDefaults(r.design, settings, bars);
    if (app::CheckPitchSettings(settings.PitchMin, settings.PitchMax, settings.PitchStep))
        Broken("the pitch defaults read make the design meaningless");

    SlabData slab;
    slab.Name = "S1";
    slab.Bind = BindFixedExact;
    slab.Lx = 3.6;
    slab.Ly = 5.4;
    slab.FL = 800;
    slab.LL = {1800, 1300, 600};
    if (DesignSlab(slab, settings, bars) != DesignOk)
        Broken("the design defaults read stop an ordinary slab");
    // "読込み": the calculated pitches become the entered ones.
    TakeCalculatedPitches(slab);
    if (DesignSlab(slab, settings, bars) != DesignOk)
        Broken("the pitches calculated with the defaults read, once entered, stop the slab");

    datafile::DataSet data;
    data.settings = settings;
    data.grades = bars.Grades();
    data.slabs = {slab};
    data.layout = r.print;
    std::vector<std::string> warnings;
    const datafile::ReadResult back = datafile::DecodeDataFile(datafile::EncodeDataFile(data, &warnings));
    if (!back.ok())
        Broken("the defaults read make a data file that does not open", back.error.detail);
    if (!(back.data->settings == settings) || back.data->grades != data.grades)
        Broken("a data file gives back other design settings");
    if (warnings.empty() && !(back.data->layout == data.layout))
        Broken("a data file gives back another print layout");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    datafile::ProfileFile file(fuzz::WriteFile("#Korvexa#.ini", bytes));
    const Read before = ReadAll(file);
    CheckDefaults(before);

    // The main window writes its colour at every exit, whatever the file
    // holds: that key changes, and nothing else.
    if (!file.WriteString("Color", "BackColor", "12345678"))
        Broken("a key could not be written", file.LastError());
    Read after = ReadAll(file);
    if (after.backColour != "12345678")
        Broken("the key written does not read back", after.backColour);
    after.backColour = before.backColour;
    if (!(after == before))
        Broken("writing one key changed another");
    return 0;
}
