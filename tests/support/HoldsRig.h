#pragma once

#include "FakeClock.h"
#include "ScriptedPrompter.h"
#include "TestSupport.h"

#include "clock/Holds.h"
#include "clock/LaunchWindow.h"
#include "platform/ClickLineEdit.h"
#include "platform/ClockTimer.h"
#include "platform/UpScrollBar.h"
#include "platform/WatchedLabel.h"
#include "shell/frmTarvane.h"

#include <QCheckBox>
#include <QPushButton>

// The real main window on a fake clock, ten minutes before the initial launch target, with scripted boxes.
struct HoldsRig
{
    FakeClock clock{FakeClock::at(u"May 3, 2001 10:20:00 AM")};
    ScriptedPrompter prompter;
    frmTarvane window{clock, prompter};

    HoldsRig() { settle(); }

    template <typename T = WatchedLabel> T* get(const QString& name) const { return child<T>(window, name); }
    QString label(const QString& name) const { return get(name)->text(); }
    QString field(const QString& name) const { return get<ClickLineEdit>(name)->text(); }
    ClockTimer* timer(const QString& name) const { return get<ClockTimer>(name); }
    QPushButton* button(const QString& name) const { return get<QPushButton>(name); }
    QCheckBox* active() const { return get<QCheckBox>(QStringLiteral("chkLaunchWindowActive")); }

    // "T - 000 00:10:00"
    QString count() const
    {
        return label(QStringLiteral("lblTMinus")) + u' ' + label(QStringLiteral("lblDays")) + u' ' +
               label(QStringLiteral("lblHours")) + u':' + label(QStringLiteral("lblMinutes")) + u':' +
               label(QStringLiteral("lblSeconds"));
    }
    QString target() const { return label(QStringLiteral("lblTarget")); }
    QString remaining() const { return label(QStringLiteral("lblLaunchWindow")); }
    bool warningShown() const { return get(QStringLiteral("lblWindowWarning"))->isVisibleTo(&window); }
    bool holding() const { return button(QStringLiteral("cmdHoldResume"))->text() == u"&Resume"; }

    void advance(qint64 seconds)
    {
        clock.advance(seconds);
        settle();
    }
    bool arm()
    {
        const bool armed = triggerAction(window, QStringLiteral("mnuHoldEnable"));
        settle();
        return armed;
    }
    void toggleHold()
    {
        button(QStringLiteral("cmdHoldResume"))->click();
        settle();
    }
    // Enters a window in the three fields and confirms it with the button.
    void setWindow(const QString& h, const QString& m, const QString& s)
    {
        get<ClickLineEdit>(QStringLiteral("txtHoursW"))->setText(h);
        get<ClickLineEdit>(QStringLiteral("txtMinutesW"))->setText(m);
        get<ClickLineEdit>(QStringLiteral("txtSecondsW"))->setText(s);
        prompter.answer(Prompter::Answer::Yes);
        button(QStringLiteral("cmdSetWindow"))->click();
        settle();
    }
    // A window of the given length, active, with holds armed and a hold begun.
    void holdAgainstWindow(const QString& h, const QString& m, const QString& s)
    {
        setWindow(h, m, s);
        active()->click();
        arm();
        toggleHold();
    }
    int timesShown(const QString& title) const
    {
        int n = 0;
        for (const auto& box : prompter.shown)
            n += box.title == title ? 1 : 0;
        return n;
    }
};
