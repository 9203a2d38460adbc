#pragma once

// Document file: parse throughput beside pugixml, Load and Save times, peak memory of a load.
void runDocfileBench();
