#include "QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

std::optional<QString> runFileDialog(QWidget* owner, const Prompter::FileDialog& d, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(owner, d.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile); // Open does not insist that the file exists
    dialog.setNameFilter(d.filter);
    dialog.setDefaultSuffix(d.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QFileInfo preset(d.presetName);
    dialog.setDirectory(d.initialFolder.isEmpty() ? preset.absolutePath() : d.initialFolder);
    if (!d.presetName.isEmpty())
        dialog.selectFile(preset.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

// The active window is no guide: just after one box closes there is none, and the next would open in the middle
// of the screen.
QWidget* QtPrompter::owner() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (m_mainWindow && m_mainWindow->isVisible())
        return m_mainWindow;
    return QApplication::activeWindow();
}

Prompter::Answer QtPrompter::ask(const QString& title, const QString& text, Buttons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, owner());
    box.setTextFormat(Qt::PlainText);
    switch (buttons) {
    case Buttons::Ok:
        box.setDefaultButton(box.addButton(QMessageBox::Ok));
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case Buttons::YesNo:
        box.setDefaultButton(box.addButton(QMessageBox::Yes));
        box.addButton(QMessageBox::No);
        break;
    case Buttons::YesNoDefaultNo:
        box.addButton(QMessageBox::Yes);
        box.setDefaultButton(box.addButton(QMessageBox::No));
        box.setEscapeButton(QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setDefaultButton(box.addButton(QMessageBox::Yes));
        box.addButton(QMessageBox::No);
        box.setEscapeButton(box.addButton(QMessageBox::Cancel));
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
    }
}

std::optional<QString> QtPrompter::openFileName(const FileDialog& dialog)
{
    return runFileDialog(owner(), dialog, QFileDialog::AcceptOpen);
}

std::optional<QString> QtPrompter::saveFileName(const FileDialog& dialog)
{
    return runFileDialog(owner(), dialog, QFileDialog::AcceptSave);
}
