#include "emptytreehint.h"

#include "config.h"

#include <QEvent>
#include <QTreeWidget>

namespace {
constexpr int kHintMarginPx = 24;
} // namespace

EmptyTreeHint::EmptyTreeHint(QTreeWidget *tree)
    : QLabel(tree)
    , m_tree(tree)
{
    retranslate();
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setMargin(kHintMarginPx);
    QPalette muted = palette();
    muted.setColor(QPalette::WindowText, muted.color(QPalette::Disabled, QPalette::WindowText));
    setPalette(muted);
    setAttribute(Qt::WA_TransparentForMouseEvents); // the tree keeps its clicks
    // Over the viewport, as a child of the tree: the tree's own resizes
    // are the ones that reliably arrive.
    tree->installEventFilter(this);
    QAbstractItemModel *model = tree->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &EmptyTreeHint::refresh);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &EmptyTreeHint::refresh);
    connect(model, &QAbstractItemModel::modelReset, this, &EmptyTreeHint::refresh);
    refresh();
}

void EmptyTreeHint::refresh()
{
    setGeometry(m_tree->viewport()->geometry());
    setVisible(m_tree->topLevelItemCount() == 0 && configuredPortName().isEmpty());
}

bool EmptyTreeHint::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_tree && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        setGeometry(m_tree->viewport()->geometry());
    return QLabel::eventFilter(watched, event);
}

void EmptyTreeHint::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QLabel::changeEvent(event);
}

void EmptyTreeHint::retranslate()
{
    setText(tr("请在通讯设置中选择串口，或点击自动检测"));
}
