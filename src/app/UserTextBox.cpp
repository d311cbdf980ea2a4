#include "app/UserTextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QMimeData>
#include <QTextBlock>
#include <QTextLayout>

namespace {

constexpr int kLargestFontPixels = 14;
constexpr int kSmallestFontPixels = 6;

}  // namespace

UserTextBox::UserTextBox(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    // Undo and redo act on the document's history, not on the box's text.
    setUndoRedoEnabled(false);
    setLineWrapMode(QTextEdit::FixedColumnWidth);
    setLineWrapColumnOrWidth(kColumns);
    setWordWrapMode(QTextOption::WrapAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
    document()->setDocumentMargin(2);
    connect(this, &QTextEdit::textChanged, this, [this] {
        if (!m_bShowing && onEdited)
            onEdited();
    });
}

void UserTextBox::ShowText(const QString& text)
{
    if (text == toPlainText())
        return;
    m_bShowing = true;
    setPlainText(text);
    m_bShowing = false;
}

int UserTextBox::CaretLine() const
{
    const QTextCursor cursor = textCursor();
    const QTextBlock caretBlock = cursor.block();
    int line = 0;
    for (QTextBlock block = document()->begin(); block.isValid() && block != caretBlock; block = block.next())
        line += std::max(1, block.layout()->lineCount());
    const QTextLine caretLine = caretBlock.layout()->lineForTextPosition(cursor.positionInBlock());
    return line + (caretLine.isValid() ? caretLine.lineNumber() : 0);
}

bool UserTextBox::canInsertFromMimeData(const QMimeData* source) const
{
    return !source->hasUrls() && QTextEdit::canInsertFromMimeData(source);
}

void UserTextBox::focusOutEvent(QFocusEvent* event)
{
    QTextEdit::focusOutEvent(event);
    if (onFocusLost)
        onFocusLost();
}

void UserTextBox::resizeEvent(QResizeEvent* event)
{
    QTextEdit::resizeEvent(event);
    FitFont();
}

// The largest fixed-pitch font with which 40 columns fit the box.
void UserTextBox::FitFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    const int room = viewport()->width() - 2 * static_cast<int>(document()->documentMargin()) - 2;
    for (int pixels = kLargestFontPixels; pixels >= kSmallestFontPixels; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).horizontalAdvance(QString(kColumns, QLatin1Char('M'))) <= room)
            break;
    }
    if (font != this->font())
        setFont(font);
}
