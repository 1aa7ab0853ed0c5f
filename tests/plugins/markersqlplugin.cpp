#include "markerplugin.h"

#include <QSqlDriverPlugin>

// Claims the SQLite driver, which reading a firmware package asks for.
class MarkerSqlPlugin : public QSqlDriverPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QSqlDriverFactoryInterface" FILE
                          "markersqlplugin.json")

public:
    QSqlDriver *create(const QString &) override { return nullptr; }
};

static const bool s_marked = markPluginLoaded("sqldrivers");

#include "markersqlplugin.moc"
