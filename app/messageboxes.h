#ifndef NORVO_MESSAGEBOXES_H
#define NORVO_MESSAGEBOXES_H

#include <QMessageBox>
#include <QString>

class QWidget;

// The message boxes every dialog shows: modal, fixed-size, one OK button
// captioned 确定, the parent's window icon, wide enough for the title.
// Returns once dismissed.
void showMessageBox(QMessageBox::Icon icon, const QString &title, const QString &text,
                    QWidget *parent);
// Titled with the parent's window title, or 错误 / 信息 without a parent.
void showCritical(const QString &text, QWidget *parent);
void showInformation(const QString &text, QWidget *parent);
// A question with 是 and 否, 否 the default and what Escape gives; true for 是.
bool askQuestion(const QString &text, QWidget *parent);

#endif
