#pragma once

#include "ClickTracker.h"

#include <QLineEdit>

// A text box that reports clicks and double clicks; locked ones take no typing but still report them.
class ClickLineEdit : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ClickLineEdit)

public:
    explicit ClickLineEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}

signals:
    void clicked();
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    ClickTracker m_clicks;
};
