#include "MissionCountPanel.h"

#include "clock/MissionState.h"

#include <QAccessible>
#include <QAccessibleWidget>

using namespace Qt::StringLiterals;

namespace {

class MissionCountAccessible final : public QAccessibleWidget
{
public:
    explicit MissionCountAccessible(MissionCountPanel* panel) : QAccessibleWidget(panel, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* panel = static_cast<const MissionCountPanel*>(widget());
        switch (t) {
        case QAccessible::Name:
            return MissionCountPanel::AccessibleName;
        case QAccessible::Description:
            return panel->spokenCount();
        default:
            return QAccessibleWidget::text(t);
        }
    }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object)
{
    if (className == u"MissionCountPanel"_s && object && object->isWidgetType())
        return new MissionCountAccessible(static_cast<MissionCountPanel*>(object));
    return nullptr;
}

} // namespace

MissionCountPanel::MissionCountPanel(const MissionState& state, QWidget* parent) : QWidget(parent), m_state(state)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setObjectName(u"MissionCount"_s);
    setAccessibleName(AccessibleName);
    // Clicks between the labels land on the window's background, as before the labels had a container.
    setProperty("partOfSurface", true);
    m_lastTold = phaseAndHolding();
    connect(&m_state, &MissionState::phaseChanged, this, &MissionCountPanel::noteMaybeChanged);
    connect(&m_state, &MissionState::holdingChanged, this, &MissionCountPanel::noteMaybeChanged);
}

QString MissionCountPanel::spokenCount() const
{
    if (!m_state.hasCount() || m_state.phase() == MissionState::Phase::NoTarget)
        return u"No launch time"_s;
    const MissionTexts::ShownCount shown = m_state.shownCount();
    const qint64 days = shown.days.toLongLong();
    const QString sign = m_state.phase() == MissionState::Phase::AfterLiftoff ? u"T plus"_s : u"T minus"_s;
    QString spoken = sign % u' ' % QString::number(days) % (days == 1 ? u" day "_s : u" days "_s) % shown.hours % u':' %
                     shown.minutes % u':' % shown.seconds;
    if (m_state.holding())
        spoken += u", holding"_s;
    return spoken;
}

QString MissionCountPanel::phaseAndHolding() const
{
    return QString::number(int(m_state.phase())) % (m_state.holding() ? u" holding"_s : QString());
}

void MissionCountPanel::noteMaybeChanged()
{
    const QString now = phaseAndHolding();
    if (now == m_lastTold)
        return;
    m_lastTold = now;
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
    emit phaseOrHoldingTold();
}
