#ifndef NORVO_CONFIGTREE_H
#define NORVO_CONFIGTREE_H

#include <QTreeWidget>

// The two-column list of the instrument's items: "NN. name" and ": value".
class ConfigTree : public QTreeWidget
{
public:
    explicit ConfigTree(QWidget *parent);
};

#endif
