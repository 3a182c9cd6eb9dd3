// What a screen reader gets through Qt's accessibility interface: the count as one "Mission count", read as a
// person says it, an event only when the phase or the holding changes, and a name for every control and lamp.
#include "GuiTest.h"

#include "platform/widgets/UpScrollBar.h"
#include "shell/MissionCountPanel.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

QList<QAccessible::Event> events;
QList<QObject*> eventObjects;

void recordEvent(QAccessibleEvent* event)
{
    events.append(event->type());
    eventObjects.append(event->object());
}

QAccessibleInterface* countInterface(const frmTarvane& window)
{
    auto* panel = window.findChild<MissionCountPanel*>(u"MissionCount"_s);
    return panel ? QAccessible::queryAccessibleInterface(panel) : nullptr;
}

int descriptionEvents(const frmTarvane& window)
{
    auto* panel = window.findChild<MissionCountPanel*>(u"MissionCount"_s);
    int n = 0;
    for (qsizetype i = 0; i < events.size(); ++i)
        n += events[i] == QAccessible::DescriptionChanged && eventObjects[i] == panel ? 1 : 0;
    return n;
}

} // namespace

class TestAccessibility : public GuiTest
{
    Q_OBJECT

private slots:
    void init()
    {
        GuiTest::init();
        events.clear();
        eventObjects.clear();
        QAccessible::setActive(true);
        QAccessible::installUpdateHandler(recordEvent);
    }
    void cleanup()
    {
        QAccessible::installUpdateHandler(nullptr);
        GuiTest::cleanup();
    }

    void countReadsAsSaid()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        QAccessibleInterface* count = countInterface(rig.window());
        QVERIFY(count);
        QCOMPARE(count->text(QAccessible::Name), u"Mission count"_s);
        QCOMPARE(count->text(QAccessible::Description), u"T minus 0 days 00:10:00"_s);
        rig.advance(9);
        QCOMPARE(count->text(QAccessible::Description), u"T minus 0 days 00:09:51"_s);
        // The labels inside are the count's own.
        for (const char* name : {"lblTMinus", "lblDays", "lblHours", "lblMinutes", "lblSeconds"})
            QCOMPARE(rig.get(QString::fromLatin1(name))->parentWidget(),
                     rig.window().findChild<MissionCountPanel*>(u"MissionCount"_s));

        rig.arm();
        rig.toggleHold();
        QCOMPARE(count->text(QAccessible::Description), u"T minus 0 days 00:09:51, holding"_s);
        rig.toggleHold();
        rig.advance(9 * 60 + 56);
        QCOMPARE(count->text(QAccessible::Description), u"T plus 0 days 00:00:05"_s);
        rig.advance(86400);
        QCOMPARE(count->text(QAccessible::Description), u"T plus 1 day 00:00:05"_s);

        rig.loadTarget(u"no time at all"_s);
        QCOMPARE(count->text(QAccessible::Description), u"No launch time"_s);
    }

    // Offscreen there is no assistive technology, so Qt drops the events themselves: the panel tells each one.
    void eventsOnlyWhenPhaseOrHoldingChange()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.arm();
        QSignalSpy told(rig.window().findChild<MissionCountPanel*>(u"MissionCount"_s),
                        &MissionCountPanel::phaseOrHoldingTold);
        for (int i = 0; i < 5; ++i)
            rig.advance(1);
        QCOMPARE(told.size(), 0); // nothing each second
        rig.toggleHold();
        QCOMPARE(told.size(), 1);
        rig.advance(3);
        QCOMPARE(told.size(), 1);
        rig.toggleHold();
        QCOMPARE(told.size(), 2);
        rig.advance(10 * 60); // liftoff: "T -" becomes "T +"
        QCOMPARE(told.size(), 3);
        rig.advance(2);
        QCOMPARE(told.size(), 3);
        if (QAccessible::isActive()) // with a platform that has accessibility, the events went out as told
            QCOMPARE(descriptionEvents(rig.window()), 3);
    }

    // What the compact view crops away is not showing, for a screen reader either; the full view shows it all.
    void croppedControlsAreNotShowing()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.shownWindow();
        const QStringList cropped{u"chkLaunchWindowActive"_s, u"txtHoursW"_s, u"vsbHoursW"_s, u"cmdSetWindow"_s,
                                  u"txtLaunchDate"_s,         u"txtHours"_s,  u"lblTarget"_s, u"cmdSet"_s};
        const auto invisible = [&](const QString& name) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(rig.get<QWidget>(name));
            return face && face->state().invisible;
        };
        for (const QString& name : cropped)
            QVERIFY2(invisible(name), qPrintable(name));
        QVERIFY(!invisible(u"cmdAccess"_s));
        rig.window().ShowFullView();
        settle();
        for (const QString& name : cropped)
            QVERIFY2(!invisible(name), qPrintable(name));
        rig.window().ShowCompactView();
        settle();
        for (const QString& name : cropped)
            QVERIFY2(invisible(name), qPrintable(name));
    }

    // A time entry's scroll bar reads as the number its field shows, and setting it sets the field.
    void scrollBarsReadAsTheirFields()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.get<UpScrollBar>(u"vsbHoursW"_s)->setLevel(7);
        for (const auto& [bar, field] : {std::pair{u"vsbHours"_s, u"txtHours"_s},
                                         {u"vsbMinutes"_s, u"txtMinutes"_s},
                                         {u"vsbSeconds"_s, u"txtSeconds"_s},
                                         {u"vsbHoursW"_s, u"txtHoursW"_s}}) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(rig.get<QScrollBar>(bar));
            QVERIFY2(face && face->valueInterface(), qPrintable(bar));
            const int shown = rig.text(field).toInt();
            QCOMPARE(face->valueInterface()->currentValue().toInt(), shown);
            QCOMPARE(face->text(QAccessible::Value), QString::number(shown));
            QCOMPARE(face->valueInterface()->minimumValue().toInt(), 0);
            QVERIFY(face->valueInterface()->maximumValue().toInt() >= 23);
        }
        QAccessibleInterface* hours = QAccessible::queryAccessibleInterface(rig.get<QScrollBar>(u"vsbHours"_s));
        QCOMPARE(hours->valueInterface()->maximumValue().toInt(), 23);
        hours->valueInterface()->setCurrentValue(14);
        QCOMPARE(rig.text(u"txtHours"_s), u"14"_s);
    }

    void everyControlAndLampHasAName()
    {
        MainWindowFixture& rig = f.tenMinutesBefore();
        rig.window().ShowFullView();
        settle();
        QList<QWidget*> controls;
        for (QWidget* w : rig.window().findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<QScrollBar*>(w) || w->objectName().startsWith(u"shpIndicator_"_s) ||
                                 w->objectName().startsWith(u"pnl"_s) || w->objectName() == u"Calendar"_s;
            // Parts of compound widgets (the calendar's own buttons and fields) are named by Qt.
            const bool own = !w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"_s);
            if (control && own)
                controls.append(w);
        }
        QVERIFY(controls.size() >= 25);
        for (QWidget* w : controls) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
            QVERIFY2(face, qPrintable(w->objectName()));
            QVERIFY2(!face->text(QAccessible::Name).isEmpty(), qPrintable(w->objectName()));
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
