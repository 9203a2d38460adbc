#pragma once

// The agenda over 100,000 appointments of which 10,000 are series, and 10,000 tasks: its rows for
// 30 days with a fresh and with a kept index, and the real view filled and painted.
void runAgendaBench();
