#ifndef NORVO_DIALOGFRAME_H
#define NORVO_DIALOGFRAME_H

class QDialog;

// The frame every small dialog of the program shares: no context-help button,
// the given window icon, and a fixed size equal to the size its form designs.
// Call it right after setupUi, before anything can change the size.
void setUpFixedDialog(QDialog *dialog, const char *iconPath);

#endif
