// The program's own small pictures: the tool bar images (16 × 16) and the
// program icon, drawn rather than loaded so that they look the same on
// every desktop.
#pragma once

#include <QIcon>

namespace korvexa::app {

enum class ToolIcon { NewData, Open, Save, Print, Preview, First, Previous, Next, Last };

QIcon MakeToolIcon(ToolIcon which);
QIcon ProgramIcon();

}  // namespace korvexa::app
