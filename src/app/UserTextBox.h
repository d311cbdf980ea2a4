#pragma once

#include <QTextEdit>

#include <functional>

// The box for a record's four lines of 40 characters, in a fixed-pitch font
// sized so that 40 columns fit.
class UserTextBox : public QTextEdit {
    Q_OBJECT

public:
    static constexpr int kColumns = 40;
    static constexpr int kLines = 4;

    explicit UserTextBox(QWidget* parent);

    // Shows text without reporting it as the user's change.
    void ShowText(const QString& text);
    // The line (0-based, counting wrapped lines) that holds the caret.
    int CaretLine() const;

    // The user changed the text.
    std::function<void()> onEdited;
    // The box lost the focus.
    std::function<void()> onFocusLost;

protected:
    // Files dragged onto the box are left to the main window, which opens
    // them; their names never become the comment.
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitFont();

    bool m_bShowing = false;
};
