#pragma once
// The JSON form of a project, for version control, scripts and the command-line tool.
//
// Every stored field of the editor has a key; a missing key takes the value the editor
// gives a newly added row (a service's "origServiceName" and "origServiceNameUni"
// follow its "name" as a name typed into the grid does, its "ident" follows the
// stream's). Integers are JSON numbers or "0x" hex strings. Frequencies and symbol
// rates are JSON numbers, written as the shortest decimal that reads back to the same
// 80-bit value; a value without such a decimal (NaN, infinity, an encoding the x87
// unit would not produce) is written as "0x" and its 20 hex digits, sign and exponent
// first, and read back bit for bit.
#include <string>
#include <string_view>

#include "platform/errors.h"
#include "platform/message_table.h"

namespace quillon {

class TNitEditor;

namespace cli {

// The texts of the JSON form's errors, with their German defaults. An error is the key's
// path, ": " and one of them.
enum class JsonMsg {
  GroupSeparator,  // between groups of three digits: 262.144
  TooMany,         // the limit, what it counts
  TooManyServices,
  TooLong,  // what, the limit
  TooManyKeys,
  TooDeep,
  Services,
  TransportStreams,
  ChannelLists,
  Rows,
  Elements,
  AText,
  AKey,
  DuplicateKey,
  NotJson,  // the JSON library's own words
  ExpectedInteger,
  OutOfRange,  // the value, low, high
  ExpectedBool,
  ExpectedText,
  NotCp1252,
  ExpectedNumber,
  ExpectedOneOf,  // the choices
  NotOneOf,       // the value, the choices
  ExpectedObject,
  ExpectedArray,
  UnknownKey,  // of what object, one of the kinds below
  KindProject,
  KindNetwork,
  KindOptions,
  KindChannelList,
  KindCableStream,
  KindTerrestrialStream,
  KindService,
  EarlierListId,
  NameTooLong,
  NotCountryCode,
  LoneSurrogate,
  NeedsLogicalChannels,
};

inline constexpr TMessageRow<JsonMsg> kJsonMessageRows[] = {
    {JsonMsg::GroupSeparator, "GroupSeparator", "."},
    {JsonMsg::TooMany, "TooMany", "mehr als %s %s, mehr fasst ein Projekt nicht"},
    {JsonMsg::TooManyServices, "TooManyServices",
     "mehr als %s Services in allen Transportströmen, mehr fasst ein Projekt nicht"},
    {JsonMsg::TooLong, "TooLong", "%s länger als %s Byte, mehr erlaubt ein Projekt nicht"},
    {JsonMsg::TooManyKeys, "TooManyKeys", "mehr als %s Schlüssel in einem Objekt, mehr erlaubt ein Projekt nicht"},
    {JsonMsg::TooDeep, "TooDeep", "mehr als %zu Verschachtelungsebenen, mehr erlaubt ein Projekt nicht"},
    {JsonMsg::Services, "Services", "Services"},
    {JsonMsg::TransportStreams, "TransportStreams", "Transportströme"},
    {JsonMsg::ChannelLists, "ChannelLists", "Kanallisten"},
    {JsonMsg::Rows, "Rows", "Zeilen"},
    {JsonMsg::Elements, "Elements", "Elemente in einem Array"},
    {JsonMsg::AText, "AText", "ein Text"},
    {JsonMsg::AKey, "AKey", "ein Schlüssel"},
    {JsonMsg::DuplicateKey, "DuplicateKey", "doppelter Schlüssel"},
    {JsonMsg::NotJson, "NotJson", "kein gültiges JSON: %s"},
    {JsonMsg::ExpectedInteger, "ExpectedInteger", "erwartet wird eine ganze Zahl (eine Zahl oder ein „0x“-Hex-Text)"},
    {JsonMsg::OutOfRange, "OutOfRange", "%s liegt außerhalb von %lld..%lld"},
    {JsonMsg::ExpectedBool, "ExpectedBool", "erwartet wird true oder false"},
    {JsonMsg::ExpectedText, "ExpectedText", "erwartet wird ein Text"},
    {JsonMsg::NotCp1252, "NotCp1252", "„%s“ enthält Zeichen, die Windows-1252 nicht darstellen kann"},
    {JsonMsg::ExpectedNumber, "ExpectedNumber", "erwartet wird eine Zahl"},
    {JsonMsg::ExpectedOneOf, "ExpectedOneOf", "erwartet wird eines von %s"},
    {JsonMsg::NotOneOf, "NotOneOf", "„%s“ ist keines von %s"},
    {JsonMsg::ExpectedObject, "ExpectedObject", "erwartet wird ein Objekt"},
    {JsonMsg::ExpectedArray, "ExpectedArray", "erwartet wird ein Array"},
    {JsonMsg::UnknownKey, "UnknownKey", "unbekannter Schlüssel %s"},
    {JsonMsg::KindProject, "KindProject", "eines Projekts"},
    {JsonMsg::KindNetwork, "KindNetwork", "des Netzwerks"},
    {JsonMsg::KindOptions, "KindOptions", "der Optionen"},
    {JsonMsg::KindChannelList, "KindChannelList", "einer Kanalliste"},
    {JsonMsg::KindCableStream, "KindCableStream", "eines Kabel-Transportstroms"},
    {JsonMsg::KindTerrestrialStream, "KindTerrestrialStream", "eines terrestrischen Transportstroms"},
    {JsonMsg::KindService, "KindService", "eines Service"},
    {JsonMsg::EarlierListId, "EarlierListId", "%d ist die ID einer früheren Kanalliste"},
    {JsonMsg::NameTooLong, "NameTooLong", "ist länger als %zu Zeichen"},
    {JsonMsg::NotCountryCode, "NotCountryCode", "„%s“ ist kein Ländercode aus drei Buchstaben"},
    {JsonMsg::LoneSurrogate, "LoneSurrogate",
     "der Text enthält ein einzelnes UTF-16-Surrogat, das JSON nicht darstellen kann"},
    {JsonMsg::NeedsLogicalChannels, "NeedsLogicalChannels", "braucht „logicalChannels“: true"},
};
using TJsonMessages = TMessageTable<JsonMsg, kJsonMessageRows>;

// In the active language (window "TJsonProject" of the language file).
const TJsonMessages& JsonMessages();

// The JSON text is malformed, or a key is unknown, of the wrong type or out of its
// field's range; the text names the key's path ("transportStreams[1].services[0].lcn").
class JsonError : public QuillonError {
 public:
  using QuillonError::QuillonError;
};

// Replaces the editor's project by the one in `text` and clears the modified flag. On a
// JsonError the editor holds whatever was read up to the refused key.
void ProjectFromJson(TNitEditor& editor, std::string_view text);

// The editor's project as JSON text (UTF-8, ending in a line break). Throws JsonError
// when a text holds UTF-16 that is not valid (a lone surrogate has no JSON form).
std::string ProjectToJson(const TNitEditor& editor);

// The shortest decimal text that strtold reads back to the same 80-bit value, or the
// raw "0x" form for a value that has none.
std::string ExtendedToJsonText(long double value);

}  // namespace cli
}  // namespace quillon
