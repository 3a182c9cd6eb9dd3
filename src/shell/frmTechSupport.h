#pragma once

#include "InfoWindow.h"

// "Technical Support": where to write to the maker, by e-mail or by post.
class frmTechSupport final : public InfoWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmTechSupport)

public:
    static inline const QString Email = QStringLiteral("support@tarvane.example");

    explicit frmTechSupport(QWidget* parent = nullptr);
};
