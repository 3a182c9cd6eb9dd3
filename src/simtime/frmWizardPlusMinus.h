#pragma once

#include <QWidget>

class QGroupBox;
class QPushButton;
class QRadioButton;

// First page of the manual sim time wizard: before or after liftoff. A window of its own that blocks nothing.
class frmWizardPlusMinus final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmWizardPlusMinus)

public:
    explicit frmWizardPlusMinus(QWidget* owner);

    bool isTPlus() const;

    void optTMinus_Click();
    void optTPlus_Click();

signals:
    void nextClicked();
    void cancelClicked();
    void closeRequested(); // by the window frame

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void paintSide(bool tPlus);

    QGroupBox* m_fraFrame;
    QRadioButton* m_optTMinus;
    QRadioButton* m_optTPlus;
    QPushButton* m_cmdNext;
    QPushButton* m_cmdCancel;
};
