#include "StatusBarPanels.h"

#include "platform/widgets/KeyboardIndicators.h"
#include "platform/widgets/WatchedLabel.h"

#include <QEvent>
#include <QStatusBar>

#include <chrono>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

StatusBarPanels::StatusBarPanels(const Controls& controls, std::unique_ptr<KeyboardIndicators> indicators,
                                 QObject* parent)
    : QObject(parent), m_ui(controls), m_indicators(std::move(indicators))
{
    setObjectName(u"StatusBarPanels"_s);
    // The lock can change in another program, where no key event reaches us; a look each second is cheap.
    m_poll.setInterval(1s);
    connect(&m_poll, &QTimer::timeout, this, &StatusBarPanels::refreshNumberLock);
    m_ui.sbrStatusBar->installEventFilter(this);
    for (WatchedLabel* panel : {m_ui.pnlNumberLock, m_ui.pnlCurrentDate, m_ui.pnlCurrentFile})
        connect(panel, &WatchedLabel::doubleClicked, this, [this, panel] { emit panelDoubleClicked(panel->text()); });
    refreshNumberLock();
}

StatusBarPanels::~StatusBarPanels() = default;

void StatusBarPanels::setIndicators(std::unique_ptr<KeyboardIndicators> indicators)
{
    m_indicators = std::move(indicators);
    refreshNumberLock();
}

void StatusBarPanels::refreshNumberLock()
{
    const std::optional<bool> on = m_indicators ? m_indicators->numLock() : std::nullopt;
    m_ui.pnlNumberLock->setText(on ? u"NUM"_s : QString());
    m_ui.pnlNumberLock->setEnabled(on.value_or(false));
}

void StatusBarPanels::keyReleased(int key)
{
    // The server has switched the light by the time the key comes up.
    if (m_poll.isActive() && key == Qt::Key_NumLock)
        QTimer::singleShot(0, this, &StatusBarPanels::refreshNumberLock);
}

bool StatusBarPanels::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui.sbrStatusBar && event->type() == QEvent::Show) {
        refreshNumberLock();
        m_poll.start();
    } else if (watched == m_ui.sbrStatusBar && event->type() == QEvent::Hide) {
        m_poll.stop();
    }
    return QObject::eventFilter(watched, event);
}
