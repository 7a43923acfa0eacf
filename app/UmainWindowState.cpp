// What the main window keeps from one run to the next: its size and place
// on the screen, and the folder its file dialogs used last.
//
// The window opens as large as its controls need, but within the free
// area of its screen (the screen less the desktop's panels) and no taller
// than 90 % of it, which leaves room for the title bar: on a small screen,
// or at a large scale factor, the input panels scroll and the tool bar and
// the message bar stay in view.  The user may resize and move it; its
// size and place at exit are used at the next start.
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include "app/AppSettings.h"
#include "app/Umain.h"
#include "ui_Umain.h"

namespace {

// The share of the free screen height the window takes at most.
constexpr double kHeightShare = 0.9;

constexpr const char* kSection = "Main Window";
constexpr const char* kGeometryKey = "Geometry";
constexpr const char* kFolderKey = "LastFolder";

}  // namespace

void TMainForm::RestoreWindowState()
{
    folders_.SetLastFolder(korvexa::app::ReadSetting(iniFileName_, kSection, kFolderKey, QString()));
    // A long message is cut at the window's edge rather than widening it.
    ui->MessageBar->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    const QByteArray remembered =
        QByteArray::fromBase64(korvexa::app::ReadSetting(iniFileName_, kSection, kGeometryKey, QString()).toLatin1());
    if (!remembered.isEmpty() && restoreGeometry(remembered))
        return;

    const QRect area = screen() ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    QSize size = sizeHint();
    const int highest = static_cast<int>(area.height() * kHeightShare);
    if (size.height() > highest) {
        size.setHeight(highest);
        size.rwidth() += ui->InputScroll->verticalScrollBar()->sizeHint().width();  // beside the panels
    }
    size = size.boundedTo(area.size());
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, area));
}

void TMainForm::SaveWindowState()
{
    korvexa::app::WriteSetting(iniFileName_, kSection, kGeometryKey, QString::fromLatin1(saveGeometry().toBase64()));
    korvexa::app::WriteSetting(iniFileName_, kSection, kFolderKey, folders_.LastFolder());
}
