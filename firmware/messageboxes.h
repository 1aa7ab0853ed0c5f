#ifndef NORVO_MESSAGEBOXES_H
#define NORVO_MESSAGEBOXES_H

#include <QMessageBox>
#include <QString>

class QWidget;

// A modal fixed-size box with one OK button captioned 确定; returns once dismissed.
void showMessageBox(QMessageBox::Icon icon, const QString &title, const QString &text,
                    QWidget *parent);
// Titled with the parent's window title, or 错误 / 信息 without a parent.
void showCritical(const QString &text, QWidget *parent);
void showInformation(const QString &text, QWidget *parent);

#endif
