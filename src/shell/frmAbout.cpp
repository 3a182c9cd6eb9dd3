#include "frmAbout.h"

#include "TarvaneArt.h"
#include "platform/ApplicationInfo.h"
#include "platform/widgets/Metrics.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

frmAbout::frmAbout(QWidget* parent) : InfoWindow(u"frmAbout"_s, u"About "_s + ApplicationInfo::Name, parent)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(16);
    auto* icon = new QLabel;
    icon->setObjectName(u"imgIcon"_s);
    icon->setPixmap(TarvaneArt::logo(64));
    icon->setAlignment(Qt::AlignTop);
    row->addWidget(icon, 0, Qt::AlignTop);

    auto* lines = new QVBoxLayout;
    lines->setSpacing(4);
    auto line = [&](const QString& name, const QString& text, const QFont& font) {
        auto* label = new QLabel(text);
        label->setObjectName(name);
        label->setFont(font);
        lines->addWidget(label);
    };
    line(u"lblTitle"_s, ApplicationInfo::Name, Metrics::uiFont(13.5, true));
    line(u"lblVersion"_s, u"Version 1.0.0"_s, Metrics::uiFont(9.75, true));
    lines->addSpacing(8);
    line(u"lblCopyright"_s, MakerNotice, Metrics::uiFont(8.25));
    line(u"lblCompany"_s, MakerName, Metrics::uiFont(8.25, true));
    lines->addStretch();
    row->addLayout(lines);
    frameLayout()->addLayout(row);
    finish();
}
