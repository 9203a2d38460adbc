#include "CliUsage.h"

#include <cstdio>

int cliUsageError(const char* usage) {
    std::fprintf(stderr, "usage: tavoro-cli %s\n", usage);
    return kCliUsageError;
}
