#include "printer/PrinterDevice.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QStandardPaths>

namespace korvexa::printer {

QString OrientationText(QPageLayout::Orientation orientation)
{
    return orientation == QPageLayout::Landscape ? QStringLiteral("ヨコ") : QStringLiteral("タテ");
}

QString DefaultPdfFileName(const QString& dataFileName)
{
    if (dataFileName.isEmpty()) {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        return QDir(documents.isEmpty() ? QDir::homePath() : documents).filePath(QStringLiteral("Korvexa.pdf"));
    }
    const QFileInfo data(dataFileName);
    return data.dir().filePath(data.completeBaseName() + QStringLiteral(".pdf"));
}

QString RunPrintJob(PrinterDevice& device, int pageCount, const std::function<void(QPainter&, int)>& drawPage)
{
    if (!device.BeginDoc(kJobName))
        return device.ErrorText();
    QPainter* painter = device.Painter();
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0 && !device.NewPage()) {
            const QString error = device.ErrorText();
            device.EndDoc();
            return error;
        }
        drawPage(*painter, page);
    }
    return device.EndDoc() ? QString() : device.ErrorText();
}

}  // namespace korvexa::printer
