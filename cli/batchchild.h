#ifndef NORVO_BATCHCHILD_H
#define NORVO_BATCHCHILD_H

#include <QString>

// The worker side of a batch: norvo-cli started by a batch for one port
// (with the hidden option --batch-worker). The command runs exactly as it
// runs alone; its JSON is held back, and at the end one JSON object goes to
// standard output with the exit status, that JSON as "result", the errors
// shown and the instrument's name and model for the record.
//
// Why an envelope rather than new keys in every command's JSON: read and
// write answer with arrays, which cannot take keys, and a failed command
// prints no JSON at all, yet the record still wants to know which unit it
// was. The commands stay as they are; a script never sees the envelope.
namespace BatchChild {

constexpr char kOption[] = "batch-worker";

// Called by a command that learnt the unit's identity its own way (flash,
// from the boot-loader); the item reads at the end are then left out.
void setIdentity(const QString &device, const QString &model);

// Reads the instrument's name and model unless the command already gave
// them or the line failed, writes the envelope and returns status.
int finish(int status, const QString &command);

} // namespace BatchChild

#endif
