#ifndef NORVO_DIALOGFRAME_H
#define NORVO_DIALOGFRAME_H

class QDialog;
class QMessageBox;

// The frame every small dialog of the program shares: no context-help button,
// the given window icon, and a fixed size equal to the size its form designs.
// Call it right after setupUi, before anything can change the size.
void setUpFixedDialog(QDialog *dialog, const char *iconPath);

// Widens a message box so its whole title shows in the title bar; a narrow
// box with a short text would otherwise cut the title off. Call before exec().
void fitTitle(QMessageBox &box);

#endif
