#pragma once

#include "FakePromptService.h"

#include "core/RecordKind.h"
#include "docfile/DocumentFormat.h"
#include "docfile/PimDocument.h"

#include <QtGlobal>

#include <string>

// Loads a document whose collection of the kind holds one record under the last ID but one: one
// more record fits, and the one after it finds no ID left.
inline void LoadWithOneIdLeft(PimDocument& document, RecordKind kind) {
    const std::string collection(RecordCollectionName(kind));
    const std::string text = "<Pim Version=\"1\"><" + collection + "><" + std::string(RecordKindName(kind)) +
                             " ID=\"2147483646\"/></" + collection + "></Pim>";
    FakePromptService prompt;
    if (!DocumentFormat::Load(text.data(), text.size(), document, prompt) || RecordCount(document.Records(), kind) != 1)
        qFatal("cannot load a document with one ID left");
}
