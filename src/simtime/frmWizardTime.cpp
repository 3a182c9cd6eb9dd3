#include "frmWizardTime.h"

#include "WizardLook.h"
#include "platform/widgets/ClickLineEdit.h"
#include "platform/DateTimeServices.h"
#include "platform/widgets/Metrics.h"
#include "platform/widgets/UpScrollBar.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using Metrics::px;

namespace {

struct UnitLook
{
    const char16_t* box;
    const char16_t* bar;
    const char16_t* caption;
    int maximum;
    int digits;
};

constexpr std::array<UnitLook, 4> Units = {{
    {u"txtDaysSim", u"vsbDaysSim", u"Days", 365, 3},
    {u"txtHoursSim", u"vsbHoursSim", u"Hours", 23, 2},
    {u"txtMinutesSim", u"vsbMinutesSim", u"Minutes", 59, 2},
    {u"txtSecondsSim", u"vsbSecondsSim", u"Seconds", 59, 2},
}};

// Twice as wide as the main window's narrow bars, so that the arrows can be hit on a modern screen.
constexpr int BarWidthTwips = 255;

} // namespace

frmWizardTime::frmWizardTime(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(u"frmWizardTime"_s);
    setWindowTitle(u"Manual Sim Time Wizard"_s);
    setFont(Metrics::uiFont(8.25));
    WizardLook::paint(this, WizardLook::PageGrey);

    auto* instruction =
        new QLabel(u"Use the scroll bars to set the Days, Hours, Minutes, and Seconds before or after liftoff.  Then "
                   "click Enter and your computer's clock will automatically reset so that your Tarvane Clock will "
                   "show the Mission Time below."_s,
                   this);
    instruction->setObjectName(u"lblInstruction"_s);
    instruction->setWordWrap(true);

    m_fraFrame = new QGroupBox(u"Mission Time"_s, this);
    m_fraFrame->setObjectName(u"fraFrame"_s);
    auto* fields = new QGridLayout(m_fraFrame);
    fields->setHorizontalSpacing(0);
    m_lblPlusMinus = new QLabel(u"T Minus"_s, m_fraFrame);
    m_lblPlusMinus->setObjectName(u"lblPlusMinus"_s);
    m_lblPlusMinus->setFont(Metrics::uiFont(12, true));
    fields->addWidget(m_lblPlusMinus, 0, 0, Qt::AlignVCenter);
    fields->setColumnMinimumWidth(1, px(240));

    for (int u = 0; u < UnitCount; ++u) {
        const UnitLook& look = Units[size_t(u)];
        auto* box = new ClickLineEdit(m_fraFrame);
        box->setObjectName(QString::fromUtf16(look.box));
        box->setFont(Metrics::uiFont(12, true));
        box->setMaxLength(look.digits);
        box->setReadOnly(true);
        box->setAlignment(Qt::AlignCenter);
        box->setText(DateTimeServices::formatNumber(0, look.digits));
        box->setFixedWidth(box->fontMetrics().horizontalAdvance(u"0"_s) * look.digits + px(240));

        auto* bar = new UpScrollBar(m_fraFrame);
        bar->setObjectName(QString::fromUtf16(look.bar));
        bar->setLevelRange(0, look.maximum);
        bar->setLevel(0);
        bar->setFixedWidth(px(BarWidthTwips));
        bar->setFixedHeight(box->sizeHint().height() + px(300));
        bar->takeKeysFrom(box);

        auto* caption = new QLabel(QString::fromUtf16(look.caption), m_fraFrame);
        caption->setFont(Metrics::uiFont(8.25, true));

        const int column = 2 + 3 * u;
        fields->addWidget(box, 0, column, Qt::AlignVCenter);
        fields->addWidget(bar, 0, column + 1);
        fields->addWidget(caption, 1, column, 1, 2, Qt::AlignLeft);
        if (u + 1 < UnitCount)
            fields->setColumnMinimumWidth(column + 2, px(120));
        m_boxes[size_t(u)] = box;
        m_bars[size_t(u)] = bar;
    }
    connect(m_bars[Days], &UpScrollBar::levelChanged, this, &frmWizardTime::vsbDaysSim_Change);
    connect(m_bars[Hours], &UpScrollBar::levelChanged, this, &frmWizardTime::vsbHoursSim_Change);
    connect(m_bars[Minutes], &UpScrollBar::levelChanged, this, &frmWizardTime::vsbMinutesSim_Change);
    connect(m_bars[Seconds], &UpScrollBar::levelChanged, this, &frmWizardTime::vsbSecondsSim_Change);

    auto* cmdBack = new QPushButton(u"&Back"_s, this);
    cmdBack->setObjectName(u"cmdBack"_s);
    cmdBack->setToolTip(u"Click here to go to the previous screen."_s);
    auto* cmdEnter = new QPushButton(u"&Enter"_s, this);
    cmdEnter->setObjectName(u"cmdEnter"_s);
    auto* cmdCancel = new QPushButton(u"&Cancel"_s, this);
    cmdCancel->setObjectName(u"cmdCancel"_s);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdBack, cmdEnter, cmdCancel}) {
        WizardLook::pressedByEnterWhenFocused(b);
        buttons->addWidget(b);
    }
    connect(cmdBack, &QPushButton::clicked, this, &frmWizardTime::backClicked);
    connect(cmdEnter, &QPushButton::clicked, this, &frmWizardTime::enterClicked);
    connect(cmdCancel, &QPushButton::clicked, this, &frmWizardTime::cancelClicked);

    auto* page = new QVBoxLayout(this);
    page->addWidget(instruction);
    page->addWidget(m_fraFrame);
    page->addLayout(buttons);

    // The instruction wraps to the width of the fields below it.
    instruction->setMinimumWidth(m_fraFrame->sizeHint().width());
    showSide(false);
}

void frmWizardTime::showSide(bool tPlus)
{
    m_lblPlusMinus->setText(tPlus ? u"T Plus"_s : u"T Minus"_s);
    WizardLook::paint(m_fraFrame, WizardLook::sideColour(tPlus));
}

qint32 frmWizardTime::days() const
{
    return shown(Days);
}

qint32 frmWizardTime::hours() const
{
    return shown(Hours);
}

qint32 frmWizardTime::minutes() const
{
    return shown(Minutes);
}

qint32 frmWizardTime::seconds() const
{
    return shown(Seconds);
}

void frmWizardTime::vsbDaysSim_Change()
{
    showLevel(Days);
}

void frmWizardTime::vsbHoursSim_Change()
{
    showLevel(Hours);
}

void frmWizardTime::vsbMinutesSim_Change()
{
    showLevel(Minutes);
}

void frmWizardTime::vsbSecondsSim_Change()
{
    showLevel(Seconds);
}

void frmWizardTime::showLevel(Unit unit)
{
    m_boxes[unit]->setText(DateTimeServices::formatNumber(m_bars[unit]->level(), Units[unit].digits));
}

qint32 frmWizardTime::shown(Unit unit) const
{
    return m_boxes[unit]->text().toInt();
}

// The frame's close button leaves the wizard as Cancel does.
void frmWizardTime::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous()) {
        event->ignore();
        emit closeRequested();
        return;
    }
    QWidget::closeEvent(event);
}
