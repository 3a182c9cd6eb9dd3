#pragma once

#include <QWidget>

#include <array>

class ClickLineEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class UpScrollBar;

// Second page of the manual sim time wizard: days, hours, minutes and seconds, each set with a scroll bar
// whose top is its largest value. A window of its own that blocks nothing.
class frmWizardTime final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmWizardTime)

public:
    explicit frmWizardTime(QWidget* owner);

    // Shows the side of liftoff chosen on the first page.
    void showSide(bool tPlus);

    // The numbers shown in the four boxes.
    qint32 days() const;
    qint32 hours() const;
    qint32 minutes() const;
    qint32 seconds() const;

    void vsbDaysSim_Change();
    void vsbHoursSim_Change();
    void vsbMinutesSim_Change();
    void vsbSecondsSim_Change();

signals:
    void backClicked();
    void enterClicked();
    void cancelClicked();
    void closeRequested(); // by the window frame

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum Unit
    {
        Days,
        Hours,
        Minutes,
        Seconds,
        UnitCount
    };
    void showLevel(Unit unit);
    qint32 shown(Unit unit) const;

    QGroupBox* m_fraFrame;
    QLabel* m_lblPlusMinus;
    std::array<ClickLineEdit*, UnitCount> m_boxes{};
    std::array<UpScrollBar*, UnitCount> m_bars{};
};
