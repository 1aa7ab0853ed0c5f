#ifndef NORVO_PRODUCTTITLE_H
#define NORVO_PRODUCTTITLE_H

#include <QString>

// The product name (translated in the context "QObject") followed by the
// version, as shown in the main window's title bar and the about box: directly
// after a Chinese name, after a blank otherwise.
QString productTitle();

#endif
