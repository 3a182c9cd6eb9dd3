#pragma once

#include <QObject>
#include <QPointer>

class CSimTime;
class QWidget;
class frmWizardPlusMinus;
class frmWizardTime;

// The manual sim time wizard's two pages and the moves between them: closed, on the first page, or on the
// second with the first hidden behind it. A hidden page keeps its state until the wizard closes.
class SimTimeWizard final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SimTimeWizard)

public:
    // The pages are windows of their own over owner, which they never block.
    SimTimeWizard(QWidget* owner, QObject* parent);

    void mnuManualSet_Click();
    void cmdNext_Click();
    void cmdBack_Click();
    void cmdCancel_Click();
    void cmdEnter_Click();

    // Closes both pages and discards what they held.
    void close();
    bool isOpen() const;

    // The pages while the wizard is open; the second exists from the first Next on.
    frmWizardPlusMinus* plusMinusPage() const;
    frmWizardTime* timePage() const;

signals:
    // Enter on the second page, with the mission time it shows; the pages are still open.
    void entered(const CSimTime& mission);

private:
    QWidget* m_owner;
    QPointer<frmWizardPlusMinus> m_plusMinus;
    QPointer<frmWizardTime> m_time;
};
