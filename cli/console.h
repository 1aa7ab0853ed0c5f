#ifndef NORVO_CONSOLE_H
#define NORVO_CONSOLE_H

#include <QByteArray>
#include <QJsonValue>
#include <QString>
#include <QStringList>

// Standard output and standard error of the command line. Text goes out in
// the terminal's encoding, JSON always in UTF-8. Texts from instruments and
// servers may hold control characters that a terminal would obey (clear the
// screen, retitle the window, move the cursor): text output shows them as
// escapes ("\x1B") instead.
namespace Console {

// Text with every control character (line breaks too) shown as an escape:
// for a value within a line or a table cell.
QString oneLine(const QString &text);

// Text on standard output; control characters other than line breaks and
// tabs are shown as escapes.
void print(const QString &text);
void printBytes(const QByteArray &bytes);
// An array or object as an indented JSON document.
void printJson(const QJsonValue &value);
// One message on standard error, after the program's name; control
// characters shown as escapes.
void error(const QString &message);
// Progress and notes on standard error, as they are.
void note(const QString &text);

// A batch's worker hands its results over in one document of its own:
// from now on printJson keeps the value instead of printing it.
void captureJson();
QJsonValue capturedJson();
// Every message error() showed so far, in order.
QStringList errorsShown();

// Whether everything written to standard output so far reached it: false
// once a write or flush failed (a full disk, a closed pipe). Flushes first.
bool outputComplete();

// Keeps Qt's own warnings (a missing XDG_RUNTIME_DIR during a PDF export,
// font look-ups) off standard error unless verbose: a script's log holds what
// the program says. Debug output the environment switches on still passes.
void filterQtMessages(bool verbose);

bool outputIsTerminal();
bool errorIsTerminal();

} // namespace Console

#endif
