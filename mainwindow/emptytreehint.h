#ifndef NORVO_EMPTYTREEHINT_H
#define NORVO_EMPTYTREEHINT_H

#include <QLabel>

class QTreeWidget;

// A short hint over the empty item tree while no port is configured, so a
// first start shows where to go instead of a blank area.
class EmptyTreeHint : public QLabel
{
    Q_OBJECT

public:
    explicit EmptyTreeHint(QTreeWidget *tree);

    // Shows the hint while the tree is empty and no port is configured.
    void refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QTreeWidget *m_tree;
};

#endif
