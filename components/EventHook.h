// A handler for the events of one object, seen before the object itself
// sees them: for the few controls whose keys or focus a window watches,
// so that the rule sits in the file of the panel that owns the control.
#pragma once

#include <QObject>
#include <functional>

class QEvent;

namespace korvexa {

// Calls handler(event) for every event sent to target; handler returns
// true to consume the event.  The hook lives as long as the target.
void HookEvents(QObject* target, std::function<bool(QEvent*)> handler);

}  // namespace korvexa
