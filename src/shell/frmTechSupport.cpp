#include "frmTechSupport.h"

#include "platform/widgets/Metrics.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

frmTechSupport::frmTechSupport(QWidget* parent) : InfoWindow(u"frmTechSupport"_s, u"Technical Support"_s, parent)
{
    auto* intro = new QLabel(u"For help with Tarvane, write to us:"_s);
    intro->setObjectName(u"lblIntro"_s);
    intro->setFont(Metrics::uiFont(9.75, true));
    frameLayout()->addWidget(intro);
    frameLayout()->addSpacing(6);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(4);
    const QFont bold = Metrics::uiFont(8.25, true);
    auto heading = [&](const QString& text, int row) {
        auto* label = new QLabel(text);
        label->setFont(bold);
        grid->addWidget(label, row, 0, Qt::AlignTop);
    };
    heading(u"Email:"_s, 0);
    auto* email = new QLabel(Email);
    email->setObjectName(u"lblEmail"_s);
    email->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(email, 0, 1);
    heading(u"Address:"_s, 1);
    auto* address = new QLabel(MakerName + u"\nTechnical Support\n4 Gantry Row\nPort Cassen, FL 32999"_s);
    address->setObjectName(u"lblAddress"_s);
    address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(address, 1, 1);
    frameLayout()->addLayout(grid);
    finish();
}
