#pragma once

#include "docfile/DocumentBatch.h"

#include <optional>

// Ends an import whose collection ran out of IDs part way: the records it added go again, the
// document is as modified as before, and the import answers nothing.
inline std::optional<int> TakeBackImport(DocumentBatch& batch) {
    batch.Cancel();
    return std::nullopt;
}
