#pragma once

#include "platform/widgets/WatchedLabel.h"

#include <QPixmap>

// The current-file panel of the status bar: a small picture, then the file name. A name too long for the panel
// loses its middle, never its end; the text itself is kept whole.
class CurrentFilePanel final : public WatchedLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CurrentFilePanel)

public:
    explicit CurrentFilePanel(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textRect() const;

    QPixmap m_picture;
};
