#pragma once

#include <QString>

#include <optional>

// Message boxes and file dialogs. Every question the program asks the operator goes through here, so that a
// test can answer from a script and see each title and text.
class Prompter
{
public:
    enum class Buttons
    {
        Ok,
        YesNo,
        YesNoDefaultNo, // for a question whose Yes may lose data
        YesNoCancel
    };
    enum class Answer
    {
        Ok,
        Yes,
        No,
        Cancel
    };

    struct FileDialog
    {
        QString title;
        QString filter;        // "Description (*.ext)"
        QString defaultSuffix; // added when the chosen name has none
        QString initialFolder; // empty: the folder of presetName
        QString presetName;
    };

    Prompter() = default;
    Prompter(const Prompter&) = delete;
    Prompter& operator=(const Prompter&) = delete;
    virtual ~Prompter() = default;

    // A modal box without an icon; the first button is the default unless the buttons say otherwise. Closing a
    // Yes/No/Cancel box counts as Cancel.
    virtual Answer ask(const QString& title, const QString& text, Buttons buttons) = 0;

    // The chosen file name, or nothing when the dialog was cancelled.
    virtual std::optional<QString> openFileName(const FileDialog& dialog) = 0;
    virtual std::optional<QString> saveFileName(const FileDialog& dialog) = 0;

    void tell(const QString& title, const QString& text) { ask(title, text, Buttons::Ok); }
};
