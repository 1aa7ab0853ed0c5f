#ifndef NORVO_MODALDRIVER_H
#define NORVO_MODALDRIVER_H

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>

// What one modal window showed before the test answered it.
struct ShownModal
{
    QString title;
    QString text; // a box's text, or a dialog's editor: "options > choice" or the line's text
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QIcon windowIcon;

    QString summary() const { return title + QStringLiteral(": ") + text; }
};

// Answers every modal window that opens, in order, and records what each showed:
// the planned answers first, then OK for a box and reject for any other dialog.
class ModalDriver : public QObject
{
public:
    using Answer = std::function<void(QWidget *)>;
    static constexpr int kPollMs = 20;

    ModalDriver()
    {
        connect(&m_timer, &QTimer::timeout, this, &ModalDriver::answerActiveModal);
        m_timer.start(kPollMs);
    }

    void plan(const Answer &answer) { m_answers.append(answer); }
    const QList<ShownModal> &shown() const { return m_shown; }
    QStringList summaries() const
    {
        QStringList list;
        for (const ShownModal &seen : m_shown)
            list << seen.summary();
        return list;
    }

private:
    void answerActiveModal()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (modal == m_answered) {
            // An answer that left its window open must fail the test, not hang it.
            qWarning("closing %s, left open by its answer", qPrintable(modal->windowTitle()));
            modal->close();
            return;
        }
        m_answered = modal;
        m_shown.append(describe(modal));
        if (!m_answers.isEmpty())
            m_answers.takeFirst()(modal);
        else if (auto *box = qobject_cast<QMessageBox *>(modal))
            box->button(QMessageBox::Ok)->click();
        else if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    }

    static ShownModal describe(QWidget *modal)
    {
        ShownModal seen;
        seen.title = modal->windowTitle();
        seen.windowIcon = modal->windowIcon();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            seen.text = box->text();
            seen.icon = box->icon();
            for (QAbstractButton *button : box->buttons())
                seen.buttons << button->text();
        } else if (qobject_cast<QFileDialog *>(modal)) {
            return seen;
        } else if (auto *combo = modal->findChild<QComboBox *>()) {
            QStringList options;
            for (int i = 0; i < combo->count(); ++i)
                options << combo->itemText(i);
            seen.text
                    = options.join(QLatin1Char('/')) + QStringLiteral(" > ") + combo->currentText();
        } else if (auto *line = modal->findChild<QLineEdit *>()) {
            seen.text = line->text();
        }
        return seen;
    }

    QTimer m_timer;
    QPointer<QWidget> m_answered;
    QList<Answer> m_answers;
    QList<ShownModal> m_shown;
};

#endif
