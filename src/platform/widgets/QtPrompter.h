#pragma once

#include "platform/Prompter.h"

#include <QPointer>
#include <QWidget>

// The real message boxes and file dialogs.
class QtPrompter final : public Prompter
{
public:
    // Every box and dialog opens over window once it is on screen (over a modal box of its own when one is open);
    // before that, while the program starts, over whatever window is active.
    void setMainWindow(QWidget* window) { m_mainWindow = window; }

    Answer ask(const QString& title, const QString& text, Buttons buttons) override;
    std::optional<QString> openFileName(const FileDialog& dialog) override;
    std::optional<QString> saveFileName(const FileDialog& dialog) override;

private:
    QWidget* owner() const;

    QPointer<QWidget> m_mainWindow;
};
