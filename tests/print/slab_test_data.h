// Slabs for the print tests: designed, each printing a block of 15 lines
// (long-term loads with the deflection check); the example data file; title
// lines.
#pragma once

#include <QString>
#include <QStringList>

#include "datafile/DataFile.h"
#include "datafile/DataSet.h"
#include "engine/SlabData.h"

namespace korvexa {

// A data set of `count` slabs named "S0001", "S0002", …
inline datafile::DataSet FifteenLineSlabs(int count)
{
    datafile::DataSet data;
    for (int i = 1; i <= count; ++i) {
        SlabData slab;
        slab.Name = QStringLiteral("S%1").arg(i, 4, 10, QLatin1Char('0')).toStdString();
        slab.TL = {7, 0, 6};
        slab.Delta = 0.5;
        slab.Calculated = true;
        data.slabs.push_back(slab);
    }
    return data;
}

// `count` title lines `line`.
inline QStringList Repeated(const char* line, int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString::fromUtf8(line);
    return lines;
}

#ifdef KORVEXA_SOURCE_DIR
// The example data file, its slabs designed; empty when it cannot be read.
inline datafile::DataSet SampleData()
{
    datafile::ReadResult read = datafile::ReadDataFile(KORVEXA_SOURCE_DIR "/examples/sample.slab");
    return read.ok() ? *read.data : datafile::DataSet{};
}
#endif

}  // namespace korvexa
