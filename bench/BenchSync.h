#pragma once

// Synchronisation with a local Radicale: the first sync and an unchanged one.
void runSyncBench();
