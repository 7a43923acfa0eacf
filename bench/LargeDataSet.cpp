#include "LargeDataSet.h"

#include <random>

#include "datafile/DataFile.h"

namespace korvexa::datafile {

DataSet LargeDataSet(int count)
{
    std::mt19937 random(4);
    std::uniform_int_distribution<int> span(15, 60), ratio(10, 19), load(6, 50);
    DataSet d;
    d.settings.LoadUnitFactor = 1000;
    while (static_cast<int>(d.slabs.size()) < count) {
        const int i = static_cast<int>(d.slabs.size());
        SlabData s;
        s.Name = "S" + std::to_string(i + 1) + " 事務室";
        s.Bind = i % BindTypeCount;
        s.LoadShape = (i / BindTypeCount) % LoadShapeCount(s.Bind);
        s.LoadTime = (i / 7) % LoadTimeCount;
        s.Lx = s.Bind == BindCantilever ? 1.2 : span(random) / 10.0;
        s.Ly = s.Bind >= BindOneWayFixed ? 0 : s.Lx * ratio(random) / 10.0;
        s.T = 15 + (i % 4) * 2.5;
        s.FL = load(random) / 10.0;
        s.LL = {load(random) / 10.0, load(random) / 20.0, load(random) / 20.0};
        s.P = {load(random) / 10.0, load(random) / 10.0, load(random) / 10.0};
        s.LoadUnit = 1000;
        d.slabs.push_back(s);
        DataSet one;
        one.settings = d.settings;
        one.slabs = {s};
        DesignDataSet(one);
        if (one.slabs[0].Calculated)
            d.slabs.back() = one.slabs[0];
        else
            d.slabs.pop_back();
    }
    return d;
}

}  // namespace korvexa::datafile
