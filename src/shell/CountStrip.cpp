#include "CountStrip.h"

#include "LayoutKit.h"
#include "MainViews.h"
#include "MissionCountPanel.h"
#include "clock/Holds.h"
#include "clock/LaunchWindow.h"
#include "clock/Mission.h"
#include "clock/MissionState.h"
#include "platform/widgets/Colours.h"
#include "platform/widgets/LineWidget.h"
#include "platform/widgets/ShapeWidget.h"
#include "platform/widgets/WatchedLabel.h"

#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace LayoutKit;
using Metrics::px;
using Metrics::twipsRect;
using Metrics::uiFont;

CountStrip::CountStrip(Mission& mission, QWidget* parent) : QWidget(parent), m_mission(mission)
{
    setObjectName(u"CountStrip"_s);
    // As far as its right-most lamp and its buttons reach.
    setGeometry(twipsRect(0, 0, 4215, 1215));
    // Clicks between the controls land on the window's background.
    setProperty("partOfSurface", true);
    buildCount();
    buildLamps();
    buildCommands();

    const MissionState& state = m_mission.state();
    connect(&state, &MissionState::countChanged, this, &CountStrip::UpdateCount);
    connect(&state, &MissionState::phaseChanged, this, &CountStrip::UpdateCount);
    connect(&state, &MissionState::lampsChanged, this, &CountStrip::showLamps);
    connect(&state, &MissionState::holdingChanged, this, &CountStrip::holdingChanged);
    connect(&state, &MissionState::windowWarningChanged, m_lblWindowWarning, &QWidget::setVisible);
    connect(&state, &MissionState::holdBaseChanged, this, [this, &state] {
        m_lblNowStamp->setText(state.holdStartText());
        m_lblTargetStamp->setText(state.targetAtHoldStartText());
    });
    connect(&m_mission.holds(), &Holds::commandsChanged, this, &CountStrip::showHoldCommand);
    showHoldCommand();
}

void CountStrip::buildCount()
{
    // The count's labels in one container that a screen reader reads as a whole.
    const QRect box = twipsRect(240, 180, 3960 - 240, 540);
    m_countPanel = new MissionCountPanel(m_mission.state(), this);
    m_countPanel->setGeometry(box);
    const auto inPanel = [&](QWidget* w) { w->move(w->pos() - box.topLeft()); };

    const QFont count = uiFont(19.5);
    const Qt::Alignment centred = Qt::AlignCenter;
    QWidget* p = m_countPanel;
    // The sign stands on the digits' baseline: the same box height and centring as theirs.
    m_lblTMinus =
        label(p, u"lblTMinus"_s, u"T -"_s, {240, 180, 540, 540}, uiFont(19.5, true), Qt::AlignLeft | Qt::AlignVCenter);
    QPalette sign = m_lblTMinus->palette();
    sign.setColor(QPalette::WindowText, Colours::SignText);
    m_lblTMinus->setPalette(sign);
    m_digits[0] = label(p, u"lblDays"_s, u"000"_s, {930, 180, 690, 540}, count, centred);
    auto* line2 = new LineWidget(QPoint(px(1800), px(683)), QPoint(px(1920), px(203)), 1, p);
    line2->setObjectName(u"Line2"_s);
    m_digits[1] = label(p, u"lblHours"_s, u"00"_s, {2040, 180, 480, 540}, count, centred);
    auto* colon1 = label(p, u"Label3"_s, u":"_s, {2580, 180, 120, 540}, count, centred);
    m_digits[2] = label(p, u"lblMinutes"_s, u"00"_s, {2760, 180, 480, 540}, count, centred);
    auto* colon2 = label(p, u"Label2"_s, u":"_s, {3300, 180, 120, 540}, count, centred);
    m_digits[3] = label(p, u"lblSeconds"_s, u"00"_s, {3480, 180, 480, 540}, count, centred);
    for (QWidget* w : std::initializer_list<QWidget*>{m_lblTMinus, m_digits[0], line2, m_digits[1], colon1, m_digits[2],
                                                      colon2, m_digits[3]})
        inPanel(w);
    SetCountBackColor(Colours::Counting);
    m_digits[0]->setShrinkToFit(true); // the days take as many digits as the count needs
}

void CountStrip::buildLamps()
{
    // The lamps stand from top to bottom in the order 1, 2, 0.
    const std::array<int, 3> lampTops = {600, 120, 360};
    const std::array<QString, 3> lampNames = {u"Last hour lamp"_s, u"Last ten minutes lamp"_s, u"Last minute lamp"_s};
    const std::array<QColor, 3> lampFills = {Colours::AmberLamp, Colours::AmberLamp, Colours::GreenLamp};
    for (size_t i = 0; i < 3; ++i) {
        auto* lamp = new ShapeWidget(ShapeWidget::Kind::Circle, lampFills[i], this);
        lamp->setObjectName(u"shpIndicator_"_s + QString::number(i));
        lamp->setGeometry(twipsRect(4080, lampTops[i], 135, 135));
        lamp->hide(); // dark until the count decides
        lamp->setAccessibleName(lampNames[i]);
        m_lamps[i] = lamp;
    }
}

void CountStrip::buildCommands()
{
    m_lblWindowWarning = label(this, u"lblWindowWarning"_s, u"Launch Window Warning"_s, {1305, 0, 1845, 195},
                               uiFont(8.25), Qt::AlignCenter);
    Colours::paintBackground(m_lblWindowWarning, Colours::Warning);
    m_lblWindowWarning->setToolTip(u"Click to hide."_s);
    m_lblWindowWarning->hide();
    connect(m_lblWindowWarning, &WatchedLabel::clicked, &m_mission.launchWindow(),
            &LaunchWindow::lblWindowWarning_Click);

    m_cmdHoldResume = button(this, u"cmdHoldResume"_s, u"&Hold"_s, {120, 840, 1935, 375}, uiFont(12, true));
    Colours::paintBackground(m_cmdHoldResume, Colours::Silver);
    m_cmdHoldResume->setToolTip(u"Click here to HOLD the countdown."_s);
    connect(m_cmdHoldResume, &QPushButton::clicked, &m_mission.holds(), &Holds::ToggleHold);
    m_cmdAccess = button(this, u"cmdAccess"_s, MainViews::CompactCaption, {2160, 840, 1935, 375}, uiFont(8.25));

    // The hold's base, kept where the layout had it.
    m_lblNowStamp = hiddenLabel(this, u"lblNowStamp"_s, {7080, 240, 2895, 255});
    m_lblTargetStamp = hiddenLabel(this, u"lblTargetStamp"_s, {7080, 480, 2895, 255});
}

// The sign is written with each count that has a target; without one the dashes keep the sign they had.
void CountStrip::UpdateCount()
{
    const MissionTexts::ShownCount shown = m_mission.state().shownCount();
    m_lblTMinus->setText(shown.sign);
    // Each write raises its label's change at once; the seconds come last.
    m_digits[0]->setText(shown.days);
    m_digits[1]->setText(shown.hours);
    m_digits[2]->setText(shown.minutes);
    m_digits[3]->setText(shown.seconds);
}

void CountStrip::showLamps()
{
    const MissionState::Lamps lit = m_mission.state().lamps();
    for (size_t i = 0; i < m_lamps.size(); ++i)
        m_lamps[i]->setVisible(lit[i]);
}

void CountStrip::showHoldCommand()
{
    m_cmdHoldResume->setEnabled(m_mission.holds().holdButtonEnabled());
}

void CountStrip::holdingChanged(bool holding)
{
    m_cmdHoldResume->setText(holding ? u"&Resume"_s : u"&Hold"_s);
    m_cmdHoldResume->setToolTip(holding ? u"Click here to RESUME the count."_s : u"Click here to HOLD the count."_s);
    SetCountBackColor(holding ? Colours::Holding : Colours::Counting);
}

void CountStrip::SetCountBackColor(const QColor& color)
{
    for (WatchedLabel* digits : m_digits)
        Colours::paintBackground(digits, color);
}
