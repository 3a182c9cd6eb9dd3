#include "frmWizardPlusMinus.h"

#include "WizardLook.h"
#include "platform/widgets/Metrics.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

frmWizardPlusMinus::frmWizardPlusMinus(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint)
{
    setObjectName(u"frmWizardPlusMinus"_s);
    setWindowTitle(u"Manual Sim Time Wizard"_s);
    setFont(Metrics::uiFont(8.25));
    WizardLook::paint(this, WizardLook::PageGrey);

    auto* instruction = new QLabel(u"Check the appropriate button and then click Next."_s, this);
    instruction->setObjectName(u"lblInstruction"_s);

    m_fraFrame = new QGroupBox(u"Prelaunch or Postlaunch"_s, this);
    m_fraFrame->setObjectName(u"fraFrame"_s);
    m_optTMinus = new QRadioButton(u"T MINUS (Before Liftoff)"_s, m_fraFrame);
    m_optTMinus->setObjectName(u"optTMinus"_s);
    m_optTPlus = new QRadioButton(u"T PLUS (After Liftoff)"_s, m_fraFrame);
    m_optTPlus->setObjectName(u"optTPlus"_s);
    m_optTMinus->setChecked(true);
    auto* options = new QVBoxLayout(m_fraFrame);
    options->addWidget(m_optTMinus);
    options->addWidget(m_optTPlus);

    m_cmdNext = new QPushButton(u"&Next"_s, this);
    m_cmdNext->setObjectName(u"cmdNext"_s);
    m_cmdCancel = new QPushButton(u"&Cancel"_s, this);
    m_cmdCancel->setObjectName(u"cmdCancel"_s);
    for (QPushButton* b : {m_cmdNext, m_cmdCancel})
        WizardLook::pressedByEnterWhenFocused(b);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdNext);
    buttons->addStretch();
    buttons->addWidget(m_cmdCancel);

    auto* page = new QVBoxLayout(this);
    page->addWidget(instruction);
    page->addWidget(m_fraFrame);
    page->addLayout(buttons);

    // Wide enough for the whole caption in the title bar, which the page's own content would not ask for.
    setMinimumWidth(Metrics::px(5400));

    setTabOrder(m_optTMinus, m_optTPlus);
    setTabOrder(m_optTPlus, m_cmdNext);
    setTabOrder(m_cmdNext, m_cmdCancel);
    paintSide(false);

    // toggled rather than clicked, so that choosing with the arrow keys colours the frame too
    connect(m_optTMinus, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optTMinus_Click();
    });
    connect(m_optTPlus, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            optTPlus_Click();
    });
    connect(m_cmdNext, &QPushButton::clicked, this, &frmWizardPlusMinus::nextClicked);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmWizardPlusMinus::cancelClicked);
}

bool frmWizardPlusMinus::isTPlus() const
{
    return m_optTPlus->isChecked();
}

void frmWizardPlusMinus::optTMinus_Click()
{
    paintSide(false);
}

void frmWizardPlusMinus::optTPlus_Click()
{
    paintSide(true);
}

void frmWizardPlusMinus::paintSide(bool tPlus)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_fraFrame, m_optTMinus, m_optTPlus})
        WizardLook::paint(w, WizardLook::sideColour(tPlus));
}

// The frame's close button leaves the wizard as Cancel does, rather than leaving a half-open wizard behind.
void frmWizardPlusMinus::closeEvent(QCloseEvent* event)
{
    if (event->spontaneous()) {
        event->ignore();
        emit closeRequested();
        return;
    }
    QWidget::closeEvent(event);
}
