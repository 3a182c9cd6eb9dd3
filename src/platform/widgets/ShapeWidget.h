#pragma once

#include <QColor>
#include <QWidget>

// A filled circle or rectangle, drawn in its own rectangle (indicator lamps, the plate behind the panels).
class ShapeWidget final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ShapeWidget)

public:
    enum class Kind
    {
        Circle,
        Rectangle
    };

    ShapeWidget(Kind kind, const QColor& fill, QWidget* parent = nullptr);

    QColor fill() const { return m_fill; }
    void setFill(const QColor& fill);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind;
    QColor m_fill;
};
