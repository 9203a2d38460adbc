#pragma once

// Exit statuses of tavoro-cli, as scripts expect them of command-line tools.
inline constexpr int kCliSuccess = 0;
inline constexpr int kCliFailure = 1;
inline constexpr int kCliUsageError = 2;

// Prints "usage: tavoro-cli USAGE" on standard error; returns kCliUsageError.
int cliUsageError(const char* usage);
