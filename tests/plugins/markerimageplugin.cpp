#include "markerplugin.h"

#include <QImageIOPlugin>

// Claims the PNG format, which every window reads at start-up for its icons.
class MarkerImagePlugin : public QImageIOPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QImageIOHandlerFactoryInterface" FILE
                          "markerimageplugin.json")

public:
    Capabilities capabilities(QIODevice *, const QByteArray &) const override { return {}; }
    QImageIOHandler *create(QIODevice *, const QByteArray &) const override { return nullptr; }
};

// Runs as soon as the library is loaded, before Qt asks anything of it.
static const bool s_marked = markPluginLoaded("imageformats");

#include "markerimageplugin.moc"
