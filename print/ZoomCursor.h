// The mouse cursor over the preview's page: a magnifying glass, drawn
// here so that it looks the same on every desktop.  Its hot spot is the
// centre of the lens.
#pragma once

class QCursor;

namespace korvexa::print {

QCursor ZoomCursor();

}  // namespace korvexa::print
