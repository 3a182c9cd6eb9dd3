#include "GuiTest.h"

#include "clock/LaunchTimeEntry.h"
#include "platform/widgets/ClickLineEdit.h"
#include "platform/widgets/UpScrollBar.h"
#include "platform/widgets/WatchedLabel.h"
#include "shell/frmTarvane.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;
using Answer = Prompter::Answer;
using Buttons = Prompter::Buttons;

namespace {

const QString InitialTarget = u"May 3, 2001   10:30:00 AM"_s;

LaunchTimeEntry& entry(MainWindowFixture& rig)
{
    return rig.window().launchTimeEntry();
}

bool armed(MainWindowFixture& rig)
{
    return rig.button(u"cmdSet"_s)->isEnabled();
}

// As the operator would: select the date field's text and type over it.
void typeDate(MainWindowFixture& rig, const QString& date)
{
    auto* f = rig.get<QLineEdit>(u"txtLaunchDate"_s);
    f->selectAll();
    QTest::keyClick(f, Qt::Key_Delete);
    QTest::keyClicks(f, date);
}

void clickSet(MainWindowFixture& rig)
{
    QTest::mouseClick(rig.button(u"cmdSet"_s), Qt::LeftButton);
}

// Press, release, double click, release: the events a real double click brings.
void doubleClick(QWidget* w, QPoint pos = {})
{
    if (pos.isNull())
        pos = w->rect().center();
    QTest::mouseClick(w, Qt::LeftButton, {}, pos);
    QTest::mouseDClick(w, Qt::LeftButton, {}, pos);
    QTest::mouseRelease(w, Qt::LeftButton, {}, pos);
}

QRect partRect(UpScrollBar* bar, QStyle::SubControl part)
{
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = Qt::Vertical;
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.subControls = QStyle::SC_All;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, bar);
}

} // namespace

class TestLaunchTime : public GuiTest
{
    Q_OBJECT

    // The window on screen, ten seconds before the initial launch target, with the whole launch time panel in view.
    MainWindowFixture& onScreen()
    {
        f.window().ShowFullView();
        f.shownWindow();
        return f;
    }

private slots:

    void setLaunchTime_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("viaMenu");
        QTest::addColumn<Answer>("answer");     // to the confirmation; Ok: no confirmation comes
        QTest::addColumn<QString>("dateShown"); // in the confirmation; empty for "Invalid Date"
        QTest::addColumn<QString>("target");    // afterwards
        QTest::addColumn<QString>("dateField"); // afterwards
        QTest::addColumn<QString>("stamp");     // the target at hold start afterwards

        const QString may3 = u"May 3, 2001"_s;
        const QString set = u"May 03, 2001   2:05:00 PM"_s;
        const QString stamp = u"5/3/2001 2:05:00 PM"_s;
        QTest::newRow("M/D/YYYY, Yes") << u"5/3/2001"_s << false << Answer::Yes << may3 << set << may3 << stamp;
        QTest::newRow("M/D/YYYY, No") << u"5/3/2001"_s << false << Answer::No << may3 << InitialTarget << u"5/3/2001"_s
                                      << QString();
        QTest::newRow("menu, Yes") << u"05/03/2001"_s << true << Answer::Yes << may3 << set << may3 << stamp;
        QTest::newRow("menu, No") << u"May 03, 2001"_s << true << Answer::No << may3 << InitialTarget
                                  << u"May 03, 2001"_s << QString();
        QTest::newRow("full month name") << u"december 31, 2001"_s << false << Answer::Yes << u"Dec 31, 2001"_s
                                         << u"December 31, 2001   2:05:00 PM"_s << u"Dec 31, 2001"_s
                                         << u"12/31/2001 2:05:00 PM"_s;
        for (const QString& bad :
             {u"13/45/2001"_s, u"Feb 30, 2001"_s, u"5/3/01"_s, u"5/3/2001 14:05"_s, u"tomorrow"_s, QString()})
            QTest::addRow("invalid: '%s'", qPrintable(bad))
                << bad << false << Answer::Ok << QString() << InitialTarget << bad << QString();
    }

    // Every outcome of Set leaves it disarmed; only Yes writes the target, the date field and the stamps.
    void setLaunchTime()
    {
        QFETCH(QString, date);
        QFETCH(bool, viaMenu);
        QFETCH(Answer, answer);
        QFETCH(QString, dateShown);
        QFETCH(QString, target);
        QFETCH(QString, dateField);
        QFETCH(QString, stamp);
        MainWindowFixture& rig = onScreen();
        typeDate(rig, date);
        rig.get<UpScrollBar>(u"vsbHours"_s)->setLevel(14);
        rig.get<UpScrollBar>(u"vsbMinutes"_s)->setLevel(5);
        QVERIFY(armed(rig));
        rig.prompter().answer(answer);
        if (viaMenu)
            QVERIFY(triggerAction(rig.window(), u"mnuSetLaunchTime"_s));
        else
            clickSet(rig);

        QCOMPARE(rig.prompter().shown.size(), 1);
        const auto& box = rig.prompter().shown.constFirst();
        if (dateShown.isEmpty()) {
            QCOMPARE(box.title, u"Invalid Date"_s);
            QCOMPARE(box.text, u"You must enter a valid date in the MM/DD/YYYY format."_s);
            QCOMPARE(box.buttons, Buttons::Ok);
        } else {
            QCOMPARE(box.title, u"Set Launch Time"_s);
            QCOMPARE(box.text,
                     u"Are you sure you want to enter "_s + dateShown + u"  14:05:00 as your new Launch Time?"_s);
            QCOMPARE(box.buttons, Buttons::YesNo);
        }
        QCOMPARE(rig.text(u"lblTarget"_s), target);
        QCOMPARE(rig.text(u"txtLaunchDate"_s), dateField);
        QCOMPARE(rig.text(u"lblNowStamp"_s), stamp.isEmpty() ? QString() : u"5/3/2001 10:29:50 AM"_s);
        QCOMPARE(rig.text(u"lblTargetStamp"_s), stamp);
        QVERIFY(!armed(rig));
        QVERIFY(!child<QAction>(rig.window(), u"mnuSetLaunchTime"_s)->isEnabled());
        QVERIFY(rig.prompter().unexpected.isEmpty());
    }

    void timeFieldWithoutNumber_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("hours out of range") << u"txtHours"_s << u"24"_s << u"hour from 00 to 23"_s;
        QTest::newRow("hours a word") << u"txtHours"_s << u"ab"_s << u"hour from 00 to 23"_s;
        QTest::newRow("minutes out of range") << u"txtMinutes"_s << u"60"_s << u"minute from 00 to 59"_s;
        QTest::newRow("seconds empty") << u"txtSeconds"_s << QString() << u"second from 00 to 59"_s;
        QTest::newRow("seconds negative") << u"txtSeconds"_s << u"-1"_s << u"second from 00 to 59"_s;
    }

    // Only a launch data file can bring such a text; Set refuses it and stores nothing.
    void timeFieldWithoutNumber()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, message);
        MainWindowFixture& rig = onScreen();
        EntryTexts texts = entry(rig).timeTexts();
        (name == u"txtHours" ? texts.hours : name == u"txtMinutes" ? texts.minutes : texts.seconds) = text;
        entry(rig).setTimeTexts(texts);
        QVERIFY(armed(rig));
        rig.prompter().answer(Answer::Ok);
        clickSet(rig);
        QCOMPARE(rig.prompter().shown.size(), 1);
        QCOMPARE(rig.prompter().shown[0].title, u"Invalid Time"_s);
        QCOMPARE(rig.prompter().shown[0].text,
                 u"You must enter a valid "_s + message + u".  Use its scroll bar to set it."_s);
        QCOMPARE(rig.prompter().shown[0].buttons, Buttons::Ok);
        QCOMPARE(rig.text(u"lblTarget"_s), InitialTarget);
        QCOMPARE(rig.text(u"lblNowStamp"_s), QString());
        QVERIFY(!armed(rig));
    }

    void scrollBarClicks_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("start");
        QTest::addColumn<QStyle::SubControl>("part");
        QTest::addColumn<QString>("field");
        QTest::newRow("up arrow adds 1") << u"vsbHours"_s << 9 << QStyle::SC_ScrollBarSubLine << u"10"_s;
        QTest::newRow("up arrow stops at 23") << u"vsbHours"_s << 23 << QStyle::SC_ScrollBarSubLine << u"23"_s;
        QTest::newRow("down arrow takes 1") << u"vsbHours"_s << 10 << QStyle::SC_ScrollBarAddLine << u"09"_s;
        QTest::newRow("down arrow stops at 0") << u"vsbHours"_s << 0 << QStyle::SC_ScrollBarAddLine << u"00"_s;
        QTest::newRow("track above the thumb at 18") << u"vsbHours"_s << 18 << QStyle::SC_ScrollBarSubPage << u"23"_s;
        QTest::newRow("track below the thumb") << u"vsbMinutes"_s << 30 << QStyle::SC_ScrollBarAddPage << u"20"_s;
        QTest::newRow("track below stops at 0") << u"vsbSeconds"_s << 4 << QStyle::SC_ScrollBarAddPage << u"00"_s;
        QTest::newRow("minutes up to 59") << u"vsbMinutes"_s << 58 << QStyle::SC_ScrollBarSubLine << u"59"_s;
    }

    // Real clicks on the arrows and the track: the largest value is at the top.
    void scrollBarClicks()
    {
        QFETCH(QString, bar);
        QFETCH(int, start);
        QFETCH(QStyle::SubControl, part);
        QFETCH(QString, field);
        MainWindowFixture& rig = onScreen();
        auto* b = rig.get<UpScrollBar>(bar);
        b->setLevel(start);
        const QRect r = partRect(b, part);
        QVERIFY(!r.isEmpty());
        const bool upper = part == QStyle::SC_ScrollBarSubLine || part == QStyle::SC_ScrollBarSubPage;
        QCOMPARE(r.center().y() < b->height() / 2, upper);
        QTest::mouseClick(b, Qt::LeftButton, {}, r.center());
        QCOMPARE(rig.text(u"txt"_s + bar.mid(3)), field);
        QCOMPARE(b->level(), field.toInt());
    }

    void fieldClick_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("loaded"); // a text a file put into the field; empty: none
        QTest::addColumn<QString>("shown");
        QTest::newRow("hours at 9") << u"txtHours"_s << 9 << QString() << u"10"_s;
        QTest::newRow("seconds at 0") << u"txtSeconds"_s << 0 << QString() << u"01"_s;
        QTest::newRow("from the bar, not the loaded text") << u"txtHours"_s << 10 << u"14"_s << u"11"_s;
        QTest::newRow("hours stay at the top") << u"txtHours"_s << 23 << QString() << u"23"_s;
        QTest::newRow("minutes stay at the top") << u"txtMinutes"_s << 59 << QString() << u"59"_s;
    }

    void fieldClick()
    {
        QFETCH(QString, name);
        QFETCH(int, level);
        QFETCH(QString, loaded);
        QFETCH(QString, shown);
        MainWindowFixture& rig = onScreen();
        auto* bar = rig.get<UpScrollBar>(u"vsb"_s + name.mid(3));
        bar->setLevel(level);
        if (!loaded.isEmpty())
            entry(rig).setTimeTexts({rig.text(u"txtSeconds"_s), rig.text(u"txtMinutes"_s), loaded});
        entry(rig).DisableSetLaunchTime();
        const QString before = rig.text(name);
        QTest::mouseClick(rig.get<QWidget>(name), Qt::LeftButton);
        QCOMPARE(rig.text(name), shown);
        QCOMPARE(bar->level(), shown.toInt());
        QCOMPARE(armed(rig), shown != before);
    }

    // The locked fields take the arrow and page keys in place of typing.
    void keysStepTheTimeFields()
    {
        MainWindowFixture& rig = onScreen();
        auto* hours = rig.get<QWidget>(u"txtHours"_s);
        QTest::keyClick(hours, Qt::Key_Up);
        QCOMPARE(rig.text(u"txtHours"_s), u"11"_s);
        QVERIFY(armed(rig));
        QTest::keyClick(hours, Qt::Key_PageDown);
        QTest::keyClick(hours, Qt::Key_PageDown);
        QCOMPARE(rig.text(u"txtHours"_s), u"00"_s);
        QTest::keyClick(rig.get<QWidget>(u"txtSeconds"_s), Qt::Key_PageUp);
        QCOMPARE(rig.text(u"txtSeconds"_s), u"10"_s);
    }

    void settersArmOnlyOnChange()
    {
        MainWindowFixture& rig = onScreen();
        LaunchTimeEntry& entry = ::entry(rig);
        entry.setLaunchDateText(u"May 3, 2001"_s);
        entry.setTimeTexts({u"00"_s, u"30"_s, u"10"_s});
        QVERIFY(!entry.isArmed());
        entry.setTimeTexts({u"00"_s, u"31"_s, u"10"_s});
        QVERIFY(entry.isArmed());
        QVERIFY(child<QAction>(rig.window(), u"mnuSetLaunchTime"_s)->isEnabled());
        QCOMPARE(entry.timeTexts().minutes, u"31"_s);
        QCOMPARE(rig.get<UpScrollBar>(u"vsbMinutes"_s)->level(), 30); // the text never moves the bar
    }

    void calendar_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QDate>("opensOn");
        QTest::newRow("the field's date") << u"May 3, 2001"_s << QDate(2001, 5, 3);
        QTest::newRow("no date: today") << u"13/45/2001"_s << QDate(2030, 2, 14);
    }

    void calendar()
    {
        QFETCH(QString, date);
        QFETCH(QDate, opensOn);
        MainWindowFixture& rig = onScreen();
        rig.clock().setNow(FakeClock::at(u"2/14/2030 9:00:00 AM"));
        entry(rig).setLaunchDateText(date);
        entry(rig).DisableSetLaunchTime();
        auto* calendar = rig.get<QCalendarWidget>(u"Calendar"_s);
        QVERIFY(calendar->isHidden());
        doubleClick(rig.get<QWidget>(u"txtLaunchDate"_s));
        QVERIFY(calendar->isVisible());
        QCOMPARE(calendar->selectedDate(), opensOn);
        QVERIFY(!armed(rig));

        // Double click on the 9th of the month shown.
        auto* view = calendar->findChild<QTableView*>();
        QVERIFY(view);
        QModelIndex ninth;
        bool monthBegun = false;
        for (int row = 0; row < view->model()->rowCount() && !ninth.isValid(); ++row)
            for (int col = 0; col < view->model()->columnCount() && !ninth.isValid(); ++col) {
                const QModelIndex i = view->model()->index(row, col);
                monthBegun = monthBegun || i.data().toString() == u"1";
                if (monthBegun && i.data().toString() == u"9")
                    ninth = i;
            }
        QVERIFY(ninth.isValid());
        doubleClick(view->viewport(), view->visualRect(ninth).center());
        QVERIFY(calendar->isHidden());
        QCOMPARE(rig.text(u"txtLaunchDate"_s),
                 u"%1 9, %2"_s.arg(QLocale::c().monthName(opensOn.month(), QLocale::ShortFormat)).arg(opensOn.year()));
        QVERIFY(armed(rig));
        QCOMPARE(rig.text(u"lblTarget"_s), InitialTarget);
    }

    // Every click steps, the second of a double click too.
    void doubleClickStepsTwice()
    {
        MainWindowFixture& rig = onScreen();
        entry(rig).setLaunchDateText(u"May 3, 2001"_s);
        doubleClick(rig.get<QWidget>(u"lblTarget"_s));
        QCOMPARE(rig.text(u"txtLaunchDate"_s), u"May 5, 2001"_s);
        doubleClick(rig.get<QWidget>(u"Label10"_s));
        QCOMPARE(rig.text(u"txtLaunchDate"_s), u"May 3, 2001"_s);
    }

    void oneDaySteps_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("result");
        QTest::newRow("into the new year") << u"Dec 31, 2001"_s << u"lblTarget"_s << 1 << u"Jan 1, 2002"_s;
        QTest::newRow("back into the old year") << u"1/1/2002"_s << u"Label10"_s << 1 << u"Dec 31, 2001"_s;
        QTest::newRow("three back across a month") << u"May 3, 2001"_s << u"Label10"_s << 3 << u"Apr 30, 2001"_s;
        QTest::newRow("leap day") << u"February 28, 2000"_s << u"lblTarget"_s << 1 << u"Feb 29, 2000"_s;
        QTest::newRow("no date: later") << u"13/45/2001"_s << u"lblTarget"_s << 1 << u"13/45/2001"_s;
        QTest::newRow("no date: earlier") << u"soon"_s << u"Label10"_s << 1 << u"soon"_s;
        QTest::newRow("past the last year") << u"Dec 31, 9999"_s << u"lblTarget"_s << 1 << u"Dec 31, 9999"_s;
    }

    void oneDaySteps()
    {
        QFETCH(QString, date);
        QFETCH(QString, label);
        QFETCH(int, clicks);
        QFETCH(QString, result);
        MainWindowFixture& rig = onScreen();
        entry(rig).setLaunchDateText(date);
        entry(rig).DisableSetLaunchTime();
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(rig.get<QWidget>(label), Qt::LeftButton);
        QCOMPARE(rig.text(u"txtLaunchDate"_s), result);
        QCOMPARE(armed(rig), result != date);
        QCOMPARE(rig.text(u"lblTarget"_s), InitialTarget);
    }

    // The count goes on behind the confirmation box, and the new target counts at once after Yes.
    void countRunsWhileConfirming()
    {
        MainWindowFixture& rig = onScreen();
        QCOMPARE(rig.text(u"lblSeconds"_s), u"10"_s);
        rig.get<UpScrollBar>(u"vsbHours"_s)->setLevel(14);
        rig.get<UpScrollBar>(u"vsbMinutes"_s)->setLevel(5);
        QString secondsDuringBox;
        rig.prompter().answer(Answer::Yes, [&] {
            rig.clock().advance(4);
            settle();
            secondsDuringBox = rig.text(u"lblSeconds"_s);
        });
        clickSet(rig);
        QCOMPARE(secondsDuringBox, u"06"_s);
        QCOMPARE(rig.text(u"lblNowStamp"_s), u"5/3/2001 10:29:54 AM"_s); // when Yes came
        settle();
        // 14:05:00 less 10:29:54
        QCOMPARE(rig.text(u"lblHours"_s) + rig.text(u"lblMinutes"_s) + rig.text(u"lblSeconds"_s), u"033506"_s);
        QCOMPARE(rig.text(u"lblTMinus"_s), u"T -"_s);
    }
};

QTEST_MAIN(TestLaunchTime)
#include "tst_launchtime.moc"
