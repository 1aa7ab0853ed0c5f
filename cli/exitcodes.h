#ifndef NORVO_EXITCODES_H
#define NORVO_EXITCODES_H

// What norvo-cli's exit status tells a script: a cable problem and an
// instrument that said no come back as different numbers.
enum ExitCode {
    ExitSuccess = 0,
    ExitDiffers = 1, // the instrument's items differ from the file compared with
    ExitUsage = 2,   // unknown command or option, a missing or malformed argument; nothing sent
    ExitFile = 3,    // a file cannot be read, parsed or written
    ExitLink = 4,    // port not opened, timeout, CRC error, malformed answer, port gone
    ExitRefused = 5, // the instrument answered but did not take the request
    ExitNetwork = 6, // the download server cannot be reached or sends nothing usable
    ExitInterrupted = 130, // Ctrl-C stopped a download or a fetch (128 + SIGINT, as shells say)
};

#endif
