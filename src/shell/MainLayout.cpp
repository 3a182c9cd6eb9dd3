#include "MainLayout.h"

#include "CurrentFilePanel.h"
#include "MissionCountPanel.h"
#include "platform/ClickLineEdit.h"
#include "platform/ClickPanel.h"
#include "platform/Colours.h"
#include "platform/LineWidget.h"
#include "platform/Metrics.h"
#include "platform/ShapeWidget.h"
#include "platform/SurfaceWidget.h"
#include "platform/UpScrollBar.h"
#include "platform/WatchedLabel.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>

using namespace Qt::StringLiterals;
using Metrics::px;
using Metrics::twipsRect;
using Metrics::uiFont;

namespace {

using Colours::paintBackground;

template <typename W> W* place(W* widget, const QString& name, QRect twips, const QFont& font)
{
    widget->setObjectName(name);
    widget->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    widget->setFont(font);
    return widget;
}

WatchedLabel* label(QWidget* parent, const QString& name, const QString& text, QRect twips, const QFont& font,
                    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop)
{
    auto* l = place(new WatchedLabel(text, parent), name, twips, font);
    l->setAlignment(align);
    return l;
}

ClickLineEdit* textBox(QWidget* parent, const QString& name, const QString& text, QRect twips, int maxLength,
                       bool locked)
{
    auto* t = place(new ClickLineEdit(parent), name, twips, uiFont(12, true));
    t->setMaxLength(maxLength);
    t->setText(text);
    t->setReadOnly(locked);
    return t;
}

UpScrollBar* scrollBar(QWidget* parent, const QString& name, QRect twips, int maximum, int value)
{
    auto* s = new UpScrollBar(parent);
    s->setObjectName(name);
    s->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    s->setLevelRange(0, maximum);
    s->setLevel(value);
    return s;
}

// A control whose box in the layout is lower than this toolkit draws its text grows about its middle.
void growToText(QWidget* w)
{
    const int needed = w->sizeHint().height();
    if (needed <= w->height())
        return;
    QRect box = w->geometry();
    box.adjust(0, -(needed - box.height()) / 2, 0, 0);
    box.setHeight(needed);
    w->setGeometry(box);
}

// The three fields of a time entry and their scroll bars. Each bar overlaps the next field by two pixels; the bars
// lie on top so that their arrows stay whole, and the fields keep their digits clear of them. A screen reader hears
// each field's name, and its bar's as "... up or down".
void finishTimeEntry(const std::array<ClickLineEdit*, 3>& fields, const std::array<UpScrollBar*, 3>& bars,
                     const std::array<QString, 3>& names)
{
    for (size_t i = 0; i < fields.size(); ++i) {
        bars[i]->raise();
        fields[i]->setTextMargins(px(30), 0, 0, 0);
        fields[i]->setAccessibleName(names[i]);
        bars[i]->setAccessibleName(names[i] + u" up or down"_s);
    }
}

// Controls whose own text does not say what they are, for screen readers.
void name(std::initializer_list<std::pair<QWidget*, QString>> names)
{
    for (const auto& [widget, accessibleName] : names)
        widget->setAccessibleName(accessibleName);
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, QRect twips, const QFont& font)
{
    return place(new QPushButton(caption, parent), name, twips, font);
}

void buildCountStrip(QWidget* s, MainControls& c)
{
    const QFont count = uiFont(19.5);
    const Qt::Alignment centred = Qt::AlignCenter;
    // The sign stands on the digits' baseline: the same box height and centring as theirs.
    c.count.lblTMinus =
        label(s, u"lblTMinus"_s, u"T -"_s, {240, 180, 540, 540}, uiFont(19.5, true), Qt::AlignLeft | Qt::AlignVCenter);
    QPalette sign = c.count.lblTMinus->palette();
    sign.setColor(QPalette::WindowText, Colours::SignText);
    c.count.lblTMinus->setPalette(sign);

    c.count.lblDays = label(s, u"lblDays"_s, u"000"_s, {930, 180, 690, 540}, count, centred);
    auto* line2 = new LineWidget(QPoint(px(1800), px(683)), QPoint(px(1920), px(203)), 1, s);
    line2->setObjectName(u"Line2"_s);
    c.count.lblHours = label(s, u"lblHours"_s, u"00"_s, {2040, 180, 480, 540}, count, centred);
    auto* colon1 = label(s, u"Label3"_s, u":"_s, {2580, 180, 120, 540}, count, centred);
    c.count.lblMinutes = label(s, u"lblMinutes"_s, u"00"_s, {2760, 180, 480, 540}, count, centred);
    auto* colon2 = label(s, u"Label2"_s, u":"_s, {3300, 180, 120, 540}, count, centred);
    c.count.lblSeconds = label(s, u"lblSeconds"_s, u"00"_s, {3480, 180, 480, 540}, count, centred);
    for (WatchedLabel* digits : {c.count.lblDays, c.count.lblHours, c.count.lblMinutes, c.count.lblSeconds})
        paintBackground(digits, Colours::Counting);
    c.count.lblDays->setShrinkToFit(true); // the days take as many digits as the count needs
    c.holds.countDigits = {c.count.lblDays, c.count.lblHours, c.count.lblMinutes, c.count.lblSeconds};

    // The count's labels in one container that a screen reader reads as a whole.
    c.missionCount = new MissionCountPanel(s);
    c.missionCount->setGeometry(twipsRect(240, 180, 3960 - 240, 540));
    for (QWidget* w : std::initializer_list<QWidget*>{c.count.lblTMinus, c.count.lblDays, line2, c.count.lblHours,
                                                      colon1, c.count.lblMinutes, colon2, c.count.lblSeconds}) {
        const QPoint at = w->pos() - c.missionCount->pos();
        w->setParent(c.missionCount);
        w->move(at);
        w->show();
    }

    // The lamps stand from top to bottom in the order 1, 2, 0.
    const std::array<int, 3> lampTops = {600, 120, 360};
    const std::array<QString, 3> lampNames = {u"Last hour lamp"_s, u"Last ten minutes lamp"_s, u"Last minute lamp"_s};
    const std::array<QColor, 3> lampFills = {Colours::AmberLamp, Colours::AmberLamp, Colours::GreenLamp};
    for (size_t i = 0; i < 3; ++i) {
        auto* lamp = new ShapeWidget(ShapeWidget::Kind::Circle, lampFills[i], s);
        lamp->setObjectName(u"shpIndicator_"_s + QString::number(i));
        lamp->setGeometry(twipsRect(4080, lampTops[i], 135, 135));
        lamp->hide(); // dark until the count decides
        lamp->setAccessibleName(lampNames[i]);
        c.count.shpIndicator[i] = lamp;
    }

    c.launchWindow.lblWindowWarning = label(s, u"lblWindowWarning"_s, u"Launch Window Warning"_s, {1305, 0, 1845, 195},
                                            uiFont(8.25), Qt::AlignCenter);
    paintBackground(c.launchWindow.lblWindowWarning, Colours::Warning);
    c.launchWindow.lblWindowWarning->setToolTip(u"Click to hide."_s);
    c.launchWindow.lblWindowWarning->hide();

    c.holds.cmdHoldResume = button(s, u"cmdHoldResume"_s, u"&Hold"_s, {120, 840, 1935, 375}, uiFont(12, true));
    c.holds.cmdHoldResume->setEnabled(false);
    paintBackground(c.holds.cmdHoldResume, Colours::Silver);
    c.holds.cmdHoldResume->setToolTip(u"Click here to HOLD the countdown."_s);
    c.views.cmdAccess = button(s, u"cmdAccess"_s, u"&Access Launch Data"_s, {2160, 840, 1935, 375}, uiFont(8.25));
}

void buildLaunchWindowPanel(QWidget* s, MainControls& c)
{
    auto* p = c.pctLaunchWindow = new ClickPanel(s);
    p->setObjectName(u"pctLaunchWindow"_s);
    p->setGeometry(twipsRect(360, 1920, 3285, 3465));
    paintBackground(p, Colours::Silver);

    label(p, u"Label12"_s, u"Set Launch Window"_s, {60, 120, 3015, 255}, uiFont(9.75, true), Qt::AlignCenter);
    c.launchWindow.lblLaunchWindow =
        label(p, u"lblLaunchWindow"_s, u"00:00:00"_s, {960, 600, 1215, 360}, uiFont(13.5, true), Qt::AlignCenter);
    paintBackground(c.launchWindow.lblLaunchWindow, Colours::Silver);
    c.launchWindow.chkLaunchWindowActive = place(new QCheckBox(u"Act&ive Launch Window"_s, p),
                                                 u"chkLaunchWindowActive"_s, {180, 1080, 2055, 195}, uiFont(8.25));
    c.launchWindow.chkLaunchWindowActive->setToolTip(u"Check to make Launch Window Active"_s);
    growToText(c.launchWindow.chkLaunchWindowActive);

    c.launchWindow.txtHoursW = textBox(p, u"txtHoursW"_s, u"00"_s, {180, 1620, 855, 420}, 2, false);
    c.launchWindow.vsbHoursW = scrollBar(p, u"vsbHoursW"_s, {1035, 1440, 135, 735}, 23, 0);
    c.launchWindow.txtMinutesW = textBox(p, u"txtMinutesW"_s, u"00"_s, {1140, 1620, 855, 420}, 2, false);
    c.launchWindow.vsbMinutesW = scrollBar(p, u"vsbMinutesW"_s, {1995, 1440, 135, 735}, 59, 0);
    c.launchWindow.txtSecondsW = textBox(p, u"txtSecondsW"_s, u"00"_s, {2100, 1620, 855, 420}, 2, false);
    c.launchWindow.vsbSecondsW = scrollBar(p, u"vsbSecondsW"_s, {2955, 1440, 135, 735}, 59, 0);
    finishTimeEntry({c.launchWindow.txtHoursW, c.launchWindow.txtMinutesW, c.launchWindow.txtSecondsW},
                    {c.launchWindow.vsbHoursW, c.launchWindow.vsbMinutesW, c.launchWindow.vsbSecondsW},
                    {u"Launch window hours"_s, u"Launch window minutes"_s, u"Launch window seconds"_s});
    p->setAccessibleName(u"Launch window"_s);
    const QFont caption = uiFont(8.25, true);
    label(p, u"Label7"_s, u"Hours"_s, {352, 2160, 800, 255}, caption);
    label(p, u"Label6"_s, u"Minutes"_s, {1230, 2160, 800, 255}, caption);
    label(p, u"Label5"_s, u"Seconds"_s, {2152, 2160, 800, 255}, caption);
    c.cmdSetWindow = button(p, u"cmdSetWindow"_s, u"Set Launch &Window"_s, {120, 2640, 3015, 615}, uiFont(8.25));
    c.cmdSetWindow->setToolTip(u"Click to set the Launch Window time"_s);
}

void buildLaunchTimePanel(QWidget* s, MainControls& c)
{
    auto* p = c.pctLaunchTime = new ClickPanel(s);
    p->setObjectName(u"pctLaunchTime"_s);
    p->setGeometry(twipsRect(3960, 1920, 5805, 3465));
    paintBackground(p, Colours::Silver);

    label(p, u"Label11"_s, u"Launch Time (local zone)"_s, {1200, 120, 3015, 255}, uiFont(9.75, true), Qt::AlignCenter);
    c.launchTime.lblTarget = label(p, u"lblTarget"_s, u"May 3, 2001   10:30:00 AM"_s, {1530, 600, 3675, 360},
                                   uiFont(13.5, true), Qt::AlignCenter);
    paintBackground(c.launchTime.lblTarget, Colours::Silver);
    c.launchTime.lblTarget->setShrinkToFit(true); // long month names and file-loaded texts

    c.launchTime.txtLaunchDate = textBox(p, u"txtLaunchDate"_s, u"May 3, 2001"_s, {60, 1642, 2535, 420}, 18, false);
    c.launchTime.txtLaunchDate->setToolTip(u"Double Click HERE to set the date using the calendar."_s);
    c.launchTime.txtHours = textBox(p, u"txtHours"_s, u"10"_s, {2700, 1642, 855, 420}, 2, true);
    c.launchTime.vsbHours = scrollBar(p, u"vsbHours"_s, {3555, 1440, 135, 735}, 23, 10);
    c.launchTime.txtMinutes = textBox(p, u"txtMinutes"_s, u"30"_s, {3660, 1642, 855, 420}, 2, true);
    c.launchTime.vsbMinutes = scrollBar(p, u"vsbMinutes"_s, {4515, 1440, 135, 735}, 59, 30);
    c.launchTime.txtSeconds = textBox(p, u"txtSeconds"_s, u"00"_s, {4620, 1642, 855, 420}, 2, true);
    c.launchTime.vsbSeconds = scrollBar(p, u"vsbSeconds"_s, {5475, 1440, 135, 735}, 59, 0);
    finishTimeEntry({c.launchTime.txtHours, c.launchTime.txtMinutes, c.launchTime.txtSeconds},
                    {c.launchTime.vsbHours, c.launchTime.vsbMinutes, c.launchTime.vsbSeconds},
                    {u"Launch hour"_s, u"Launch minute"_s, u"Launch second"_s});
    name({{c.launchTime.txtLaunchDate, u"Launch date"_s}, {p, u"Launch time"_s}});
    const QFont caption = uiFont(8.25, true);
    c.launchTime.Label10 = label(p, u"Label10"_s, u"Launch Date (MM/DD/YYYY)"_s, {90, 2160, 2500, 255}, caption);
    label(p, u"Label4"_s, u"Hour (24 h)"_s, {2640, 2160, 1100, 255}, caption);
    label(p, u"Label8"_s, u"Minute"_s, {3795, 2160, 900, 255}, caption);
    label(p, u"Label9"_s, u"Second"_s, {4717, 2160, 900, 255}, caption);
    c.launchTime.cmdSet = button(p, u"cmdSet"_s, u"&Set Launch Time"_s, {2640, 2640, 3015, 615}, uiFont(8.25));
    c.launchTime.cmdSet->setEnabled(false);
    c.launchTime.cmdSet->setToolTip(u"Click to set the Launch Time and Date"_s);

    // Last, so that it lies over the fields when shown.
    c.launchTime.Calendar = place(new QCalendarWidget(p), u"Calendar"_s, {120, 960, 3615, 2175}, uiFont(8.25));
    c.launchTime.Calendar->setToolTip(u"Double Click on a date to set and exit."_s);
    c.launchTime.Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    c.launchTime.Calendar->hide();
    c.launchTime.Calendar->setAccessibleName(u"Launch date calendar"_s);
}

void buildStatusBar(QMainWindow* window, MainControls& c)
{
    c.statusBar.sbrStatusBar = new QStatusBar(window);
    c.statusBar.sbrStatusBar->setObjectName(u"sbrStatusBar"_s);
    c.statusBar.sbrStatusBar->setSizeGripEnabled(false);
    const QFont font = uiFont(8.25);
    c.statusBar.sbrStatusBar->setFont(font);
    auto panel = [&](WatchedLabel* l, const QString& key, const QString& tip, int stretch) {
        l->setObjectName(key);
        l->setToolTip(tip);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setFont(font);
        l->setAccessibleName(tip);
        c.statusBar.sbrStatusBar->addPermanentWidget(l, stretch);
        return l;
    };
    const QFontMetrics metrics(font);
    const int padding = 12; // the sunken frame and a little air on each side
    c.statusBar.pnlNumberLock = panel(new WatchedLabel(), u"pnlNumberLock"_s, u"Number Lock Status"_s, 0);
    c.statusBar.pnlNumberLock->setAlignment(Qt::AlignCenter);
    c.statusBar.pnlNumberLock->setFixedWidth(metrics.horizontalAdvance(u"NUM"_s) + 2 * padding);
    c.statusBar.pnlCurrentDate = panel(new WatchedLabel(), u"pnlCurrentDate"_s, u"Current Date & Time"_s, 0);
    c.statusBar.pnlCurrentDate->setIndent(padding / 2);
    int widestDate = 0;
    for (const QString& month : {u"Jan"_s, u"Feb"_s, u"Mar"_s, u"Apr"_s, u"May"_s, u"Jun"_s, u"Jul"_s, u"Aug"_s,
                                 u"Sep"_s, u"Oct"_s, u"Nov"_s, u"Dec"_s})
        widestDate = std::max(widestDate, metrics.horizontalAdvance(month + u" 28, 2026  12:58:58 PM"_s));
    c.statusBar.pnlCurrentDate->setFixedWidth(widestDate + 2 * padding);
    c.statusBar.pnlCurrentFile =
        panel(new CurrentFilePanel(), u"pnlCurrentFile"_s, u"Current File.  Click here to open a new file."_s, 1);
    // Tall enough for the file picture, at least the layout's 315 twips.
    c.statusBar.sbrStatusBar->setFixedHeight(
        std::max(px(315), c.statusBar.pnlCurrentFile->minimumSizeHint().height() + 4));
    window->setStatusBar(c.statusBar.sbrStatusBar);
    c.statusBar.sbrStatusBar->hide();
}

} // namespace

MainControls MainLayout::build(QMainWindow* window)
{
    MainControls c;
    // Disabled captions in the grey of the classic desktop: the toolkit's own pale grey vanishes on the silver
    // panels and buttons.
    QPalette palette = window->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(QPalette::Disabled, role, Colours::DisabledText);
    window->setPalette(palette);
    c.surface = new SurfaceWidget(window);
    c.count.surface = c.surface;
    c.surface->setObjectName(u"frmTarvaneSurface"_s);
    c.surface->setMinimumSize(0, 0);
    paintBackground(c.surface, Colours::BeforeLiftoff);
    window->setCentralWidget(c.surface);

    buildCountStrip(c.surface, c);

    auto* line1 = new LineWidget(QPoint(px(128), px(1680)), QPoint(px(9863), px(1695)), 3, c.surface);
    line1->setObjectName(u"Line1"_s);
    auto* plate = new ShapeWidget(ShapeWidget::Kind::Rectangle, Colours::Plate, c.surface);
    plate->setObjectName(u"Shape1"_s);
    plate->setGeometry(twipsRect(120, 1800, 9855, 3735));

    buildLaunchWindowPanel(c.surface, c);
    buildLaunchTimePanel(c.surface, c);

    auto stamp = [&](const QString& name, int top) {
        auto* l = label(c.surface, name, QString(), {7080, top, 2895, 255}, uiFont(8.25));
        l->hide();
        return l;
    };
    c.holds.lblNowStamp = stamp(u"lblNowStamp"_s, 240);
    c.holds.lblTargetStamp = stamp(u"lblTargetStamp"_s, 480);
    c.launchWindow.lblLaunchWindowStamp = stamp(u"lblLaunchWindowStamp"_s, 840);
    c.launchWindow.lblNowStampWindow = stamp(u"lblNowStampWindow"_s, 1080);

    buildStatusBar(window, c);
    c.count.pnlCurrentDate = c.statusBar.pnlCurrentDate;
    c.views.window = window;
    c.simTime.window = window; // the wizard's pages belong to the main window and go with it
    c.views.sbrStatusBar = c.statusBar.sbrStatusBar;
    c.views.croppedPanels = {c.pctLaunchWindow, c.pctLaunchTime};
    return c;
}
