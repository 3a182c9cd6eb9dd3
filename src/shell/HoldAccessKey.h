#pragma once

#include <QObject>

class QAbstractButton;
class QWidget;

// The access key of a button wins over a menu bar title with the same letter. "&Hold" and the menu "&Help" share
// H; Qt then only moves the focus between them, and a hold would need a second keystroke. While the button is
// enabled and shown, Alt with its letter clicks it; otherwise the key goes on to the menu bar as before.
class HoldAccessKey final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HoldAccessKey)

public:
    HoldAccessKey(QWidget& window, QAbstractButton& button);
    ~HoldAccessKey() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isButtonsKey(QObject* receiver, const QEvent* event) const;

    QWidget& m_window;
    QAbstractButton& m_button;
};
