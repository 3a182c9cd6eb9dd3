#pragma once

#include <QObject>
#include <QPointer>

class frmAbout;
class frmTechSupport;
class QWidget;

// The About and Technical Support windows: modeless, at most one of each; asking again brings it to the front.
// Each is made when first shown and is gone once closed.
class HelpWindows final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpWindows)

public:
    explicit HelpWindows(QWidget* owner);

    void showAbout();
    void showTechSupport();

private:
    template <typename Window> void present(QPointer<Window>& window);

    QWidget* m_owner;
    QPointer<frmAbout> m_about;
    QPointer<frmTechSupport> m_techSupport;
};
