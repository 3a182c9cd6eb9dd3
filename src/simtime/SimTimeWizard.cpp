#include "SimTimeWizard.h"

#include "CSimTime.h"
#include "frmWizardPlusMinus.h"
#include "frmWizardTime.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// Over the main window, where the operator is looking, and whole on its screen.
void placeOver(QWidget* page, const QWidget* owner)
{
    if (owner == nullptr || !owner->isVisible())
        return;
    page->adjustSize();
    QRect box(QPoint(), page->frameGeometry().size());
    box.moveCenter(owner->frameGeometry().center());
    if (const QScreen* screen = owner->screen()) {
        const QRect available = screen->availableGeometry();
        box.moveLeft(
            std::clamp(box.left(), available.left(), std::max(available.left(), available.right() - box.width())));
        box.moveTop(
            std::clamp(box.top(), available.top(), std::max(available.top(), available.bottom() - box.height())));
    }
    page->move(box.topLeft());
}

} // namespace

SimTimeWizard::SimTimeWizard(QWidget* owner, QObject* parent) : QObject(parent), m_owner(owner)
{
    setObjectName(QStringLiteral("SimTimeWizard"));
}

bool SimTimeWizard::isOpen() const
{
    return !m_plusMinus.isNull();
}

frmWizardPlusMinus* SimTimeWizard::plusMinusPage() const
{
    return m_plusMinus.data();
}

frmWizardTime* SimTimeWizard::timePage() const
{
    return m_time.data();
}

void SimTimeWizard::mnuManualSet_Click()
{
    if (!m_plusMinus) {
        m_plusMinus = new frmWizardPlusMinus(m_owner);
        connect(m_plusMinus, &frmWizardPlusMinus::nextClicked, this, &SimTimeWizard::cmdNext_Click);
        connect(m_plusMinus, &frmWizardPlusMinus::cancelClicked, this, &SimTimeWizard::cmdCancel_Click);
        connect(m_plusMinus, &frmWizardPlusMinus::closeRequested, this, &SimTimeWizard::cmdCancel_Click);
        placeOver(m_plusMinus, m_owner);
    }
    m_plusMinus->show();
    m_plusMinus->raise();
    m_plusMinus->activateWindow();
}

void SimTimeWizard::cmdNext_Click()
{
    if (!m_plusMinus)
        return;
    if (!m_time) {
        m_time = new frmWizardTime(m_owner);
        connect(m_time, &frmWizardTime::backClicked, this, &SimTimeWizard::cmdBack_Click);
        connect(m_time, &frmWizardTime::enterClicked, this, &SimTimeWizard::cmdEnter_Click);
        connect(m_time, &frmWizardTime::cancelClicked, this, &SimTimeWizard::cmdCancel_Click);
        connect(m_time, &frmWizardTime::closeRequested, this, &SimTimeWizard::cmdCancel_Click);
        m_time->move(m_plusMinus->pos()); // the next page where the operator is looking
    }
    m_time->showSide(m_plusMinus->isTPlus());
    m_plusMinus->hide();
    m_time->show();
    m_time->raise();
    m_time->activateWindow();
}

void SimTimeWizard::cmdBack_Click()
{
    if (!m_plusMinus || !m_time)
        return;
    m_time->hide();
    m_plusMinus->show();
    m_plusMinus->raise();
    m_plusMinus->activateWindow();
}

void SimTimeWizard::cmdCancel_Click()
{
    close();
}

void SimTimeWizard::cmdEnter_Click()
{
    if (!m_plusMinus || !m_time)
        return;
    // Both sides keep one sign in all four numbers: zero or above after liftoff, zero or below before it.
    const qint32 sign = m_plusMinus->isTPlus() ? 1 : -1;
    CSimTime mission;
    mission.setDays(sign * m_time->days());
    mission.setHours(sign * m_time->hours());
    mission.setMinutes(sign * m_time->minutes());
    mission.setSeconds(sign * m_time->seconds());
    emit entered(mission);
}

void SimTimeWizard::close()
{
    // Later, not now: this may run inside a handler of the very page it closes.
    for (QWidget* page : {static_cast<QWidget*>(m_time.data()), static_cast<QWidget*>(m_plusMinus.data())}) {
        if (page) {
            page->hide();
            page->deleteLater();
        }
    }
    m_time.clear();
    m_plusMinus.clear();
}
