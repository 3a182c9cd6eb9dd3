#include "MainStatusBar.h"

#include "CurrentFilePanel.h"
#include "files/LaunchFileNames.h"
#include "platform/Clock.h"
#include "platform/ClockTimer.h"
#include "platform/DateTimeServices.h"
#include "platform/widgets/KeyboardIndicators.h"
#include "platform/widgets/Metrics.h"
#include "platform/widgets/WatchedLabel.h"

#include <QEvent>

#include <chrono>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using Metrics::px;

namespace {
constexpr int Padding = 12; // the sunken frame and a little air on each side of a panel's text
} // namespace

MainStatusBar::MainStatusBar(Clock& clock, std::unique_ptr<KeyboardIndicators> indicators, QWidget* parent)
    : QStatusBar(parent), m_clock(clock), m_indicators(std::move(indicators)),
      m_tmrCurrentDateTime(new ClockTimer(clock, u"tmrCurrentDateTime"_s, this))
{
    setObjectName(u"sbrStatusBar"_s);
    setSizeGripEnabled(false);
    const QFont font = Metrics::uiFont(8.25);
    setFont(font);
    const QFontMetrics metrics(font);
    m_pnlNumberLock = addPanel(new WatchedLabel(), u"pnlNumberLock"_s, u"Number Lock Status"_s, 0);
    m_pnlNumberLock->setAlignment(Qt::AlignCenter);
    m_pnlNumberLock->setFixedWidth(metrics.horizontalAdvance(u"NUM"_s) + 2 * Padding);
    m_pnlCurrentDate = addPanel(new WatchedLabel(), u"pnlCurrentDate"_s, u"Current Date & Time"_s, 0);
    m_pnlCurrentDate->setIndent(Padding / 2);
    int widestDate = 0;
    for (const QString& month : {u"Jan"_s, u"Feb"_s, u"Mar"_s, u"Apr"_s, u"May"_s, u"Jun"_s, u"Jul"_s, u"Aug"_s,
                                 u"Sep"_s, u"Oct"_s, u"Nov"_s, u"Dec"_s})
        widestDate = std::max(widestDate, metrics.horizontalAdvance(month + u" 28, 2026  12:58:58 PM"_s));
    m_pnlCurrentDate->setFixedWidth(widestDate + 2 * Padding);
    m_pnlCurrentFile =
        addPanel(new CurrentFilePanel(), u"pnlCurrentFile"_s, u"Current File.  Click here to open a new file."_s, 1);
    // Tall enough for the file picture, at least the layout's 315 twips.
    setFixedHeight(std::max(px(315), m_pnlCurrentFile->minimumSizeHint().height() + 4));

    connect(m_tmrCurrentDateTime, &ClockTimer::timeout, this, &MainStatusBar::tmrCurrentDateTime_Timer);
    // The lock can change in another program, where no key event reaches us; a look each second is cheap.
    m_poll.setInterval(1s);
    connect(&m_poll, &QTimer::timeout, this, &MainStatusBar::refreshNumberLock);
    for (WatchedLabel* panel : {m_pnlNumberLock, m_pnlCurrentDate, m_pnlCurrentFile})
        connect(panel, &WatchedLabel::doubleClicked, this, [this, panel] { sbrStatusBar_PanelDblClick(panel); });
    refreshNumberLock();
}

MainStatusBar::~MainStatusBar() = default;

WatchedLabel* MainStatusBar::addPanel(WatchedLabel* panel, const QString& key, const QString& tip, int stretch)
{
    panel->setObjectName(key);
    panel->setToolTip(tip);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setFont(font());
    panel->setAccessibleName(tip);
    addPermanentWidget(panel, stretch);
    return panel;
}

void MainStatusBar::followCurrentFile(const LaunchFileNames& names)
{
    m_pnlCurrentFile->setText(names.currentFileName());
    connect(&names, &LaunchFileNames::currentFileNameChanged, m_pnlCurrentFile, &WatchedLabel::setText);
}

void MainStatusBar::setIndicators(std::unique_ptr<KeyboardIndicators> indicators)
{
    m_indicators = std::move(indicators);
    refreshNumberLock();
}

void MainStatusBar::refreshNumberLock()
{
    const std::optional<bool> on = m_indicators ? m_indicators->numLock() : std::nullopt;
    m_pnlNumberLock->setText(on ? u"NUM"_s : QString());
    m_pnlNumberLock->setEnabled(on.value_or(false));
}

void MainStatusBar::keyReleased(int key)
{
    // The server has switched the light by the time the key comes up.
    if (m_poll.isActive() && key == Qt::Key_NumLock)
        QTimer::singleShot(0, this, &MainStatusBar::refreshNumberLock);
}

void MainStatusBar::sbrStatusBar_PanelDblClick(const WatchedLabel* panel)
{
    emit panelDoubleClicked(panel->text());
    if (panel->text() == m_pnlCurrentFile->text())
        emit currentFilePanelDoubleClicked();
}

void MainStatusBar::tmrCurrentDateTime_Timer()
{
    m_pnlCurrentDate->setText(DateTimeServices::format(m_clock.now(), u"mmm d, yyyy  h:mm:ss AM/PM"));
}

bool MainStatusBar::event(QEvent* event)
{
    if (event->type() == QEvent::Show) {
        refreshNumberLock();
        m_poll.start();
    } else if (event->type() == QEvent::Hide) {
        m_poll.stop();
    }
    return QStatusBar::event(event);
}
