// Draws the result sheet of a 4 m × 5 m slab over the panel colour and
// saves it as a PNG.  By default the edges are fixed and the load case is
// long-term plus snow; the edge condition and load case can be given (the
// one-way conditions and the cantilever take Lx = 4 m alone).
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

#include "engine/Ukorvexa.h"
#include "print/BackColour.h"
#include "print/ResultSheet.h"

using namespace korvexa;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: print_sheet_render out.png [width [bind [loadTime]]]\n");
        return 2;
    }
    QFont::insertSubstitution(QString::fromUtf8("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QGuiApplication app(argc, argv);
    const int width = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 520;

    SlabData slab;
    slab.Name = "S1";
    slab.Bind = argc > 3 ? QString::fromLocal8Bit(argv[3]).toInt() : int(BindFixedExact);
    slab.LoadTime = argc > 4 ? QString::fromLocal8Bit(argv[4]).toInt() : int(LoadLongTermSnow);
    slab.Lx = slab.Bind == BindCantilever ? 1.5 : 4;
    slab.Ly = IsTwoWay(slab.Bind) ? 5 : 0;
    slab.T = 15;
    slab.FL = 800;
    slab.LL = {1800, 1300, 600};

    const QFont font = SheetFont(SheetFontSize(96));
    QImage sheet = NewSheetImage(width, 300);
    DrawResultFrame(sheet, font, slab.Bind, slab.LoadTime);
    const int status = DrawResultValues(sheet, font, slab, CommonSettings{}, BarData{});
    if (status != 0)
        std::fprintf(stderr, "design status %d\n", status);

    QImage panel(sheet.size(), QImage::Format_RGB32);
    panel.fill(DesignedBackColour());
    QPainter(&panel).drawImage(0, 0, sheet);
    return panel.save(QString::fromLocal8Bit(argv[1])) ? status : 1;
}
