#pragma once

#include <QScrollBar>

// A vertical scroll bar with its largest value at the top: the up arrow adds 1, a click in the track moves
// the page step towards the click, and the value stops at both ends. Read and write it through level();
// QScrollBar's own value runs negated underneath.
class UpScrollBar final : public QScrollBar
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpScrollBar)

public:
    explicit UpScrollBar(QWidget* parent = nullptr);

    void setLevelRange(int minimum, int maximum);
    int level() const { return -value(); }
    // Out-of-range values stop at the nearer end.
    void setLevel(int level) { setValue(-level); }
    int minimumLevel() const { return -maximum(); }
    int maximumLevel() const { return -minimum(); }

    // Lets the arrow and page keys in field step this bar, for a field locked against typing that only shows
    // the bar's value.
    void takeKeysFrom(QWidget* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void levelChanged(int level);
};
