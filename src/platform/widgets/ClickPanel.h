#pragma once

#include "ClickTracker.h"

#include <QFrame>

// A picture panel: a framed area that holds controls and reports clicks on its own surface.
class ClickPanel : public QFrame
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClickPanel)

public:
    explicit ClickPanel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ClickTracker m_clicks;
};
