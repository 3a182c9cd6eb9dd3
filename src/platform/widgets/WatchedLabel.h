#pragma once

#include "ClickTracker.h"

#include <QLabel>

// A label whose textChanged() is emitted only when setText() really changes the text, inside the call, before
// it returns. It also reports clicks.
class WatchedLabel : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WatchedLabel)

public:
    explicit WatchedLabel(const QString& text = {}, QWidget* parent = nullptr) : QLabel(text, parent) {}

    // Hides QLabel::setText so that every write through this class is compared first.
    void setText(const QString& text);

    // Shrinks the font, never below half its size, whenever the text would not fit the label's width.
    void setShrinkToFit(bool on);

signals:
    void textChanged(const QString& text);
    void clicked();
    void doubleClicked();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void fitText();

    QFont m_fullFont;
    bool m_shrinkToFit = false;
    ClickTracker m_clicks;
};
