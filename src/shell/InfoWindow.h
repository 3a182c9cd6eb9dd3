#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;
class QVBoxLayout;

// The look and keys shared by the About and Technical Support windows: a fixed-size, modeless window on light
// yellow, a light orange frame captioned "Tarvane" holding the window's text, and an OK button under it. OK and
// Esc close it, whichever control has the focus; other keys do nothing.
class InfoWindow : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InfoWindow)

public:
    static inline const QString MakerName = QStringLiteral("Tarvane Mission Software");
    static inline const QString MakerNotice = QStringLiteral("Copyright \u00a9 2001.  All rights reserved.");

protected:
    InfoWindow(const QString& objectName, const QString& caption, QWidget* parent);

    // The frame's contents go into this layout; call finish() when they are in.
    QVBoxLayout* frameLayout() const { return m_frameLayout; }
    void finish();

    void keyPressEvent(QKeyEvent* event) override;

private:
    QGroupBox* m_frame = nullptr;
    QWidget* m_fill = nullptr;
    QVBoxLayout* m_frameLayout = nullptr;
    QPushButton* m_ok = nullptr;
};
