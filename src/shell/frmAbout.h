#pragma once

#include "InfoWindow.h"

// "About Tarvane": the program's icon, name, version and maker.
class frmAbout final : public InfoWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAbout)

public:
    explicit frmAbout(QWidget* parent = nullptr);
};
