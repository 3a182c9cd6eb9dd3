#pragma once

#include <QWidget>

// A window's own surface: the background between its controls. Reports presses, right-button releases and
// double clicks that land on the surface itself, never those on a control.
class SurfaceWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SurfaceWidget)

public:
    explicit SurfaceWidget(QWidget* parent = nullptr);

signals:
    void pressed(Qt::MouseButton button);
    void rightReleased(const QPoint& globalPos);
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool onBareSurface(const QMouseEvent* event) const;
};
