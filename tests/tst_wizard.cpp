#include "GuiTest.h"
#include "platform/widgets/ClickLineEdit.h"
#include "platform/widgets/UpScrollBar.h"
#include "platform/widgets/WatchedLabel.h"
#include "shell/frmTarvane.h"
#include "simtime/SimTime.h"
#include "simtime/SimTimeWizard.h"
#include "simtime/frmWizardPlusMinus.h"
#include "simtime/frmWizardTime.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionSlider>
#include <QTest>

using namespace Qt::StringLiterals;
using Answer = Prompter::Answer;

namespace {

const QColor Pink(255, 192, 192);
const QColor Green(0, 192, 0);
const QString Confirmation = u"Tarvane will now change your computer's clock.  Do you want to continue?"_s;

// The wizard's pages over the shared window.
struct Window
{
    explicit Window(MainWindowFixture& fixture)
        : f(fixture), clock(fixture.clock()), prompter(fixture.prompter()), w(fixture.window())
    {
    }

    MainWindowFixture& f;
    FakeClock& clock;
    ScriptedPrompter& prompter;
    frmTarvane& w;

    SimTimeWizard& wizard() { return w.simTime().wizard(); }
    frmWizardPlusMinus* page1() { return wizard().plusMinusPage(); }
    frmWizardTime* page2() { return wizard().timePage(); }

    void manualSet() { QVERIFY(triggerAction(w, u"mnuManualSet"_s)); }
    // On the button's caption, which for an option button is at its left rather than in its middle.
    void click(QWidget* page, const QString& name)
    {
        auto* button = child<QAbstractButton>(*page, name);
        const QPoint at =
            qobject_cast<QRadioButton*>(button) ? QPoint(8, button->height() / 2) : button->rect().center();
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
    }
    void next() { click(page1(), u"cmdNext"_s); }
    void setLevels(int days, int hours, int minutes, int seconds)
    {
        const std::array<int, 4> levels = {days, hours, minutes, seconds};
        const std::array<QString, 4> bars = {u"vsbDaysSim"_s, u"vsbHoursSim"_s, u"vsbMinutesSim"_s, u"vsbSecondsSim"_s};
        for (size_t i = 0; i < bars.size(); ++i)
            child<UpScrollBar>(*page2(), bars[i])->setLevel(levels[i]);
    }
    QString boxes()
    {
        QStringList shown;
        for (const QString& name : {u"txtDaysSim"_s, u"txtHoursSim"_s, u"txtMinutesSim"_s, u"txtSecondsSim"_s})
            shown << child<ClickLineEdit>(*page2(), name)->text();
        return shown.join(u' ');
    }
    QString count() { return f.count(); }
    // Both pages gone for good, not merely hidden.
    bool closed()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return !wizard().isOpen() && !w.findChild<frmWizardPlusMinus*>() && !w.findChild<frmWizardTime*>();
    }
};

// The colour the widget fills its background with.
QColor background(const QWidget* widget)
{
    return widget->autoFillBackground() ? widget->palette().color(widget->backgroundRole()) : QColor();
}

QColor sideOf(frmWizardPlusMinus* page)
{
    const QColor frame = background(child<QGroupBox>(*page, u"fraFrame"_s));
    if (background(child<QRadioButton>(*page, u"optTMinus"_s)) != frame ||
        background(child<QRadioButton>(*page, u"optTPlus"_s)) != frame)
        return {};
    return frame;
}

void clickArrow(UpScrollBar* bar, QStyle::SubControl arrow)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Vertical;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    const QRect rect = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, arrow, bar);
    QTest::mouseClick(bar, Qt::LeftButton, {}, rect.center());
}

} // namespace

class TestWizard : public GuiTest
{
    Q_OBJECT

private slots:

    void firstPageAsCreated()
    {
        Window t(f);
        t.manualSet();
        frmWizardPlusMinus* page = t.page1();
        QVERIFY(page && page->isVisible() && page->isWindow());
        QCOMPARE(page->parentWidget(), &t.w); // owned by the main window, and gone with it
        QVERIFY(!page->isModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(!(page->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(page->windowTitle(), u"Manual Sim Time Wizard"_s);
        QCOMPARE(background(page), QColor(192, 192, 192));
        QCOMPARE(child<QLabel>(*page, u"lblInstruction"_s)->text(),
                 u"Check the appropriate button and then click Next."_s);
        QCOMPARE(child<QGroupBox>(*page, u"fraFrame"_s)->title(), u"Prelaunch or Postlaunch"_s);
        auto* tMinus = child<QRadioButton>(*page, u"optTMinus"_s);
        auto* tPlus = child<QRadioButton>(*page, u"optTPlus"_s);
        QCOMPARE(tMinus->text(), u"T MINUS (Before Liftoff)"_s);
        QCOMPARE(tPlus->text(), u"T PLUS (After Liftoff)"_s);
        QVERIFY(tMinus->isChecked() && !tPlus->isChecked());
        QCOMPARE(sideOf(page), Pink);
        auto* next = child<QPushButton>(*page, u"cmdNext"_s);
        auto* cancel = child<QPushButton>(*page, u"cmdCancel"_s);
        QCOMPARE(next->text(), u"&Next"_s);
        QCOMPARE(cancel->text(), u"&Cancel"_s);
        QVERIFY(next->x() < cancel->x());

        QList<QWidget*> order;
        for (QWidget* w = tMinus; order.size() < 4; w = w->nextInFocusChain()) {
            if (w->focusPolicy() & Qt::TabFocus)
                order << w;
        }
        QCOMPARE(order, (QList<QWidget*>{tMinus, tPlus, next, cancel}));
    }

    void choosingASidePaintsIt()
    {
        Window t(f);
        t.manualSet();
        t.click(t.page1(), u"optTPlus"_s);
        QCOMPARE(sideOf(t.page1()), Green);
        t.click(t.page1(), u"optTMinus"_s);
        QCOMPARE(sideOf(t.page1()), Pink);
        // Choosing with the keyboard paints it too.
        QVERIFY(QTest::qWaitForWindowActive(t.page1()));
        child<QRadioButton>(*t.page1(), u"optTMinus"_s)->setFocus();
        QTest::keyClick(child<QRadioButton>(*t.page1(), u"optTMinus"_s), Qt::Key_Down);
        QVERIFY(child<QRadioButton>(*t.page1(), u"optTPlus"_s)->isChecked());
        QCOMPARE(sideOf(t.page1()), Green);
    }

    void nextShowsTheChosenSide_data()
    {
        QTest::addColumn<bool>("tPlus");
        QTest::addColumn<QString>("side");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("T minus") << false << u"T Minus"_s << Pink;
        QTest::newRow("T plus") << true << u"T Plus"_s << Green;
    }

    void nextShowsTheChosenSide()
    {
        QFETCH(bool, tPlus);
        QFETCH(QString, side);
        QFETCH(QColor, colour);
        Window t(f);
        t.manualSet();
        if (tPlus)
            t.click(t.page1(), u"optTPlus"_s);
        t.next();

        frmWizardTime* page = t.page2();
        QVERIFY(page && page->isVisible() && !page->isModal());
        QVERIFY(t.page1() && t.page1()->isHidden());
        QCOMPARE(page->windowTitle(), u"Manual Sim Time Wizard"_s);
        QCOMPARE(child<QLabel>(*page, u"lblPlusMinus"_s)->text(), side);
        QCOMPARE(background(child<QGroupBox>(*page, u"fraFrame"_s)), colour);
        QCOMPARE(child<QGroupBox>(*page, u"fraFrame"_s)->title(), u"Mission Time"_s);
        QCOMPARE(t.boxes(), u"000 00 00 00"_s);
        QCOMPARE(child<QLabel>(*page, u"lblInstruction"_s)->text(),
                 u"Use the scroll bars to set the Days, Hours, Minutes, and Seconds before or after liftoff.  Then "
                 "click Enter and your computer's clock will automatically reset so that your Tarvane Clock will "
                 "show the Mission Time below."_s);
        QCOMPARE(child<QPushButton>(*page, u"cmdBack"_s)->toolTip(), u"Click here to go to the previous screen."_s);
        QCOMPARE(child<QPushButton>(*page, u"cmdEnter"_s)->text(), u"&Enter"_s);
        for (const QString& name : {u"txtDaysSim"_s, u"txtHoursSim"_s, u"txtMinutesSim"_s, u"txtSecondsSim"_s})
            QVERIFY(child<ClickLineEdit>(*page, name)->isReadOnly());
        QVERIFY(t.prompter.shown.isEmpty());
    }

    void scrollBarsStopAtTheirEnds_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("from");
        QTest::addColumn<QAbstractSlider::SliderAction>("action");
        QTest::addColumn<QString>("shown");
        // The bars run upside down underneath: towards the top is the sub direction.
        const auto up = QAbstractSlider::SliderSingleStepSub;
        const auto down = QAbstractSlider::SliderSingleStepAdd;
        const auto pageUp = QAbstractSlider::SliderPageStepSub;
        const auto pageDown = QAbstractSlider::SliderPageStepAdd;
        QTest::newRow("up on hours at 23") << u"vsbHoursSim"_s << u"txtHoursSim"_s << 23 << up << u"23"_s;
        QTest::newRow("down on days at 0") << u"vsbDaysSim"_s << u"txtDaysSim"_s << 0 << down << u"000"_s;
        QTest::newRow("track up on days at 360") << u"vsbDaysSim"_s << u"txtDaysSim"_s << 360 << pageUp << u"365"_s;
        QTest::newRow("track down on days at 15") << u"vsbDaysSim"_s << u"txtDaysSim"_s << 15 << pageDown << u"005"_s;
        QTest::newRow("up on minutes at 58") << u"vsbMinutesSim"_s << u"txtMinutesSim"_s << 58 << up << u"59"_s;
        QTest::newRow("up on seconds at 59") << u"vsbSecondsSim"_s << u"txtSecondsSim"_s << 59 << up << u"59"_s;
        QTest::newRow("track down on seconds at 4")
            << u"vsbSecondsSim"_s << u"txtSecondsSim"_s << 4 << pageDown << u"00"_s;
    }

    void scrollBarsStopAtTheirEnds()
    {
        QFETCH(QString, bar);
        QFETCH(QString, box);
        QFETCH(int, from);
        QFETCH(QAbstractSlider::SliderAction, action);
        QFETCH(QString, shown);
        Window t(f);
        t.manualSet();
        t.next();
        auto* scrollBar = child<UpScrollBar>(*t.page2(), bar);
        scrollBar->setLevel(from);
        scrollBar->triggerAction(action);
        QCOMPARE(child<ClickLineEdit>(*t.page2(), box)->text(), shown);
    }

    // The top arrow adds, the bottom arrow takes away, as the operator clicks them.
    void arrowsAsClicked()
    {
        Window t(f);
        t.manualSet();
        t.next();
        auto* hours = child<UpScrollBar>(*t.page2(), u"vsbHoursSim"_s);
        clickArrow(hours, QStyle::SC_ScrollBarSubLine);
        clickArrow(hours, QStyle::SC_ScrollBarSubLine);
        QCOMPARE(t.boxes(), u"000 02 00 00"_s);
        clickArrow(hours, QStyle::SC_ScrollBarAddLine);
        QCOMPARE(t.boxes(), u"000 01 00 00"_s);
    }

    void enter_data()
    {
        QTest::addColumn<bool>("tPlus");
        QTest::addColumn<QList<int>>("levels");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("clockSetTo");
        QTest::addColumn<QString>("count");
        const QString target = u"May 3, 2001   10:30:00 AM"_s;
        QTest::newRow("T minus zero is liftoff")
            << false << QList<int>{0, 0, 0, 0} << target << u"May 3, 2001 10:30:00 AM"_s << u"T + 000 00:00:00"_s;
        QTest::newRow("T plus 1 day 02:03:04")
            << true << QList<int>{1, 2, 3, 4} << target << u"May 4, 2001 12:33:04 PM"_s << u"T + 001 02:03:04"_s;
        QTest::newRow("T minus 1 day 02:03:04")
            << false << QList<int>{1, 2, 3, 4} << target << u"May 2, 2001 8:26:56 AM"_s << u"T - 001 02:03:04"_s;
        QTest::newRow("T minus 59:59 across midnight")
            << false << QList<int>{0, 0, 59, 59} << u"May 3, 2001   12:30:00 AM"_s << u"May 2, 2001 11:30:01 PM"_s
            << u"T - 000 00:59:59"_s;
        QTest::newRow("largest after liftoff")
            << true << QList<int>{365, 23, 59, 59} << target << u"May 4, 2002 10:29:59 AM"_s << u"T + 365 23:59:59"_s;
        QTest::newRow("largest before liftoff")
            << false << QList<int>{365, 23, 59, 59} << target << u"May 2, 2000 10:30:01 AM"_s << u"T - 365 23:59:59"_s;
    }

    // Enter asks once, closes both pages and sets the clock to the target plus the mission time shown.
    void enter()
    {
        QFETCH(bool, tPlus);
        QFETCH(QList<int>, levels);
        QFETCH(QString, target);
        QFETCH(QString, clockSetTo);
        QFETCH(QString, count);
        Window t(f);
        t.w.holds().setLaunchTarget(target); // as a launch data file brings it
        t.manualSet();
        if (tPlus)
            t.click(t.page1(), u"optTPlus"_s);
        t.next();
        t.setLevels(levels[0], levels[1], levels[2], levels[3]);
        t.prompter.answer(Answer::Yes, [&] { QVERIFY(t.wizard().isOpen()); });

        t.click(t.page2(), u"cmdEnter"_s);
        settle();

        QCOMPARE(t.prompter.shown.size(), 1);
        QCOMPARE(t.prompter.shown[0].title, u"Tarvane"_s);
        QCOMPARE(t.prompter.shown[0].text, Confirmation);
        QCOMPARE(t.clock.setRequests, QList<CivilDateTime>{FakeClock::at(clockSetTo)});
        QVERIFY(t.closed());
        QCOMPARE(t.count(), count);
        QCOMPARE(child<WatchedLabel>(t.w, u"lblTarget"_s)->text(), target);
    }

    void noAfterEnterClosesAndLeavesTheClock()
    {
        Window t(f);
        const CivilDateTime before = t.clock.now();
        t.manualSet();
        t.next();
        t.setLevels(0, 0, 10, 0);
        t.prompter.answer(Answer::No);
        t.click(t.page2(), u"cmdEnter"_s);
        QVERIFY(t.closed());
        QVERIFY(t.clock.setRequests.isEmpty());
        QCOMPARE(t.clock.now(), before);
    }

    // Back keeps the four values; a changed side shows after Next and gives Enter its sign.
    void backKeepsTheValues()
    {
        Window t(f);
        t.manualSet();
        t.next();
        t.setLevels(1, 2, 3, 4);
        t.click(t.page2(), u"cmdBack"_s);
        QVERIFY(t.page2()->isHidden());
        QVERIFY(t.page1()->isVisible());
        QCOMPARE(sideOf(t.page1()), Pink);

        t.click(t.page1(), u"optTPlus"_s);
        t.next();
        QCOMPARE(t.boxes(), u"001 02 03 04"_s);
        QCOMPARE(child<QLabel>(*t.page2(), u"lblPlusMinus"_s)->text(), u"T Plus"_s);
        QCOMPARE(background(child<QGroupBox>(*t.page2(), u"fraFrame"_s)), Green);

        t.prompter.answer(Answer::Yes);
        t.click(t.page2(), u"cmdEnter"_s);
        QCOMPARE(t.clock.setRequests, QList<CivilDateTime>{FakeClock::at(u"May 4, 2001 12:33:04 PM")});
    }

    void cancelDiscardsBothPages_data()
    {
        QTest::addColumn<bool>("fromFirstPage");
        QTest::newRow("cancel on the first page after Back") << true;
        QTest::newRow("cancel on the second page") << false;
    }

    void cancelDiscardsBothPages()
    {
        QFETCH(bool, fromFirstPage);
        Window t(f);
        t.manualSet();
        t.click(t.page1(), u"optTPlus"_s);
        t.next();
        t.setLevels(5, 6, 7, 8);
        if (fromFirstPage) {
            t.click(t.page2(), u"cmdBack"_s);
            t.click(t.page1(), u"cmdCancel"_s);
        } else {
            t.click(t.page2(), u"cmdCancel"_s);
        }
        QVERIFY(t.closed());

        t.manualSet();
        QVERIFY(child<QRadioButton>(*t.page1(), u"optTMinus"_s)->isChecked());
        QCOMPARE(sideOf(t.page1()), Pink);
        t.next();
        QCOMPARE(t.boxes(), u"000 00 00 00"_s);
        QCOMPARE(child<QLabel>(*t.page2(), u"lblPlusMinus"_s)->text(), u"T Minus"_s);
        QVERIFY(t.prompter.shown.isEmpty());
        QVERIFY(t.clock.setRequests.isEmpty());
    }

    // Manual Set on the second page shows the first beside it, as it was left; Next hides it again.
    void manualSetWhileOnTheSecondPage()
    {
        Window t(f);
        t.manualSet();
        t.click(t.page1(), u"optTPlus"_s);
        t.next();
        t.setLevels(0, 3, 0, 0);

        t.manualSet();
        QVERIFY(t.page1()->isVisible());
        QVERIFY(t.page2()->isVisible());
        QVERIFY(child<QRadioButton>(*t.page1(), u"optTPlus"_s)->isChecked());

        t.click(t.page1(), u"optTMinus"_s);
        t.next();
        QVERIFY(t.page1()->isHidden());
        QVERIFY(t.page2()->isVisible());
        QCOMPARE(t.boxes(), u"000 03 00 00"_s);
        QCOMPARE(child<QLabel>(*t.page2(), u"lblPlusMinus"_s)->text(), u"T Minus"_s);
    }

    // No default or cancel button: Esc leaves the pages open, and Enter presses only the focused button.
    void keys()
    {
        Window t(f);
        t.manualSet();
        for (QPushButton* b : t.page1()->findChildren<QPushButton*>())
            QVERIFY(!b->isDefault());
        QTest::keyClick(t.page1(), Qt::Key_Escape);
        QVERIFY(t.page1()->isVisible());
        QTest::keyClick(child<QRadioButton>(*t.page1(), u"optTMinus"_s), Qt::Key_Return);
        QVERIFY(t.page1()->isVisible());
        QVERIFY(!t.page2());

        QTest::keyClick(child<QPushButton>(*t.page1(), u"cmdNext"_s), Qt::Key_Return);
        QVERIFY(t.page2() && t.page2()->isVisible());
        QTest::keyClick(t.page2(), Qt::Key_Escape);
        QTest::keyClick(child<ClickLineEdit>(*t.page2(), u"txtDaysSim"_s), Qt::Key_Enter);
        QVERIFY(t.page2()->isVisible());
        QVERIFY(t.prompter.shown.isEmpty());

        QTest::keyClick(child<QPushButton>(*t.page2(), u"cmdBack"_s), Qt::Key_Enter);
        QVERIFY(t.page2()->isHidden());
        QVERIFY(t.page1()->isVisible());
    }

    // The read-only boxes take the arrow and page keys for their scroll bars, so the keyboard can set a time.
    void keysStepTheBoxes()
    {
        Window t(f);
        t.manualSet();
        t.next();
        auto* days = child<ClickLineEdit>(*t.page2(), u"txtDaysSim"_s);
        auto* hours = child<ClickLineEdit>(*t.page2(), u"txtHoursSim"_s);
        QTest::keyClick(days, Qt::Key_Up);
        QTest::keyClick(days, Qt::Key_Up);
        QTest::keyClick(days, Qt::Key_Down);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(hours, Qt::Key_PageUp);
        QTest::keyClick(child<ClickLineEdit>(*t.page2(), u"txtSecondsSim"_s), Qt::Key_Down);
        QCOMPARE(t.boxes(), u"001 23 00 00"_s);
        QTest::keyClick(hours, Qt::Key_PageDown);
        QCOMPARE(t.boxes(), u"001 13 00 00"_s);
    }

    // The pages open over the main window, wherever it stands, the second where the first was.
    void pagesOpenOverTheMainWindow()
    {
        Window t(f);
        f.shownWindow();
        t.w.ShowFullView();
        t.w.move(60, 40);
        settle();
        t.manualSet();
        QVERIFY(QTest::qWaitForWindowExposed(t.page1()));
        // Frames differ from side to side by no more than a title bar.
        const QPoint off = t.page1()->geometry().center() - t.w.geometry().center();
        QVERIFY2(std::abs(off.x()) <= 4 && std::abs(off.y()) <= 24,
                 qPrintable(u"the page's middle lies %1,%2 off the window's"_s.arg(off.x()).arg(off.y())));
        t.next();
        QVERIFY(QTest::qWaitForWindowExposed(t.page2()));
        QCOMPARE(t.page2()->pos(), t.page1()->pos());
    }

    // The main window's commands stay usable while the wizard is open.
    void theMainWindowStaysUsable()
    {
        Window t(f);
        t.manualSet();
        t.next();
        t.prompter.answer(Answer::Yes);
        QVERIFY(triggerAction(t.w, u"mnuTminus10"_s));
        settle();
        QCOMPARE(t.count(), u"T - 000 00:10:00"_s);
        QVERIFY(t.page2()->isVisible());
    }
};

QTEST_MAIN(TestWizard)
#include "tst_wizard.moc"
