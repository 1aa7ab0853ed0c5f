#include "configtree.h"

#include "configtreedelegate.h"

#include <QHeaderView>

namespace {
constexpr int kColumnCount = 2;
constexpr int kValueColumn = 1;
} // namespace

ConfigTree::ConfigTree(QWidget *parent)
    : QTreeWidget(parent)
{
    setCursor(Qt::ArrowCursor);
    setRootIsDecorated(false);
    setAlternatingRowColors(true);
    setItemDelegate(new ConfigTreeDelegate(this));
    // Items are edited through their own dialog, never in place.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColumnCount(kColumnCount);
    setHeaderHidden(true);
    header()->setSectionResizeMode(0, QHeaderView::Interactive);
    header()->setStretchLastSection(true);
    connect(model(), &QAbstractItemModel::rowsInserted, this, &ConfigTree::fitNameColumn);
    connect(model(), &QAbstractItemModel::rowsRemoved, this, &ConfigTree::fitNameColumn);
    connect(model(), &QAbstractItemModel::dataChanged, this, &ConfigTree::fitNameColumn);

    QFont treeFont = font();
    treeFont.setPointSize(ConfigTreeDelegate::kFontPointSize);
    setFont(treeFont);
}

ConfigTree::~ConfigTree()
{
    // The model is deleted with the tree's children, after the tree has
    // stopped being a tree, and announces a reset on its way: whoever watches
    // it (the empty-tree hint) must not be called back into a half-gone view.
    model()->blockSignals(true);
}

void ConfigTree::resizeEvent(QResizeEvent *event)
{
    QTreeWidget::resizeEvent(event);
    fitNameColumn();
}

void ConfigTree::showFileColumn(const QStringList &headers)
{
    const bool shown = !headers.isEmpty();
    setColumnCount(shown ? headers.size() : kColumnCount);
    if (shown)
        setHeaderLabels(headers);
    setHeaderHidden(!shown);
    header()->setSectionResizeMode(kValueColumn, QHeaderView::Interactive);
    fitNameColumn();
}

void ConfigTree::fitNameColumn()
{
    const int limit = viewport()->width() * kMaxNameColumnPercent / 100;
    header()->resizeSection(0, qMin(sizeHintForColumn(0), limit));
    if (columnCount() > kColumnCount) {
        const int valueLimit = viewport()->width() * kMaxValueColumnPercent / 100;
        header()->resizeSection(kValueColumn, qMin(sizeHintForColumn(kValueColumn), valueLimit));
    }
}
