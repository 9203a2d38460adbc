#pragma once

// Delimited text: export and import of 100,000 persons, tasks and appointments beside a plain split.
void runTextioBench();
