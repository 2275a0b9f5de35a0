#pragma once

#include <QStringList>

// Batch commands of the host: `malvo db create TARGET [--demo N]` and the
// companies' `malvo export` and `malvo import`.
// Returns the process exit code.
int runCommandLine(const QStringList &arguments);

// True when the arguments name a batch command (no window is needed).
bool isBatchCommand(const QStringList &arguments);

// The usage of every mode, as `malvo COMMAND --help` prints it.
QString commandUsage();
