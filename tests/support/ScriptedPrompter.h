#pragma once

#include "platform/Prompter.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// Answers message boxes and file dialogs from a script and records everything it was shown.
// A scripted step may run code "while the box is open" before it answers.
class ScriptedPrompter final : public Prompter
{
public:
    struct Shown
    {
        QString title;
        QString text;
        Buttons buttons;
    };

    // Queue an answer for the next message box; during() runs while the box is "open".
    void answer(Answer a, std::function<void()> during = {}) { m_answers.append({a, std::move(during)}); }
    // Queue the result of the next file dialog: a file name, or nothing for Cancel.
    void chooseFile(std::optional<QString> name) { m_files.append(std::move(name)); }

    Answer ask(const QString& title, const QString& text, Buttons buttons) override
    {
        shown.append({title, text, buttons});
        if (m_answers.isEmpty()) {
            unexpected.append(title + u": " + text);
            if (buttons == Buttons::Ok)
                return Answer::Ok;
            return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
        }
        auto step = m_answers.takeFirst();
        if (step.during)
            step.during();
        return step.answer;
    }

    std::optional<QString> openFileName(const FileDialog& dialog) override { return file(dialog); }
    std::optional<QString> saveFileName(const FileDialog& dialog) override { return file(dialog); }

    bool scriptUsedUp() const { return m_answers.isEmpty() && m_files.isEmpty(); }

    QList<Shown> shown;
    QList<FileDialog> dialogs;
    QStringList unexpected; // boxes that came without a scripted answer

private:
    struct Step
    {
        Answer answer;
        std::function<void()> during;
    };

    std::optional<QString> file(const FileDialog& dialog)
    {
        dialogs.append(dialog);
        if (m_files.isEmpty()) {
            unexpected.append(QStringLiteral("file dialog: ") + dialog.title);
            return std::nullopt;
        }
        return m_files.takeFirst();
    }

    QList<Step> m_answers;
    QList<std::optional<QString>> m_files;
};
