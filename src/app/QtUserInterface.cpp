#include "app/QtUserInterface.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

namespace {

QMessageBox::Icon BoxIcon(UserInterface::Icon icon)
{
    switch (icon) {
    case UserInterface::Icon::Exclamation:
        return QMessageBox::Warning;
    case UserInterface::Icon::Information:
        return QMessageBox::Information;
    case UserInterface::Icon::Stop:
        return QMessageBox::Critical;
    case UserInterface::Icon::Question:
        return QMessageBox::Question;
    case UserInterface::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ShowBox(const QString& text, UserInterface::Icon icon,
                                    QMessageBox::StandardButtons buttons)
{
    QMessageBox box(BoxIcon(icon), QtUserInterface::Title(), text, buttons, QApplication::activeWindow());
    // A message box is a question of the moment: the arrow, not the wait cursor.
    const bool waiting = QGuiApplication::overrideCursor() != nullptr;
    if (waiting)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    const auto answer = static_cast<QMessageBox::StandardButton>(box.exec());
    if (waiting)
        QGuiApplication::restoreOverrideCursor();
    return answer;
}

}  // namespace

QString QtUserInterface::ScreenText(const std::string& text)
{
    QString screen = QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
    screen.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return screen;
}

QString QtUserInterface::Title()
{
    return QStringLiteral("TV7W");
}

void QtUserInterface::Tell(const std::string& text, Icon icon)
{
    ShowBox(ScreenText(text), icon, QMessageBox::Ok);
}

QtUserInterface::Answer QtUserInterface::AskYesNoCancel(const QString& text)
{
    switch (ShowBox(text, Icon::Exclamation, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtUserInterface::AskYesNo(const std::string& text, Icon icon, Question)
{
    return ShowBox(ScreenText(text), icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtUserInterface::ShowProgress(const std::string& text)
{
    if (m_progressSink)
        m_progressSink(ScreenText(text));
}

void QtUserInterface::Repaint()
{
    if (m_repaintSink)
        m_repaintSink();
}

void QtUserInterface::RefreshAllViews()
{
    if (m_refreshSink)
        m_refreshSink();
}

void QtUserInterface::SetInputWindowShown(bool shown)
{
    m_inputWindowShown = shown;
    if (m_waitDepth > 0)
        QGuiApplication::changeOverrideCursor(shown ? Qt::ArrowCursor : Qt::WaitCursor);
}

void QtUserInterface::SetWaitCursor(bool on)
{
    if (on) {
        QGuiApplication::setOverrideCursor(m_inputWindowShown ? Qt::ArrowCursor : Qt::WaitCursor);
        ++m_waitDepth;
    } else if (m_waitDepth > 0) {
        QGuiApplication::restoreOverrideCursor();
        --m_waitDepth;
    }
}

bool QtUserInterface::SetClipboardText(const std::string& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr)
        return false;
    // Clipboard texts are the records' 8-bit characters.
    const QString value = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    clipboard->setText(value);
    return clipboard->text() == value;
}

void QtUserInterface::SetClipboardImage(const QImage& image)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setImage(image);
}

void QtUserInterface::SoundBeep()
{
    QApplication::beep();
}
