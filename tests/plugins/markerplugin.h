#ifndef NORVO_MARKERPLUGIN_H
#define NORVO_MARKERPLUGIN_H

#include <cstdio>
#include <cstdlib>

// Appends the plug-in's name to the file named by NORVO_PLUGIN_MARKER, so a
// test sees that a program loaded a plug-in it must not load.
inline bool markPluginLoaded(const char *name)
{
    if (const char *path = std::getenv("NORVO_PLUGIN_MARKER")) {
        if (FILE *file = std::fopen(path, "a")) {
            std::fprintf(file, "%s\n", name);
            std::fclose(file);
        }
    }
    return true;
}

#endif
