#pragma once

#include "DelimitedTextOperations.h"

#include "docfile/PimDocument.h"

// Ends an import whose collection ran out of IDs part way: the records it added go again, the
// document is as modified as before, and the import answers NoIdLeft.
template <class Record>
int TakeBackImport(PimDocument& document, RecordCollection<Record>& records,
                   const typename RecordCollection<Record>::Mark& mark, bool wasModified) {
    records.RollBack(mark);
    document.SetModified(wasModified);
    document.NotifyChanged();
    return NoIdLeft;
}
