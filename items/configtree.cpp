#include "configtree.h"

#include "configtreedelegate.h"

#include <QHeaderView>

namespace {
constexpr int kColumnCount = 2;
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
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(true);

    QFont treeFont = font();
    treeFont.setPointSize(ConfigTreeDelegate::kFontPointSize);
    setFont(treeFont);
}
