#include "MissionSurface.h"

#include "clock/MissionState.h"
#include "platform/widgets/Colours.h"

MissionSurface::MissionSurface(const MissionState& state, QWidget* parent) : SurfaceWidget(parent)
{
    setObjectName(QStringLiteral("frmTarvaneSurface"));
    setMinimumSize(0, 0);
    Colours::paintBackground(this, Colours::BeforeLiftoff);
    connect(&state, &MissionState::phaseChanged, this, [this, &state] {
        Colours::paintBackground(this, state.showsAfterLiftoff() ? Colours::AfterLiftoff : Colours::BeforeLiftoff);
    });
}
