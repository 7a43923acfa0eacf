// The program's own small pictures: the tool bar images (16 × 16), drawn
// rather than loaded so that they look the same on every desktop, and the
// program icon, rendered from its SVG.
#pragma once

#include <QIcon>
#include <QImage>

namespace korvexa::app {

enum class ToolIcon { NewData, Open, Save, Print, Preview, First, Previous, Next, Last, Copy, Undo, Redo };

QIcon MakeToolIcon(ToolIcon which);
QIcon ProgramIcon();
// One size of the program icon; needs no application object.
QImage RenderProgramIcon(int size);

}  // namespace korvexa::app
