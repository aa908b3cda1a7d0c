#include "racewindow/uiseams.h"

#include <QApplication>
#include <QFileDialog>
#include <QQueue>

namespace quenlap::ui {

namespace {

struct MessageBoxState
{
    QQueue<QMessageBox::StandardButton> answers;
    std::optional<QMessageBox::StandardButton> answerAll;
    QStringList shown;
};

MessageBoxState &boxState()
{
    static MessageBoxState state;
    return state;
}

std::optional<QStringList> &nextFiles()
{
    static std::optional<QStringList> files;
    return files;
}

} // namespace

QMessageBox::StandardButton MessageBox::error(QWidget *parent, const QString &text)
{
    return show(parent, QMessageBox::Critical, text);
}

QMessageBox::StandardButton MessageBox::warning(QWidget *parent, const QString &text)
{
    return show(parent, QMessageBox::Warning, text);
}

QMessageBox::StandardButton MessageBox::show(QWidget *parent, QMessageBox::Icon icon,
                                             const QString &text,
                                             QMessageBox::StandardButtons buttons)
{
    MessageBoxState &state = boxState();
    state.shown.append(text);
    if (!state.answers.isEmpty())
        return state.answers.dequeue();
    if (state.answerAll)
        return *state.answerAll;
    QMessageBox box(icon, QApplication::applicationName(), text, buttons, parent);
    return QMessageBox::StandardButton(box.exec());
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer)
{
    boxState().answers.enqueue(answer);
}

void MessageBox::setAnswerAll(std::optional<QMessageBox::StandardButton> answer)
{
    boxState().answerAll = answer;
}

QStringList MessageBox::takeShownTexts()
{
    return std::exchange(boxState().shown, {});
}

QStringList FileDialog::getOpenFileNames(QWidget *parent, const QString &caption,
                                         const QString &filter, const QString &defaultSuffix)
{
    if (std::optional<QStringList> files = std::exchange(nextFiles(), std::nullopt))
        return *files;
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

void FileDialog::setNextFileNames(const QStringList &files)
{
    nextFiles() = files;
}

} // namespace quenlap::ui
