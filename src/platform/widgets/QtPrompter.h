#pragma once

#include "platform/Prompter.h"

// The real message boxes and file dialogs.
class QtPrompter final : public Prompter
{
public:
    Answer ask(const QString& title, const QString& text, Buttons buttons) override;
    std::optional<QString> openFileName(const FileDialog& dialog) override;
    std::optional<QString> saveFileName(const FileDialog& dialog) override;
};
