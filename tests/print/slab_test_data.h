// Slabs for the print tests: designed, each printing a block of 15 lines
// (long-term loads with the deflection check).
#pragma once

#include <QString>

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

}  // namespace korvexa
