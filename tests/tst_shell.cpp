// The shell's faults as a user met them: Alt+H, Tab in the compact view, quick clicks on the date labels, and the
// looks (fonts of menus and tooltips, the sign's baseline, the launch window's scroll bars, the information
// windows' frames). The keys are also driven for real under a window manager in tests/e2e/shell_keys_e2e.sh.
#include "GuiTest.h"

#include "platform/widgets/ClickLineEdit.h"
#include "platform/widgets/UpScrollBar.h"
#include "platform/widgets/WatchedLabel.h"
#include "shell/MainViews.h"
#include "shell/frmAbout.h"
#include "shell/frmTarvane.h"
#include "shell/frmTechSupport.h"

#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace {

// The main window ten minutes before the launch target, on screen and active.
struct Fixture
{
    explicit Fixture(MainWindowFixture& shared) : state(shared.state()), window(start(shared)) {}

    static frmTarvane& start(MainWindowFixture& shared)
    {
        shared.clock().setNow(FakeClock::at(u"May 3, 2001 10:20:00 AM"));
        frmTarvane& window = shared.shownWindow();
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            QTest::qFail("the main window never became active", __FILE__, __LINE__);
        settle();
        return window;
    }
    template <typename T = QWidget> T* get(const QString& name) const { return child<T>(window, name); }
    QString field(const QString& name) const { return get<ClickLineEdit>(name)->text(); }
    bool holding() const { return state.holding(); }

    const MissionState& state;
    frmTarvane& window;
};

// Where a single-line label draws its text's baseline, in the coordinates of another widget.
int baseline(const QLabel* label, const QWidget* in)
{
    const QFontMetrics metrics(label->font());
    const QRect box = label->contentsRect();
    int top = box.top();
    if (label->alignment() & Qt::AlignVCenter)
        top += (box.height() - metrics.height()) / 2;
    else if (label->alignment() & Qt::AlignBottom)
        top += box.height() - metrics.height();
    return label->mapTo(in, QPoint(0, top + metrics.ascent())).y();
}

} // namespace

class TestShell : public GuiTest
{
    Q_OBJECT

private slots:

    void altHHoldsWhenTheHoldButtonIsEnabled()
    {
        Fixture f(GuiTest::f);
        f.window.ShowFullView();
        settle();
        QVERIFY(triggerAction(f.window, u"mnuHoldEnable"_s));
        settle();
        QTest::keyClick(&f.window, Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(f.holding());
        QVERIFY(QApplication::activePopupWidget() == nullptr);  // Help stayed shut
        QTest::keyClick(&f.window, Qt::Key_R, Qt::AltModifier); // "&Resume"
        QTRY_VERIFY(!f.holding());
    }

    void altHOpensHelpWhenHoldsAreNotArmed()
    {
        Fixture f(GuiTest::f);
        f.window.ShowFullView();
        settle();
        QTest::keyClick(&f.window, Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QCOMPARE(QApplication::activePopupWidget(), f.window.actions().mnuHelp);
        f.window.actions().mnuHelp->close();
        QVERIFY(!f.holding());
    }

    // From start-up, Tab, Tab, "12" once set the launch window's hours, which the compact view does not show.
    void tabInTheCompactViewStaysInWhatItShows()
    {
        Fixture f(GuiTest::f);
        QVERIFY(triggerAction(f.window, u"mnuHoldEnable"_s)); // both buttons take the focus then
        settle();
        const QRect shown = f.window.rect();
        QList<QWidget*> visited;
        for (int i = 0; i < 6; ++i) {
            QWidget* focused = QApplication::focusWidget() ? QApplication::focusWidget() : &f.window;
            QTest::keyClick(focused, i % 3 == 2 ? Qt::Key_Backtab : Qt::Key_Tab);
            QWidget* now = QApplication::focusWidget();
            QVERIFY(now != nullptr);
            QVERIFY2(shown.intersects(QRect(now->mapTo(&f.window, QPoint()), now->size())),
                     qPrintable(now->objectName()));
            visited.append(now);
        }
        QVERIFY(visited.contains(f.get(u"cmdAccess"_s)));
        QVERIFY(visited.contains(f.get(u"cmdHoldResume"_s)));
        QTest::keyClicks(QApplication::focusWidget(), u"12"_s);
        for (const QString& name : {u"txtHoursW"_s, u"txtMinutesW"_s, u"txtSecondsW"_s})
            QCOMPARE(f.field(name), u"00"_s);
        QCOMPARE(f.field(u"txtLaunchDate"_s), u"May 3, 2001"_s);
    }

    // In the compact view the access keys of the cropped controls (Alt+I, Alt+S, Alt+W) and the shortcut of Active
    // Launch Window reach nothing, and the focus stays where the operator sees it; the other shortcuts work. The full
    // view takes them all.
    void compactViewKeysReachOnlyWhatItShows()
    {
        Fixture f(GuiTest::f);
        f.get<ClickLineEdit>(u"txtMinutes"_s)->setText(u"45"_s); // Set Launch Time has an entry to confirm
        QVERIFY(f.get(u"cmdSet"_s)->isEnabled());
        for (const QKeyCombination key : {Qt::AltModifier | Qt::Key_I, Qt::AltModifier | Qt::Key_S,
                                          Qt::AltModifier | Qt::Key_W, Qt::ControlModifier | Qt::Key_W}) {
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
            settle();
            QVERIFY2(!f.state.windowActive(), qPrintable(QKeySequence(key).toString()));
            QVERIFY(GuiTest::f.prompter().shown.isEmpty());
            QVERIFY2(f.window.views().isShown(QApplication::focusWidget()), // where Space would act
                     qPrintable(QApplication::focusWidget()->objectName()));
        }
        QTest::keyClick(&f.window, Qt::Key_D, Qt::ControlModifier);
        QTRY_VERIFY(f.state.holdsArmed());

        f.window.ShowFullView();
        settle();
        QTest::keyClick(&f.window, Qt::Key_I, Qt::AltModifier);
        QTRY_VERIFY(f.state.windowActive());
        QCOMPARE(QApplication::focusWidget(), f.get(u"chkLaunchWindowActive"_s));
        QTest::keyClick(&f.window, Qt::Key_W, Qt::ControlModifier);
        QTRY_VERIFY(!f.state.windowActive());
    }

    void compactViewTakesTheFocusOutOfThePanels()
    {
        Fixture f(GuiTest::f);
        f.window.ShowFullView();
        settle();
        f.get(u"txtHoursW"_s)->setFocus();
        f.window.ShowCompactView();
        QCOMPARE(QApplication::focusWidget(), f.get(u"cmdAccess"_s));
    }

    // Three clicks 150 ms apart: the second comes as a double click, which is a click too.
    void everyQuickClickSteps_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("date");
        QTest::newRow("launch target: a day later each") << u"lblTarget"_s << u"May 6, 2001"_s;
        QTest::newRow("launch date caption: a day earlier each") << u"Label10"_s << u"Apr 30, 2001"_s;
    }

    void everyQuickClickSteps()
    {
        QFETCH(QString, label);
        QFETCH(QString, date);
        Fixture f(GuiTest::f);
        f.window.ShowFullView();
        settle();
        auto* target = f.get<WatchedLabel>(label);
        const QPoint at = target->mapTo(&f.window, target->rect().center());
        QWindow* window = f.window.windowHandle();
        for (int i = 0; i < 3; ++i) {
            QTest::mousePress(window, Qt::LeftButton, {}, at, 150);
            QTest::mouseRelease(window, Qt::LeftButton, {}, at, 20);
        }
        QCOMPARE(f.field(u"txtLaunchDate"_s), date);
    }

    void menusAndTooltipsTakeTheMenuBarsFont()
    {
        Fixture f(GuiTest::f);
        const QFont bar = f.window.menuBar()->font();
        for (QMenu* menu : {f.window.actions().mnuSettings, child<QMenu>(f.window, u"mnuPopUp"_s)}) {
            QCOMPARE(menu->font().family(), bar.family());
            QCOMPARE(menu->font().pixelSize(), bar.pixelSize());
        }
        QCOMPARE(QToolTip::font().family(), bar.family());
        QCOMPARE(QToolTip::font().pixelSize(), bar.pixelSize());
    }

    void signStandsOnTheDigitsBaseline()
    {
        Fixture f(GuiTest::f);
        const QWidget* surface = f.get(u"frmTarvaneSurface"_s);
        const int digits = baseline(f.get<QLabel>(u"lblDays"_s), surface);
        QCOMPARE(baseline(f.get<QLabel>(u"lblTMinus"_s), surface), digits);
        QCOMPARE(baseline(f.get<QLabel>(u"lblSeconds"_s), surface), digits);
    }

    // Each time field's scroll bar overlaps the next field; the bar must lie on top, whole.
    void scrollBarsLieOverTheNextField_data()
    {
        QTest::addColumn<QString>("bar");
        for (const char* name : {"vsbHoursW", "vsbMinutesW", "vsbSecondsW", "vsbHours", "vsbMinutes", "vsbSeconds"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void scrollBarsLieOverTheNextField()
    {
        QFETCH(QString, bar);
        Fixture f(GuiTest::f);
        auto* scrollBar = f.get<UpScrollBar>(bar);
        QWidget* panel = scrollBar->parentWidget();
        const QRect box = scrollBar->geometry();
        for (int x : {box.left(), box.right()})
            QCOMPARE(panel->childAt(x, box.center().y()), scrollBar);
    }

    // The frame's orange fills the box under its line; the caption stands on the window's yellow, on that line.
    void informationFramesLeaveTheirCaptionAlone()
    {
        frmAbout about;
        frmTechSupport support;
        for (QDialog* info : {static_cast<QDialog*>(&about), static_cast<QDialog*>(&support)}) {
            info->show();
            QVERIFY(QTest::qWaitForWindowExposed(info));
            auto* frame = child<QGroupBox>(*info, u"Frame1"_s);
            QVERIFY(!frame->autoFillBackground());
            QStyleOptionGroupBox option;
            option.initFrom(frame);
            option.text = frame->title();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect caption =
                frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
            auto* fill = child<QWidget>(*frame, u"Frame1Fill"_s);
            QVERIFY(fill->autoFillBackground());
            QCOMPARE(fill->palette().color(QPalette::Window), QColor(255, 224, 192));
            QVERIFY2(fill->geometry().top() >= caption.bottom(), "the fill reaches up behind the caption");
            info->close();
        }
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
