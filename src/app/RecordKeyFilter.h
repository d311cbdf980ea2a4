#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>

// Leaves the frames' accelerators (Connect, copy, cut, paste, undo, redo,
// the record steps, ...) to the main window while a control of the view has
// the focus: in the view they act on records and the program, never on a
// control's own text. Installed as an event filter on each such control.
class RecordKeyFilter : public QObject {
    Q_OBJECT

public:
    RecordKeyFilter(QList<QKeySequence> keys, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QKeySequence> m_keys;
};
