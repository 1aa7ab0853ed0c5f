#include "guiresources.h"

#include <QtGlobal>

void initGuiResources()
{
    Q_INIT_RESOURCE(resources);
}
