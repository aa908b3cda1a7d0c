#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace quenlap::ui {

// Message boxes of the viewer. Tests answer them before they open (setNextAnswer) or let every box
// answer itself (setAnswerAll), so that nothing waits for a click; every text shown is recorded.
class MessageBox
{
public:
    static QMessageBox::StandardButton error(QWidget *parent, const QString &text);
    static QMessageBox::StandardButton warning(QWidget *parent, const QString &text);
    static QMessageBox::StandardButton show(QWidget *parent, QMessageBox::Icon icon,
                                            const QString &text,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    // The next box answers this at once, without showing.
    static void setNextAnswer(QMessageBox::StandardButton answer);
    // Every box without a queued answer answers this at once; nullopt shows them again.
    static void setAnswerAll(std::optional<QMessageBox::StandardButton> answer);
    // Texts of the boxes asked for since the last call, oldest first.
    static QStringList takeShownTexts();
};

// File dialogs of the viewer, answered by tests the same way.
class FileDialog
{
public:
    // The files chosen, in the order the dialog gives them; empty when cancelled.
    static QStringList getOpenFileNames(QWidget *parent, const QString &caption,
                                        const QString &filter, const QString &defaultSuffix);

    // The next dialog returns these at once (an empty list is a cancel).
    static void setNextFileNames(const QStringList &files);
};

} // namespace quenlap::ui
