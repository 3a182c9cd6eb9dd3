#include "LaunchWindowPanel.h"

#include "LayoutKit.h"
#include "clock/LaunchWindow.h"
#include "clock/Mission.h"
#include "clock/MissionState.h"
#include "clock/TimeField.h"
#include "platform/widgets/ClickLineEdit.h"
#include "platform/widgets/Colours.h"
#include "platform/widgets/UpScrollBar.h"
#include "platform/widgets/WatchedLabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRegularExpressionValidator>

using namespace Qt::StringLiterals;
using namespace LayoutKit;
using Metrics::twipsRect;
using Metrics::uiFont;

LaunchWindowPanel::LaunchWindowPanel(Mission& mission, QWidget* parent) : ClickPanel(parent), m_mission(mission)
{
    entryPanel(this, u"pctLaunchWindow"_s, {360, 1920, 3285, 3465}, u"Label12"_s, u"Set Launch Window"_s,
               {60, 120, 3015, 255});
    LaunchWindow& window = m_mission.launchWindow();
    const MissionState& state = m_mission.state();
    m_lblLaunchWindow = label(this, u"lblLaunchWindow"_s, state.windowRemainingText(), {960, 600, 1215, 360},
                              uiFont(13.5, true), Qt::AlignCenter);
    Colours::paintBackground(m_lblLaunchWindow, Colours::Silver);
    m_chkLaunchWindowActive = place(new QCheckBox(u"Act&ive Launch Window"_s, this), u"chkLaunchWindowActive"_s,
                                    {180, 1080, 2055, 195}, uiFont(8.25));
    m_chkLaunchWindowActive->setToolTip(u"Check to make Launch Window Active"_s);
    growToText(m_chkLaunchWindowActive);

    const auto [texts, bars] =
        timeEntry(this, {180, 1620}, u"W"_s, false,
                  {u"Launch window hours"_s, u"Launch window minutes"_s, u"Launch window seconds"_s});
    setAccessibleName(u"Launch window"_s);
    const QFont caption = uiFont(8.25, true);
    label(this, u"Label7"_s, u"Hours"_s, {352, 2160, 800, 255}, caption);
    label(this, u"Label6"_s, u"Minutes"_s, {1230, 2160, 800, 255}, caption);
    label(this, u"Label5"_s, u"Seconds"_s, {2152, 2160, 800, 255}, caption);
    auto* cmdSetWindow = button(this, u"cmdSetWindow"_s, u"Set Launch &Window"_s, {120, 2640, 3015, 615}, uiFont(8.25));
    cmdSetWindow->setToolTip(u"Click to set the Launch Window time"_s);

    // The window clock's base, kept where the layout had it (on the window, above this panel).
    auto* lblLaunchWindowStamp = hiddenLabel(this, u"lblLaunchWindowStamp"_s, {7080 - 360, 840 - 1920, 2895, 255});
    auto* lblNowStampWindow = hiddenLabel(this, u"lblNowStampWindow"_s, {7080 - 360, 1080 - 1920, 2895, 255});

    // Typing takes digits only; a number out of range is refused when the window is set.
    const QRegularExpression digits(u"[0-9]{0,2}"_s);
    for (size_t i = 0; i < texts.size(); ++i) {
        TimeField& field = *window.entryFields()[i];
        texts[i]->setValidator(new QRegularExpressionValidator(digits, texts[i]));
        showTimeField(field, texts[i], bars[i]);
        connect(texts[i], &ClickLineEdit::clicked, &window, [&window, &field] { window.entryField_Click(field); });
    }
    connect(cmdSetWindow, &QPushButton::clicked, &window, &LaunchWindow::cmdSetWindow_Click);

    // The check box and the active flag follow each other; a change from either side applies the new state once.
    connect(m_chkLaunchWindowActive, &QCheckBox::toggled, &window, &LaunchWindow::setWindowActive);
    connect(&state, &MissionState::windowActiveChanged, this, [this](bool active) {
        m_chkLaunchWindowActive->setChecked(active);
        setRemainingLook(active);
    });
    connect(&state, &MissionState::windowRemainingChanged, m_lblLaunchWindow, &WatchedLabel::setText);
    m_chkLaunchWindowActive->setEnabled(window.activationEnabled());
    connect(&window, &LaunchWindow::activationEnabledChanged, m_chkLaunchWindowActive, &QWidget::setEnabled);
    connect(&window, &LaunchWindow::baseChanged, this, [&window, lblLaunchWindowStamp, lblNowStampWindow] {
        lblNowStampWindow->setText(window.baseTimeText());
        lblLaunchWindowStamp->setText(window.windowAtBaseText());
    });
}

void LaunchWindowPanel::setRemainingLook(bool active)
{
    QLabel* label = m_lblLaunchWindow;
    Colours::paintBackground(label, active ? Colours::ActiveWindow : QApplication::palette().color(QPalette::Button));
    label->setFrameShape(active ? QFrame::Box : QFrame::NoFrame);
    label->setFrameShadow(QFrame::Plain);
    label->setLineWidth(1);
}
