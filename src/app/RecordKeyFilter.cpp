#include "app/RecordKeyFilter.h"

#include <QKeyEvent>

RecordKeyFilter::RecordKeyFilter(QList<QKeySequence> keys, QObject* parent)
    : QObject(parent), m_keys(std::move(keys))
{}

bool RecordKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_keys.contains(QKeySequence(key->keyCombination()))) {
            // Not claimed by the control, so the main window's accelerator takes it.
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
