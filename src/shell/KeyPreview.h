#pragma once

#include <QObject>

class QWidget;

// Lets the main window see every key typed in it before the control that has the focus, as the window's key
// preview: Esc leaves the program from any control, even one that would take Esc for itself (the calendar).
// It watches the window and each of its controls, those made later included; other windows (message boxes,
// the wizard pages, menus that are open) keep their keys.
class KeyPreview final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(KeyPreview)

public:
    explicit KeyPreview(QWidget* window);

signals:
    // Esc was pressed; the control never sees it.
    void escapePressed();
    void keyReleased(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* object);

    QWidget* m_window;
};
