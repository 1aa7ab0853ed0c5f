#ifndef NORVO_GUIRESOURCES_H
#define NORVO_GUIRESOURCES_H

// Registers the images compiled into the static GUI library (":/image/…").
// Static libraries drop unreferenced resource objects, so the program and the
// GUI tests call this once before building any window.
void initGuiResources();

#endif
