#ifndef NORVO_MODALDRIVER_H
#define NORVO_MODALDRIVER_H

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

// What one modal window showed before the test answered it.
struct ShownModal
{
    QString title;
    QString text; // a box's text, or the current text of a dialog's editor
    QStringList buttons;
};

// Answers every modal window that opens, in order, and records what each showed:
// the planned answers first, then OK for a box and reject for any other dialog
// (also for one a planned answer left open, so a test fails rather than hangs).
class ModalDriver : public QObject
{
public:
    using Answer = std::function<void(QWidget *)>;

    ModalDriver()
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalDriver::answerActiveModal);
        m_timer.start(20);
    }
    void plan(const Answer &answer) { m_answers.append(answer); }
    // Answers a file dialog with the given path.
    static Answer pickFile(const QString &path)
    {
        return [path](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            // selectFile() leaves the name field alone while it has the focus.
            if (QWidget *focused = dialog->focusWidget())
                focused->clearFocus();
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept(); // protected in QFileDialog
        };
    }
    const QList<ShownModal> &shown() const { return m_shown; }
    QStringList summaries() const // "title: text" of each
    {
        QStringList list;
        for (const ShownModal &seen : m_shown)
            list << seen.title + QStringLiteral(": ") + seen.text;
        return list;
    }

private:
    void answerActiveModal()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        ShownModal seen{modal->windowTitle(), QString(), {}};
        auto *box = qobject_cast<QMessageBox *>(modal);
        const bool editor = !box && !qobject_cast<QFileDialog *>(modal);
        if (box) {
            seen.text = box->text();
            for (QAbstractButton *button : box->buttons())
                seen.buttons << button->text();
        } else if (auto *combo = editor ? modal->findChild<QComboBox *>() : nullptr) {
            seen.text = combo->currentText();
        } else if (auto *line = editor ? modal->findChild<QLineEdit *>() : nullptr) {
            seen.text = line->text();
        }
        m_shown.append(seen);
        if (!m_answers.isEmpty())
            m_answers.takeFirst()(modal);
        else if (box) // OK, or the default answer of a question
            (box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)
                                          : static_cast<QAbstractButton *>(box->defaultButton()))
                    ->click();
        else if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    }

    QTimer m_timer;
    QList<Answer> m_answers;
    QList<ShownModal> m_shown;
};

// The named child of a window.
template<typename T>
T *child(const QObject &parent, const char *name)
{
    return parent.findChild<T *>(QString::fromLatin1(name));
}

// "item number|column 0|column 1" for each row of the item tree.
inline QStringList treeRows(const QTreeWidget *tree)
{
    QStringList rows;
    for (int row = 0; row < tree->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = tree->topLevelItem(row);
        rows << item->data(0, Qt::UserRole).toString() + '|' + item->text(0) + '|' + item->text(1);
    }
    return rows;
}

#endif
