#pragma once

#include "platform/widgets/SurfaceWidget.h"

class MissionState;

// The main window's background: red before liftoff, green from liftoff on, as the count last found the phase
// (without a target it keeps its colour). Presses, double clicks and right clicks on its bare parts are reported
// as a SurfaceWidget's are.
class MissionSurface final : public SurfaceWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MissionSurface)

public:
    MissionSurface(const MissionState& state, QWidget* parent);
};
