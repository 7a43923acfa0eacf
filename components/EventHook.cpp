#include "components/EventHook.h"

namespace korvexa {

namespace {

class EventHook : public QObject {
public:
    EventHook(QObject* target, std::function<bool(QEvent*)> handler) : QObject(target), handler_(std::move(handler))
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return watched == parent() && handler_(event);
    }

private:
    std::function<bool(QEvent*)> handler_;
};

}  // namespace

void HookEvents(QObject* target, std::function<bool(QEvent*)> handler) { new EventHook(target, std::move(handler)); }

}  // namespace korvexa
