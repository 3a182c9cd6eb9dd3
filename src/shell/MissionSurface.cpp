#include "MissionSurface.h"

#include "clock/MissionState.h"
#include "platform/widgets/Colours.h"

MissionSurface::MissionSurface(const MissionState& state, QWidget* parent) : SurfaceWidget(parent)
{
    setObjectName(QStringLiteral("frmTarvaneSurface"));
    setMinimumSize(0, 0);
    Colours::paintBackground(this, Colours::BeforeLiftoff);
    connect(&state, &MissionState::phaseChanged, this, [this](MissionState::Phase phase) {
        if (phase != MissionState::Phase::NoTarget)
            Colours::paintBackground(this, phase == MissionState::Phase::AfterLiftoff ? Colours::AfterLiftoff
                                                                                      : Colours::BeforeLiftoff);
    });
}
