#pragma once

#include "DelimitedTextOperations.h"

#include "docfile/DocumentBatch.h"

// Ends an import whose collection ran out of IDs part way: the records it added go again, the
// document is as modified as before, and the import answers NoIdLeft.
inline int TakeBackImport(DocumentBatch& batch) {
    batch.Cancel();
    return NoIdLeft;
}
