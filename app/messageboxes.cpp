#include "messageboxes.h"

#include "dialogframe.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QWidget>

namespace {
QString titleFor(QWidget *parent, const char *fallback)
{
    return parent ? parent->windowTitle() : QCoreApplication::translate("QObject", fallback);
}
} // namespace

void showMessageBox(QMessageBox::Icon icon, const QString &title, const QString &text,
                    QWidget *parent)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    // Texts carry what instruments and servers sent: shown, never rendered.
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setText(QCoreApplication::translate("QObject", "确定"));
    fitTitle(box);
    box.exec();
}

void showCritical(const QString &text, QWidget *parent)
{
    showMessageBox(QMessageBox::Critical, titleFor(parent, QT_TRANSLATE_NOOP("QObject", "错误")),
                   text, parent);
}

void showInformation(const QString &text, QWidget *parent)
{
    showMessageBox(QMessageBox::Information, titleFor(parent, QT_TRANSLATE_NOOP("QObject", "信息")),
                   text, parent);
}

bool askQuestion(const QString &text, QWidget *parent)
{
    QMessageBox box(QMessageBox::Question, titleFor(parent, QT_TRANSLATE_NOOP("QObject", "问题")),
                    text, QMessageBox::Yes | QMessageBox::No, parent,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("QObject", "是"));
    box.button(QMessageBox::No)->setText(QCoreApplication::translate("QObject", "否"));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    fitTitle(box);
    return box.exec() == QMessageBox::Yes;
}
