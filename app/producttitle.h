#ifndef NORVO_PRODUCTTITLE_H
#define NORVO_PRODUCTTITLE_H

#include <QString>

// The product name (translated in the context "QObject") followed directly by
// the version, as shown in the main window's title bar and the about box.
QString productTitle();

#endif
