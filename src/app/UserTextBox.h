#pragma once

#include <QKeySequence>
#include <QList>
#include <QTextEdit>

#include <functional>

// The box for a record's four lines of 40 characters, in a fixed-pitch font
// sized so that 40 columns fit. The keys of the record commands (copy, cut,
// paste, undo, the record steps) are left to the main window's accelerators
// even while the box has the focus: they act on records, not on the text.
class UserTextBox : public QTextEdit {
    Q_OBJECT

public:
    static constexpr int kColumns = 40;
    static constexpr int kLines = 4;

    explicit UserTextBox(QWidget* parent);

    // The keys the box leaves to the main window.
    void SetRecordKeys(QList<QKeySequence> keys) { m_recordKeys = std::move(keys); }
    // Shows text without reporting it as the user's change.
    void ShowText(const QString& text);
    // The line (0-based, counting wrapped lines) that holds the caret.
    int CaretLine() const;

    // The user changed the text.
    std::function<void()> onEdited;
    // The box lost the focus.
    std::function<void()> onFocusLost;

protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitFont();

    QList<QKeySequence> m_recordKeys;
    bool m_bShowing = false;
};
