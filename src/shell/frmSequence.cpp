#include "frmSequence.h"

#include "LayoutKit.h"
#include "clock/Milestone.h"
#include "clock/Mission.h"
#include "clock/MissionState.h"
#include "clock/MissionTexts.h"
#include "clock/SequenceEngine.h"
#include "platform/ApplicationInfo.h"
#include "platform/Prompter.h"
#include "platform/widgets/Colours.h"
#include "platform/widgets/Metrics.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStringBuilder>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

using LayoutKit::plainLabel;

QString kindText(Milestone::Kind kind)
{
    return kind == Milestone::Kind::BuiltInHold ? u"Built-in hold"_s : u"Callout"_s;
}

QString stateText(MissionState::MilestoneState state)
{
    switch (state) {
    case MissionState::MilestoneState::Ahead:
        return u"ahead"_s;
    case MissionState::MilestoneState::Running:
        return u"running"_s;
    case MissionState::MilestoneState::Passed:
        return u"passed"_s;
    case MissionState::MilestoneState::Skipped:
        return u"skipped"_s;
    }
    return {};
}

// A span of seconds as "h:mm:ss", with the days before it when there are any: "1 02:00:00".
QString spanText(qint64 seconds)
{
    constexpr qint64 SecsPerDay = 86400;
    if (seconds < SecsPerDay)
        return Milestone::lengthText(static_cast<qint32>(seconds));
    return MissionTexts::clockText(u'T', seconds).mid(4);
}

// Asks for one milestone: its T-time, name, kind and planned length. OK hands the texts to apply, which names
// what is wrong with them (the dialog stays open, the focus on the entry at fault) or changes the sequence (and
// it closes).
class frmMilestone final : public QDialog
{
public:
    using Apply = std::function<SequenceProblem(const BuiltMilestone&)>;

    frmMilestone(const QString& title, const Milestone& shown, Apply apply, QWidget* parent)
        : QDialog(parent), m_apply(std::move(apply)), m_txtTTime(new QLineEdit(this)), m_txtName(new QLineEdit(this)),
          m_cboKind(new QComboBox(this)), m_txtLength(new QLineEdit(this))
    {
        setObjectName(u"frmMilestone"_s);
        setWindowTitle(title);
        setAttribute(Qt::WA_DeleteOnClose);
        m_txtTTime->setObjectName(u"txtTTime"_s);
        m_txtName->setObjectName(u"txtName"_s);
        m_cboKind->setObjectName(u"cboKind"_s);
        m_txtLength->setObjectName(u"txtLength"_s);
        m_cboKind->addItem(kindText(Milestone::Kind::Callout));
        m_cboKind->addItem(kindText(Milestone::Kind::BuiltInHold));
        m_txtTTime->setPlaceholderText(u"T - 00:20:00"_s);
        m_txtLength->setPlaceholderText(u"0:10:00"_s);
        if (!shown.name.isEmpty()) {
            m_txtTTime->setText(Milestone::timeText(shown.time));
            m_txtName->setText(shown.name);
            m_cboKind->setCurrentIndex(shown.isBuiltInHold() ? 1 : 0);
            if (shown.isBuiltInHold())
                m_txtLength->setText(Milestone::lengthText(shown.plannedLength));
        }
        const int chars = m_txtName->fontMetrics().averageCharWidth();
        m_txtName->setMinimumWidth(chars * 40);
        auto showLength = [this] { m_txtLength->setEnabled(m_cboKind->currentIndex() == 1); };
        connect(m_cboKind, &QComboBox::currentIndexChanged, this, showLength);
        showLength();

        auto* form = new QFormLayout;
        form->addRow(u"&T-time:"_s, m_txtTTime);
        form->addRow(u"&Name:"_s, m_txtName);
        form->addRow(u"&Kind:"_s, m_cboKind);
        form->addRow(u"Planned &length:"_s, m_txtLength);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Ok)->setObjectName(u"cmdOK"_s);
        buttons->button(QDialogButtonBox::Cancel)->setObjectName(u"cmdCancel"_s);
        connect(buttons, &QDialogButtonBox::accepted, this, &frmMilestone::tryAccept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addLayout(form);
        layout->addWidget(buttons);
        layout->setSizeConstraint(QLayout::SetFixedSize);
    }

private:
    void tryAccept()
    {
        const auto kind = m_cboKind->currentIndex() == 1 ? Milestone::Kind::BuiltInHold : Milestone::Kind::Callout;
        // A callout's length field is disabled: what stands in it is not the operator's entry.
        const QString length = kind == Milestone::Kind::BuiltInHold ? m_txtLength->text() : QString();
        const SequenceProblem problem =
            m_apply(Milestone::fromTexts(m_txtTTime->text(), m_txtName->text(), kind, length));
        switch (problem.entry) {
        case SequenceProblem::Entry::TTime:
            m_txtTTime->setFocus();
            break;
        case SequenceProblem::Entry::Name:
            m_txtName->setFocus();
            break;
        case SequenceProblem::Entry::Kind:
            m_cboKind->setFocus();
            break;
        case SequenceProblem::Entry::Length:
            m_txtLength->setFocus();
            break;
        case SequenceProblem::Entry::None:
            break;
        }
        if (problem.isNone())
            accept();
    }

    Apply m_apply;
    QLineEdit* m_txtTTime;
    QLineEdit* m_txtName;
    QComboBox* m_cboKind;
    QLineEdit* m_txtLength;
};

} // namespace

frmSequence::frmSequence(Mission& mission, Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Dialog), m_mission(mission), m_prompter(prompter), m_lvwMilestones(new QTreeWidget(this)),
      m_lblNext(plainLabel(this, u"lblNext"_s)), m_lblRunning(plainLabel(this, u"lblRunning"_s)),
      m_lblDisarmed(plainLabel(this, u"lblDisarmed"_s)), m_lblLClock(plainLabel(this, u"lblLClock"_s)),
      m_lblProjected(plainLabel(this, u"lblProjected"_s)), m_lblWindowCheck(plainLabel(this, u"lblWindowCheck"_s)),
      m_cmdAdd(new QPushButton(u"&Add . . ."_s, this)), m_cmdEdit(new QPushButton(u"&Edit . . ."_s, this)),
      m_cmdRemove(new QPushButton(u"&Remove"_s, this)), m_cmdExtend(new QPushButton(u"E&xtend Hold"_s, this)),
      m_cmdClose(new QPushButton(u"Close"_s, this))
{
    setObjectName(u"frmSequence"_s);
    setWindowTitle(u"Countdown Sequence"_s);
    setFont(Metrics::uiFont(8.25)); // the main window's own
    setAttribute(Qt::WA_DeleteOnClose);

    m_lvwMilestones->setObjectName(u"lvwMilestones"_s);
    m_lvwMilestones->setRootIsDecorated(false);
    m_lvwMilestones->setUniformRowHeights(true);
    m_lvwMilestones->setAllColumnsShowFocus(true);
    m_lvwMilestones->setHeaderLabels({u"T-time"_s, u"Name"_s, u"Kind"_s, u"Length"_s, u"State"_s, u"Time to"_s});
    const int chars = fontMetrics().averageCharWidth();
    for (const auto& [column, width] : {std::pair{TTime, 16}, {Name, 34}, {Kind, 14}, {Length, 10}, {State, 10}})
        m_lvwMilestones->setColumnWidth(column, chars * width);
    m_lvwMilestones->setMinimumSize(chars * 110, fontMetrics().height() * 14);
    auto* lblMilestones = new QLabel(u"&Milestones:"_s, this);
    lblMilestones->setBuddy(m_lvwMilestones);
    for (auto [button, name] : {std::pair{m_cmdAdd, u"cmdAdd"_s},
                                {m_cmdEdit, u"cmdEdit"_s},
                                {m_cmdRemove, u"cmdRemove"_s},
                                {m_cmdExtend, u"cmdExtend"_s},
                                {m_cmdClose, u"cmdClose"_s}}) {
        button->setObjectName(name);
        button->setAutoDefault(false);
    }
    m_lblWindowCheck->setWordWrap(true);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_cmdAdd, m_cmdEdit, m_cmdRemove, m_cmdExtend})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(m_cmdClose);
    auto* table = new QHBoxLayout;
    table->addWidget(m_lvwMilestones, 1);
    table->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMilestones);
    layout->addLayout(table, 1);
    for (QLabel* label : {m_lblNext, m_lblRunning, m_lblDisarmed, m_lblLClock, m_lblProjected, m_lblWindowCheck})
        layout->addWidget(label);

    connect(m_cmdAdd, &QPushButton::clicked, this, [this] { editMilestone(-1); });
    connect(m_cmdEdit, &QPushButton::clicked, this, [this] {
        if (selectedIndex() >= 0)
            editMilestone(selectedIndex());
    });
    // Enter (or a double click) on a milestone edits it.
    connect(m_lvwMilestones, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { editMilestone(m_lvwMilestones->indexOfTopLevelItem(item)); });
    connect(m_cmdRemove, &QPushButton::clicked, this, &frmSequence::removeMilestone);
    new QShortcut(QKeySequence::Delete, m_lvwMilestones, this, &frmSequence::removeMilestone, Qt::WidgetShortcut);
    connect(m_cmdExtend, &QPushButton::clicked, this, [this] { m_mission.sequence().extendHold(); });
    connect(m_cmdClose, &QPushButton::clicked, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close); // as in every other small window
    connect(m_lvwMilestones, &QTreeWidget::currentItemChanged, this, &frmSequence::showStates);

    const MissionState& state = m_mission.state();
    connect(&state, &MissionState::sequenceChanged, this, &frmSequence::showMilestones);
    connect(&state, &MissionState::builtInHoldSkipped, this, [this](const Milestone& milestone) {
        m_skippedNote = u"  The built-in hold "_s % milestone.name % u" at " % Milestone::timeText(milestone.time) %
                        u" was skipped.";
        showClocks();
    });
    connect(&state, &MissionState::changed, this, &frmSequence::showStates);
    connect(&state, &MissionState::changed, this, &frmSequence::showClocks);
    showMilestones();
}

int frmSequence::selectedIndex() const
{
    return m_lvwMilestones->indexOfTopLevelItem(m_lvwMilestones->currentItem());
}

void frmSequence::showMilestones()
{
    const CountdownSequence& sequence = m_mission.state().sequence();
    const int current = selectedIndex();
    m_lvwMilestones->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(sequence.size());
    for (const Milestone& milestone : sequence.milestones()) {
        auto* item = new QTreeWidgetItem;
        item->setText(TTime, Milestone::timeText(milestone.time));
        item->setText(Name, milestone.name);
        item->setText(Kind, kindText(milestone.kind));
        item->setText(Length, milestone.isBuiltInHold() ? Milestone::lengthText(milestone.plannedLength) : QString());
        items << item;
    }
    m_lvwMilestones->addTopLevelItems(items);
    if (!items.isEmpty())
        m_lvwMilestones->setCurrentItem(items.value(std::clamp<int>(current, 0, int(items.size()) - 1)));
    showStates();
    showClocks();
}

// Each milestone's state and the time to it; the next one in bold.
void frmSequence::showStates()
{
    const MissionState& state = m_mission.state();
    const CountdownSequence& sequence = state.sequence();
    if (m_lvwMilestones->topLevelItemCount() != sequence.size())
        return; // the table follows on sequenceChanged
    const qsizetype next = state.passedMilestones();
    for (qsizetype i = 0; i < sequence.size(); ++i) {
        QTreeWidgetItem* item = m_lvwMilestones->topLevelItem(int(i));
        const auto milestoneState = state.milestoneState(i);
        const bool isNext = i == next && milestoneState == MissionState::MilestoneState::Ahead;
        item->setText(State, isNext ? u"next"_s : stateText(milestoneState));
        const auto to =
            milestoneState == MissionState::MilestoneState::Ahead ? state.secondsTo(sequence.at(i)) : std::nullopt;
        item->setText(TimeTo, to ? spanText(*to) : QString());
        if (QFont font = item->font(0); font.bold() != isNext) {
            font.setBold(isNext);
            for (int column = 0; column < Columns; ++column)
                item->setFont(column, font);
        }
    }
    const int index = selectedIndex();
    m_cmdEdit->setEnabled(index >= 0);
    m_cmdRemove->setEnabled(index >= 0);
    m_cmdExtend->setEnabled(m_mission.sequence().canExtendHold());
}

void frmSequence::showClocks()
{
    const MissionState& state = m_mission.state();
    const auto next = state.nextMilestone();
    const auto to = next ? state.secondsTo(*next) : std::nullopt;
    m_lblNext->setText(next ? u"Next:  "_s % next->name % u" at " % Milestone::timeText(next->time) %
                                  (to ? u", in "_s % spanText(*to) : QString())
                            : u"Next:  none"_s);
    const auto& running = state.runningHold();
    const auto left = state.runningHoldLeft();
    m_lblRunning->setVisible(running.has_value());
    if (running)
        m_lblRunning->setText(u"Holding:  "_s % running->milestone.name % u", " % spanText(left.value_or(0)) %
                              u" left of " % Milestone::lengthText(running->length()));
    m_lblDisarmed->setVisible(!state.holdsArmed());
    if (state.holdsArmed())
        m_skippedNote.clear();
    m_lblDisarmed->setText(u"Holds are disarmed: built-in holds are skipped."_s % m_skippedNote);

    const auto lClock = state.lClock();
    m_lblLClock->setText(u"L clock:  "_s % (lClock ? MissionTexts::clockText(u'L', *lClock) : u"none"_s) %
                         (lClock && !state.projectionKnown()
                              ? u"   (the count is held, and how long the hold lasts cannot be known)"_s
                              : QString()));
    m_lblProjected->setText(u"Projected liftoff:  "_s %
                            (state.projectedLiftoff() ? state.projectedLiftoffText() : u"none"_s));
    const WindowCheck check = state.windowCheck();
    m_lblWindowCheck->setVisible(check.applies);
    m_lblWindowCheck->setText(check.fits() ? check.text() : check.text() % u":  they do not fit.");
    QPalette palette = this->palette();
    if (!check.fits())
        palette.setColor(QPalette::WindowText, Colours::Unfit);
    m_lblWindowCheck->setPalette(palette);
    m_lblWindowCheck->setProperty("flagged", !check.fits());
}

void frmSequence::editMilestone(int index)
{
    const CountdownSequence& sequence = m_mission.state().sequence();
    const bool adding = index < 0 || index >= sequence.size();
    auto apply = [this, adding, original = adding ? Milestone() : sequence.at(index)](const BuiltMilestone& built) {
        SequenceProblem problem = built.problem;
        if (problem.isNone()) {
            if (adding) {
                problem = m_mission.sequence().addMilestone(*built.milestone);
            } else {
                // The milestone may have moved in the table meanwhile: it is found by its T-time.
                problem = m_mission.sequence().replaceMilestone(m_mission.state().sequence().indexOf(original.time),
                                                                *built.milestone);
            }
        }
        if (!problem.isNone())
            m_prompter.tell(ApplicationInfo::Name, problem.text);
        return problem;
    };
    auto* dialog = new frmMilestone(adding ? u"Add Milestone"_s : u"Edit Milestone"_s,
                                    adding ? Milestone() : sequence.at(index), apply, this);
    dialog->setFont(font());
    dialog->open();
}

void frmSequence::removeMilestone()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    const Milestone milestone = m_mission.state().sequence().at(index);
    const auto answer = m_prompter.ask(ApplicationInfo::Name,
                                       u"Do you want to remove the milestone "_s % milestone.name % u" at " %
                                           Milestone::timeText(milestone.time) % u'?',
                                       Prompter::Buttons::YesNoDefaultNo);
    if (answer != Prompter::Answer::Yes)
        return;
    const qsizetype now = m_mission.state().sequence().indexOf(milestone.time);
    if (now >= 0)
        m_mission.sequence().removeMilestone(now);
}
