#pragma once

#include "platform/PromptService.h"

#include <QString>

namespace wizard {

// A message box the wizard shows instead of going on.
struct WizardMessage {
    QString text;
    QString caption;
    platform::PromptIcon icon;
};

inline void ShowMessage(platform::PromptService& prompts, const WizardMessage& message) {
    prompts.message(message.text, message.caption, platform::PromptButtons::Ok, message.icon);
}

// The wizard caption while each page is showing.
inline constexpr const char* kSelectDocumentCaption = "Select Document";
inline constexpr const char* kDocumentStructureCaption = "Document Structure";
inline constexpr const char* kFieldsCaption = "Fields To Import";

// The help pages of the two modes, and the paragraph of each control in them (F1).
inline constexpr const char* kImportHelpTopic = "/html/csvimport.htm>topic";
inline constexpr const char* kExportHelpTopic = "/html/csvexport.htm>topic";

namespace HelpId {
inline constexpr int FileName = 1500;
inline constexpr int Browse = 1501;
inline constexpr int FirstLine = 1502;
inline constexpr int FieldNames = 1504;
inline constexpr int Separator = 1506;
inline constexpr int Encloser = 1508;
inline constexpr int FieldList = 1510;
inline constexpr int AssignList = 1550;
inline constexpr int ImportThisField = 1551;
} // namespace HelpId

} // namespace wizard
