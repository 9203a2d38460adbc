#pragma once

// Launch to window over large documents: from building the main window until it is shown and
// painted, with the splash (the document read while it shows) and without it.
void runStartupBench();
