#pragma once
// The four interface languages of the main window: every text that switching the
// language puts on the window, and every message text the window shows, as Windows-1252
// bytes. The window applies a language by walking LanguageTexts() in order and looking
// each target up by its component name (objectName); messages it looks up by their id at
// the moment it shows them.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace radexa {

enum class Language { German, English, French, Swedish };

// The languages in the order of the Language menu.
constexpr std::array<Language, 4> kLanguages = {Language::German, Language::English,
                                                Language::French, Language::Swedish};

// What a text of the language tables is put on.
enum class TextTargetKind {
    Caption, // caption of a control: label, group box, page, button, radio group, static text
    Menu,    // caption of a menu item
    Message, // a message text, read by the window when it shows the message
    Hint,    // hint (tool tip) of a field
};

// The ids of the message texts. MsgStationLinesNotRestored is our own addition: the
// warning after opening a station file whose lines could not all be restored.
enum class MessageId {
    LanguageName,
    MsgCableLengthNotReal,
    MsgCableLengthNotPositive,
    MsgAttenuationNotPositive,
    MsgCableAttenuationNotPositive,
    MsgGainNotReal,
    MsgAttenuationNotReal,
    MsgFileNotOpened,
    MsgFileNotSaved,
    MsgAntennaDoesNotFit,
    MsgDistanceCaption,
    MsgDistancePrompt,
    MsgDistanceNotReal,
    MsgFrequencyCaption,
    MsgFrequencyPrompt,
    MsgFrequencyNotReal,
    MsgInvalidPower,
    AngleTableHeader,
    MsgStationLinesNotRestored,
    // Our own additions for the Limits page: its table's header and check names (";"
    // between them), the word for no averaging, the FCC exemption's outcome and the
    // refusals of a limit set. %1 and %2 stand for the numbers and names they name.
    LimitsTableHeader,
    LimitCheckNames,
    MsgPeak,
    MsgExempt,
    MsgEvaluationRequired,
    MsgExemptNearField,
    MsgExemptOutsideRange,
    MsgOutsideLimitSet,
    MsgNoLimitTier,
    MsgGroundInPattern,
    // Our own additions for the compliance report and its dialog. Lists of related
    // words stand in one text with ";" between them; %1, %2 stand for values.
    ReportTitle,
    ReportHeaderLabels,  // call sign; place; date and time; program
    ReportHeadings,      // station; results; every band; per-angle table; method; FCC exemption
    ReportLabels,        // cable; factor table; point used; averaged EIRP; angle data
    ReportPolarisations, // vertical; horizontal
    ReportNoAntenna,
    ReportRefused,
    ReportBandsHeader,
    ReportBandsAntenna,
    ReportBandsTypedGain,
    ReportNoPicture,
    ReportMethodFarField,
    ReportMethodAveraging,
    ReportMethodAngles,
    ReportMethodNearField,
    ReportSignature, // place, date; signature
    ReportPage,
    ReportDialog, // caption; call sign; place; JSON too; OK; cancel
};
constexpr int kMessageCount = static_cast<int>(MessageId::ReportDialog) + 1;

// One text of a language: what it is put on, and the text itself.
struct LanguageText {
    TextTargetKind kind;
    std::string_view target; // component name, or the message id's name
    std::string text;        // Windows-1252; CR LF between lines; empty where deliberately so
};

// The texts one language routine sets, in its order: control captions, message texts,
// menu captions, hints (all empty in French).
const std::vector<LanguageText>& LanguageTexts(Language language);

// The text of one message in the language.
const std::string& MessageText(Language language, MessageId id);

// The name of a message id as the tables use it, e.g. "MsgFileNotSaved".
std::string_view MessageIdName(MessageId id);

// The language's name handed to the own-antenna dialog: "Deutsch", "English", "French", "Swedish".
const std::string& LanguageName(Language language);

// The language whose LanguageName is the text, or nothing.
std::optional<Language> LanguageFromName(std::string_view name);

// Component name of the language's menu item, the one that carries the check mark:
// "MIGerman", "MIEnglish", "MIFrench", "MISwedish".
std::string_view LanguageMenuItem(Language language);

// Whether the main window's hints are switched on in the language (off in French only).
bool HintsShown(Language language);

} // namespace radexa
