#include "app/AnalyserWindow.h"

#include "app/DialogUnits.h"
#include "app/FrontPanelKeys.h"
#include "app/QtUserInterface.h"
#include "app/ResourcePicture.h"
#include "app/WindowPlacement.h"
#include "data/ProfileFile.h"
#include "data/ProgramSettings.h"
#include "data/WindowPosition.h"
#include "link/CCommsDlg.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include <cstdio>

namespace {

constexpr int kProgramIcon = 31234;
const QColor kGreen(0, 255, 0);
const QColor kRed(255, 0, 0);
const QColor kDarkRed(128, 0, 0);

void Fill(QPainter& painter, const FrontPanel::Rect& rect, const QColor& colour)
{
    painter.fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), colour);
}

}  // namespace

AnalyserWindow::AnalyserWindow(CCommsDlg& comms, UserInterface& ui, bool simulated, QWidget* parent)
    : QDialog(parent), m_comms(comms), m_ui(ui), m_picture(ResourcePicture(FrontPanel::kPictureResource))
{
    setWindowTitle(simulated ? QStringLiteral("TALVEK 7 Connection (simulated analyser)")
                             : QStringLiteral("TALVEK 7 Connection"));
    setWindowIcon(QIcon(ResourcePicture(kProgramIcon)));
    setFont(DialogUnits::TemplateFont());
    setFixedSize(DialogUnits::ToPixels(0, 0, 263, 181).size());
    setMouseTracking(true);

    m_memory = Field(35, 141, 19, 12, Qt::AlignCenter, "Selected memory");
    m_serial = Field(115, 141, 41, 12, Qt::AlignCenter, "Serial number");
    m_hover = Field(0, 161, 136, 12, Qt::AlignLeft, "Key help");
    m_status = Field(141, 161, 120, 12, Qt::AlignLeft, "Comms status");
    m_refresh = new QPushButton(QStringLiteral("Refresh"), this);
    m_refresh->setGeometry(DialogUnits::ToPixels(197, 140, 50, 14));
    m_refresh->setDefault(true);
    m_refresh->setAutoDefault(true);
    // After Refresh in the tab order, so that the window opens with Return on Refresh.
    m_keys = new FrontPanelKeys(this);
    m_keys->onFocusKey = [this](QPoint point) {
        Hover(point);
        UpdateFields();
    };
    m_keys->onPress = [this](QPoint point) { PressAt(point, true); };
    auto* memoryLabel = new QLabel(QStringLiteral("Memory:"), this);
    memoryLabel->setGeometry(DialogUnits::ToPixels(4, 143, 28, 8));
    auto* serialLabel = new QLabel(QStringLiteral("Serial"), this);
    serialLabel->setGeometry(DialogUnits::ToPixels(95, 143, 18, 8));
    connect(m_refresh, &QPushButton::clicked, this, [this] { Refresh(); });
    m_timer.setInterval(kLightRepaintMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_bLightRepaint) {
            m_bLightRepaint = false;
            update();
        }
    });
}

AnalyserWindow::~AnalyserWindow() = default;

QLineEdit* AnalyserWindow::Field(int left, int top, int width, int height, Qt::Alignment alignment,
                                 const char* name)
{
    auto* field = new QLineEdit(this);
    field->setAccessibleName(QLatin1String(name));
    field->setReadOnly(true);
    field->setAlignment(alignment);
    field->setFocusPolicy(Qt::NoFocus);
    field->setGeometry(DialogUnits::ToPixels(left, top, width, height));
    return field;
}

void AnalyserWindow::ApplyTooltips()
{
    const bool shown = Settings().Tooltips != 0;
    const auto tip = [shown](QWidget* control, const char* text) {
        control->setToolTip(shown ? QLatin1String(text) : QString());
    };
    tip(m_hover, "TALVEK 7 Status ");
    tip(m_status, "TALVEK 7 Comms Status ");
    tip(m_memory, "Selected Memory Record ");
    tip(m_serial, "Serial Number ");
    tip(m_refresh, "Update View from TALVEK 7");
}

void AnalyserWindow::Open(QWidget* view)
{
    WaitCursor wait(m_ui);
    // The setting may have changed since the window was last open.
    ApplyTooltips();
    m_bWindowOpen = true;
    m_comms.ReadStatus();
    // Placed after the status read, whose pauses let the platform report
    // where the window was when it last closed.
    if (parentWidget() != nullptr)
        WindowPlacement::Restore(*this, Profile().GetInt(ProfileKeys::kSettings, ProfileKeys::kDlgTV7Pos, 0),
                                 *parentWidget(), view);
    m_timer.start();
    show();
    m_ui.RefreshAllViews();
    Repaint();
}

void AnalyserWindow::ShowStatus(const QString& text)
{
    m_status->setText(text);
}

void AnalyserWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(FrontPanel::kPictureLeft, FrontPanel::kPictureTop, m_picture);
    const CCommsDlg::PanelState& panel = m_comms.Panel();
    Fill(painter, FrontPanel::MemoryMark(panel.m_nPanelMemory), kGreen);
    for (const FrontPanel::Rect& lit : FrontPanel::RedIndicators(panel))
        Fill(painter, lit, kRed);
    const QColor dots = m_comms.IsShowingRecord() ? kRed : kDarkRed;
    for (const FrontPanel::Rect& dot : FrontPanel::DisplayDots(panel.m_nRange, m_comms.PanelRecord().data()))
        Fill(painter, dot, dots);
    UpdateFields();
}

void AnalyserWindow::UpdateFields()
{
    m_memory->setText(QString::asprintf("%2d", m_comms.Panel().m_nPanelMemory));
    m_serial->setText(QString::fromLatin1(m_comms.SerialText().c_str()));
    m_status->setText(QtUserInterface::ScreenText(m_comms.CommsStatus()));
    m_refresh->setEnabled(!m_comms.IsShowingRecord());
    const QPoint focused = m_keys->FocusedPoint();
    m_keys->Describe(
        QString::fromLatin1(FrontPanel::HoverAt(m_comms.Panel(), focused.x(), focused.y()).text.c_str()),
        QString::fromLatin1(FrontPanel::StateText(m_comms.Panel()).c_str()));
}

void AnalyserWindow::Repaint()
{
    m_bLightRepaint = false;
    UpdateFields();
    update();
}

void AnalyserWindow::Hover(const QPoint& point)
{
    const FrontPanel::Hover hover = FrontPanel::HoverAt(m_comms.Panel(), point.x(), point.y());
    m_hover->setText(QString::fromLatin1(hover.text.c_str()));
    m_nHoverCommand = hover.command;
    setCursor(hover.command != 0 ? Qt::CrossCursor : Qt::ArrowCursor);
    m_bLightRepaint = true;
}

void AnalyserWindow::mouseMoveEvent(QMouseEvent* event)
{
    Hover(event->position().toPoint());
    QDialog::mouseMoveEvent(event);
}

void AnalyserWindow::mousePressEvent(QMouseEvent* event)
{
    PressAt(event->position().toPoint(), event->button() == Qt::LeftButton);
    QDialog::mousePressEvent(event);
}

void AnalyserWindow::PressAt(const QPoint& point, bool pressed)
{
    // The key under the click, even when no movement told of it.
    Hover(point);
    if (pressed && m_nHoverCommand != 0) {
        if (const std::optional<std::uint8_t> byte = FrontPanel::Click(m_comms.Panel(), m_nHoverCommand)) {
            char text[32];
            std::snprintf(text, sizeof text, "Xmit Cmd: %2X", *byte);
            m_comms.SetCommsStatus(text);
            repaint();
            if (m_comms.SendCommand(*byte, true) == 0)
                m_comms.SetCommsStatus("OK");
            m_comms.SetShowingRecord(false);
            m_ui.Beep();
        }
    }
    Repaint();
    Hover(point);
}

void AnalyserWindow::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}

void AnalyserWindow::Refresh()
{
    m_comms.RefreshPanelRecord();
    Repaint();
}

void AnalyserWindow::StorePosition()
{
    if (WindowPlacement::PositionsWork())
        Profile().WriteInt(ProfileKeys::kSettings, ProfileKeys::kDlgTV7Pos, PackWindowPosition(x(), y()));
}

void AnalyserWindow::closeEvent(QCloseEvent* event)
{
    // An exchange in progress ends first (its progress window offers Cancel).
    if (m_comms.IsExchangeRunning()) {
        event->ignore();
        return;
    }
    if (m_bWindowOpen) {
        if (isVisible())
            StorePosition();
        m_timer.stop();
        m_comms.Disconnect();
        m_comms.SetAnalyserAnswered(false);
        m_bWindowOpen = false;
        m_ui.RefreshAllViews();
    }
    event->accept();
    if (onClosed)
        onClosed();
}

void AnalyserWindow::reject()
{
    close();
}
