#ifndef NORVO_CONSOLE_H
#define NORVO_CONSOLE_H

#include <QByteArray>
#include <QJsonValue>
#include <QString>

// Standard output and standard error of the command line. Text goes out in
// the terminal's encoding, JSON always in UTF-8.
namespace Console {

void print(const QString &text);
void printBytes(const QByteArray &bytes);
// An array or object as an indented JSON document.
void printJson(const QJsonValue &value);
// One message on standard error, after the program's name.
void error(const QString &message);
// Progress and notes on standard error, as they are.
void note(const QString &text);

bool outputIsTerminal();
bool errorIsTerminal();

} // namespace Console

#endif
