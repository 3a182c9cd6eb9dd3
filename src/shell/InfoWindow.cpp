#include "InfoWindow.h"

#include "platform/ApplicationInfo.h"
#include "platform/widgets/Colours.h"
#include "platform/widgets/Metrics.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

InfoWindow::InfoWindow(const QString& objectName, const QString& caption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setModal(false);
    setFont(Metrics::uiFont(8.25));
    Colours::paintBackground(this, Colours::InfoYellow);

    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    outer->setContentsMargins(12, 12, 12, 12);
    outer->setSpacing(12);

    m_frame = new QGroupBox(ApplicationInfo::Name, this);
    m_frame->setObjectName(u"Frame1"_s);
    // The orange fills the box inside the frame's line only; the caption stands on the window's yellow, on the
    // line, as a frame's caption does.
    QPalette orange = m_frame->palette();
    orange.setColor(QPalette::Window, Colours::InfoOrange);
    m_frame->setPalette(orange);
    auto* frameInside = new QVBoxLayout(m_frame);
    frameInside->setContentsMargins(0, 0, 0, 0);
    m_fill = new QWidget(m_frame);
    m_fill->setObjectName(u"Frame1Fill"_s);
    Colours::paintBackground(m_fill, Colours::InfoOrange);
    frameInside->addWidget(m_fill);
    m_frameLayout = new QVBoxLayout(m_fill);
    m_frameLayout->setContentsMargins(16, 12, 16, 12);
    outer->addWidget(m_frame);

    m_ok = new QPushButton(u"OK"_s, this);
    m_ok->setObjectName(u"cmdOK"_s);
    m_ok->setMinimumWidth(Metrics::px(1260));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QWidget::close);
    outer->addWidget(m_ok, 0, Qt::AlignHCenter);
}

void InfoWindow::finish()
{
    m_ok->setFocus();
}

void InfoWindow::keyPressEvent(QKeyEvent* event)
{
    // The dialog's own Esc handling would only hide the window; it closes, and so is gone.
    if (event->key() == Qt::Key_Escape)
        close();
    event->accept();
}
