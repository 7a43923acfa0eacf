// Writes the program icon as PNG files for the hicolor icon theme:
//   icon_png OUTDIR SIZE...   gives OUTDIR/<SIZE>x<SIZE>/apps/korvexa.png
#include <QDir>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "app/Icons.h"

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: icon_png OUTDIR SIZE...\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = out.filePath(folder + QStringLiteral("/korvexa.png"));
        if (size <= 0 || !out.mkpath(folder) || !korvexa::app::RenderProgramIcon(size).save(file)) {
            std::fprintf(stderr, "icon_png: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
