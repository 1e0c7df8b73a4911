#include "cli/json_project.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/nit_editor.h"
#include "platform/codepage.h"
#include "platform/hex.h"
#include "platform/language.h"
#include "platform/text.h"
#include "vocabulary/countries.h"

namespace quillon::cli {

const TJsonMessages& JsonMessages() { return ModuleMessages<TJsonMessages>("TJsonProject"); }

namespace {

const char* Msg(JsonMsg id) { return JsonMessages().CText(id); }

// Floats as long double, so that the lexer reads them with strtold and an 80-bit
// frequency survives; objects keep their keys in the order written.
using Json = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, std::int64_t,
                                  std::uint64_t, long double>;

constexpr size_t kExtendedBytes = 10;
constexpr uint8_t kNewServiceType = 0x01;  // the "TV" preset a new grid row gets

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
  throw JsonError(path.empty() ? what : path + ": " + what);
}

std::string Member(const std::string& path, const std::string& key) { return path.empty() ? key : path + "." + key; }
std::string Element(const std::string& path, size_t index) { return path + "[" + std::to_string(index) + "]"; }

// ---------------------------------------------------------------- limits

// What the JSON form holds, with room to spare over any project. Reading refuses more as
// soon as it appears, before it costs time or memory; writing refuses it too, so that
// every file written reads back.
constexpr size_t kMaxDepth = 8;           // a project nests 5 deep: root, transportStreams, stream, services, service
constexpr size_t kMaxTextBytes = 131072;  // an entry field holds 32,767 UTF-16 units, at most 98,301 bytes of UTF-8
constexpr size_t kMaxKeys = 32;           // the largest object of a project has 18 keys
constexpr size_t kMaxServices = 262144;   // in one stream and in all streams together
constexpr size_t kMaxElements = 65535;    // any other array

// 262144 as "262.144" (German) or "262,144" (English).
std::string Grouped(size_t n) {
  const std::string digits = std::to_string(n);
  const std::string separator = Msg(JsonMsg::GroupSeparator);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

struct ArrayLimit {
  const char* key;  // the key whose value the array is
  size_t most;
  JsonMsg things;
};
const ArrayLimit kNamedArrays[] = {{"services", kMaxServices, JsonMsg::Services},
                                   {"transportStreams", kMaxElements, JsonMsg::TransportStreams},
                                   {"channelLists", kMaxElements, JsonMsg::ChannelLists},
                                   {"rowOrder", kMaxElements, JsonMsg::Rows}};
const ArrayLimit& kServicesLimit = kNamedArrays[0];  // also counted over all streams
const ArrayLimit kOtherArrays = {"", kMaxElements, JsonMsg::Elements};

const ArrayLimit& LimitOf(std::string_view key) {
  for (const ArrayLimit& l : kNamedArrays)
    if (key == l.key) return l;
  return kOtherArrays;
}

[[noreturn]] void FailTooMany(const std::string& path, const ArrayLimit& limit) {
  Fail(path, Format(Msg(JsonMsg::TooMany), Grouped(limit.most).c_str(), Msg(limit.things)));
}
[[noreturn]] void FailTooManyServices(const std::string& path) {
  Fail(path, Format(Msg(JsonMsg::TooManyServices), Grouped(kMaxServices).c_str()));
}
[[noreturn]] void FailTooLong(const std::string& path, JsonMsg what) {
  Fail(path, Format(Msg(JsonMsg::TooLong), Msg(what), Grouped(kMaxTextBytes).c_str()));
}

// ---------------------------------------------------------------- parsing

// The events of the JSON reader, building the value: time and memory stay in proportion
// to the text, and anything beyond the limits is refused where it starts. The path of a
// refusal is made only then, from the containers open at that moment.
class Reader {
 public:
  Json& Root() { return root_; }

  bool null() { return Put(nullptr); }
  bool boolean(bool v) { return Put(v); }
  bool number_integer(Json::number_integer_t v) { return Put(v); }
  bool number_unsigned(Json::number_unsigned_t v) { return Put(v); }
  bool number_float(Json::number_float_t v, const std::string&) { return Put(v); }
  bool binary(Json::binary_t& v) { return Put(std::move(v)); }  // never from a JSON text
  bool string(std::string& v) {
    Json& slot = Slot();
    if (v.size() > kMaxTextBytes) FailTooLong(PathOf(open_.size()), JsonMsg::AText);
    slot = std::move(v);
    return true;
  }

  bool start_object(size_t) { return Open(Json::object(), nullptr); }
  bool start_array(size_t) {
    const Json* parent = open_.empty() ? nullptr : open_.back().value;
    const bool member = parent && parent->is_object();
    return Open(Json::array(), &(member ? LimitOf(Members(*parent).back().first) : kOtherArrays));
  }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }

  bool key(std::string& k) {
    Json::object_t& members = Members(*open_.back().value);
    if (k.size() > kMaxTextBytes) FailTooLong(PathOf(open_.size() - 1), JsonMsg::AKey);
    // The reader would keep the last of two silently.
    if (members.find(k) != members.end()) Fail(Member(PathOf(open_.size() - 1), k), Msg(JsonMsg::DuplicateKey));
    if (members.size() == kMaxKeys)
      Fail(PathOf(open_.size() - 1), Format(Msg(JsonMsg::TooManyKeys), Grouped(kMaxKeys).c_str()));
    members.emplace_back(std::move(k), nullptr);
    return true;
  }

  bool parse_error(size_t, const std::string&, const Json::exception& e) {
    // Not only syntax: a number beyond the float range is the library's out_of_range.
    // Drop the library's "[json.exception.parse_error.101] " tag.
    std::string what = e.what();
    if (size_t end = what.find("] "); what.rfind('[', 0) == 0 && end != std::string::npos) what.erase(0, end + 2);
    throw JsonError(Format(Msg(JsonMsg::NotJson), what.c_str()));
  }

 private:
  struct Frame {
    Json* value;
    const ArrayLimit* limit;  // for an array
  };

  static Json::object_t& Members(Json& j) { return j.get_ref<Json::object_t&>(); }
  static const Json::object_t& Members(const Json& j) { return j.get_ref<const Json::object_t&>(); }

  // Where the next value goes: the root, the member whose key came last, or a new
  // element of the innermost array.
  Json& Slot() {
    if (open_.empty()) return root_;
    const Frame& f = open_.back();
    if (f.value->is_object()) return Members(*f.value).back().second;
    Json::array_t& elements = f.value->get_ref<Json::array_t&>();
    if (elements.size() == f.limit->most) FailTooMany(PathOf(open_.size() - 1), *f.limit);
    if (f.limit == &kServicesLimit && ++services_ > kMaxServices) FailTooManyServices(PathOf(open_.size() - 1));
    return elements.emplace_back();
  }

  template <class T>
  bool Put(T&& v) {
    Slot() = Json(std::forward<T>(v));
    return true;
  }

  bool Open(Json&& container, const ArrayLimit* limit) {
    Json& slot = Slot();
    if (open_.size() == kMaxDepth)
      Fail(PathOf(open_.size()), Format(Msg(JsonMsg::TooDeep), kMaxDepth));
    slot = std::move(container);
    open_.push_back({&slot, limit});
    return true;
  }

  bool Close() {
    open_.pop_back();
    return true;
  }

  // The path of the value at `depth`, 0 being the root: each open container above it
  // contributes the key or index of its newest value.
  std::string PathOf(size_t depth) const {
    std::string path;
    for (size_t i = 0; i < depth; ++i) {
      const Json& c = *open_[i].value;
      path = c.is_object() ? Member(path, Members(c).back().first) : Element(path, c.size() - 1);
    }
    return path;
  }

  Json root_;
  std::vector<Frame> open_;  // at most kMaxDepth
  size_t services_ = 0;
};

Json Parse(std::string_view text) {
  Reader reader;
  // Every error reaches parse_error, which throws: a return means success.
  Json::sax_parse(text.begin(), text.end(), &reader);
  return std::move(reader.Root());
}

// A value as a message shows it.
std::string Shown(const Json& v) {
  if (v.is_string()) return v.get<std::string>();
  if (v.is_number_float()) return ExtendedToJsonText(v.get<long double>());
  return v.dump();
}

// Reads "0x" and 1 to 16 hex digits.
bool ParseHexText(const std::string& s, uint64_t& out) {
  if (s.size() < 3 || s.size() > 18 || s.compare(0, 2, "0x") != 0) return false;
  uint64_t v = 0;
  for (size_t i = 2; i < s.size(); ++i) {
    char c = s[i];
    int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (d < 0) return false;
    v = v << 4 | static_cast<uint64_t>(d);
  }
  out = v;
  return true;
}

int64_t ReadInt(const Json& v, const std::string& path, int64_t lo, int64_t hi) {
  bool inRange = false;
  int64_t value = 0;
  uint64_t hex = 0;
  if (v.is_number_integer()) {
    // Unsigned values above the signed range are above every field's range too.
    inRange = v.is_number_unsigned() ? v.get<uint64_t>() <= static_cast<uint64_t>(hi) : true;
    value = inRange ? v.get<int64_t>() : 0;
  } else if (v.is_string() && ParseHexText(v.get<std::string>(), hex)) {
    inRange = hex <= static_cast<uint64_t>(hi);
    value = inRange ? static_cast<int64_t>(hex) : 0;
  } else {
    Fail(path, Msg(JsonMsg::ExpectedInteger));
  }
  if (!inRange || value < lo || value > hi)
    Fail(path, Format(Msg(JsonMsg::OutOfRange), Shown(v).c_str(), static_cast<long long>(lo),
                      static_cast<long long>(hi)));
  return value;
}

bool ReadBool(const Json& v, const std::string& path) {
  if (!v.is_boolean()) Fail(path, Msg(JsonMsg::ExpectedBool));
  return v.get<bool>();
}

std::u16string ReadText(const Json& v, const std::string& path) {
  if (!v.is_string()) Fail(path, Msg(JsonMsg::ExpectedText));
  return Utf8ToUtf16(v.get<std::string>());  // the reader has checked the UTF-8
}

RawString ReadText8(const Json& v, const std::string& path) {
  bool lossless = true;
  RawString out = WideToCp1252(ReadText(v, path), &lossless);
  if (!lossless) Fail(path, Format(Msg(JsonMsg::NotCp1252), v.get<std::string>().c_str()));
  return out;
}

// The "0x" form of ExtendedToJsonText: sign and exponent first.
std::string RawExtendedText(const uint8_t (&bits)[kExtendedBytes]) {
  std::string s = "0x";
  for (size_t i = kExtendedBytes; i-- > 0;) s += HexDigits(bits[i], 2);
  return s;
}

long double ReadReal(const Json& v, const std::string& path) {
  if (v.is_number()) return v.get<long double>();
  uint64_t high = 0, low = 0;
  if (v.is_string()) {
    const std::string s = v.get<std::string>();
    // "0x" + 4 digits of sign and exponent + 16 digits of significand.
    if (s.size() == 22 && ParseHexText(s.substr(0, 6), high) && ParseHexText("0x" + s.substr(6), low)) {
      uint8_t bits[sizeof(long double)] = {};
      for (size_t i = 0; i < 8; ++i) bits[i] = static_cast<uint8_t>(low >> (8 * i));
      bits[8] = static_cast<uint8_t>(high);
      bits[9] = static_cast<uint8_t>(high >> 8);
      long double out;
      std::memcpy(&out, bits, sizeof out);
      return out;
    }
  }
  Fail(path, Msg(JsonMsg::ExpectedNumber));
}

template <class T>
struct Choice {
  const char* name;
  T value;
};

template <class T, size_t N>
T ReadChoice(const Json& v, const std::string& path, const Choice<T> (&choices)[N]) {
  std::string names;
  for (const Choice<T>& c : choices) {
    if (v.is_string() && v.get<std::string>() == c.name) return c.value;
    names += std::string(names.empty() ? "" : ", ") + "\"" + c.name + "\"";
  }
  if (!v.is_string()) Fail(path, Format(Msg(JsonMsg::ExpectedOneOf), names.c_str()));
  Fail(path, Format(Msg(JsonMsg::NotOneOf), v.get<std::string>().c_str(), names.c_str()));
}

template <class T, size_t N>
const char* ChoiceName(T value, const Choice<T> (&choices)[N]) {
  for (const Choice<T>& c : choices)
    if (c.value == value) return c.name;
  return choices[0].name;
}

// One JSON object with the keys it may have; each getter returns the key's value or,
// when the key is missing, the given default.
class Object {
 public:
  Object(const Json* j, std::string path, const std::vector<const char*>& keys, JsonMsg kind)
      : j_(j), path_(std::move(path)) {
    if (!j_) return;
    if (!j_->is_object()) Fail(path_, Msg(JsonMsg::ExpectedObject));
    for (const auto& [key, value] : j_->items()) {
      bool known = false;
      for (const char* k : keys) known = known || key == k;
      if (!known) Fail(Member(path_, key), Format(Msg(JsonMsg::UnknownKey), Msg(kind)));
    }
  }

  const Json* Find(const char* key) const {
    if (!j_) return nullptr;
    auto it = j_->find(key);
    return it == j_->end() ? nullptr : &*it;
  }
  bool Has(const char* key) const { return Find(key) != nullptr; }
  std::string Path(const char* key) const { return Member(path_, key); }

  template <class T>
  T Int(const char* key, T def, int64_t lo, int64_t hi) const {
    const Json* v = Find(key);
    return v ? static_cast<T>(ReadInt(*v, Path(key), lo, hi)) : def;
  }
  // The whole range of the field's type.
  template <class T>
  T Int(const char* key, T def) const {
    return Int<T>(key, def, std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
  }
  bool Bool(const char* key, bool def) const {
    const Json* v = Find(key);
    return v ? ReadBool(*v, Path(key)) : def;
  }
  std::u16string Text(const char* key, const std::u16string& def) const {
    const Json* v = Find(key);
    return v ? ReadText(*v, Path(key)) : def;
  }
  RawString Text8(const char* key, const RawString& def) const {
    const Json* v = Find(key);
    return v ? ReadText8(*v, Path(key)) : def;
  }
  long double Real(const char* key, long double def) const {
    const Json* v = Find(key);
    return v ? ReadReal(*v, Path(key)) : def;
  }
  template <class T, size_t N>
  T Pick(const char* key, T def, const Choice<T> (&choices)[N]) const {
    const Json* v = Find(key);
    return v ? ReadChoice(*v, Path(key), choices) : def;
  }
  // The elements of an array (none when the key is missing).
  std::vector<const Json*> Array(const char* key) const {
    std::vector<const Json*> out;
    const Json* v = Find(key);
    if (!v) return out;
    if (!v->is_array()) Fail(Path(key), Msg(JsonMsg::ExpectedArray));
    for (const Json& e : *v) out.push_back(&e);
    return out;
  }

 private:
  const Json* j_;
  std::string path_;
};

// ---------------------------------------------------------------- the fields

const Choice<TNetworkType> kNetworkTypes[] = {{"cable", TNetworkType::Cable},
                                              {"terrestrial", TNetworkType::Terrestrial}};
const Choice<TLcnVariant> kVariants[] = {{"EACEM", TLcnVariant::EACEM},
                                         {"ITC", TLcnVariant::ITC},
                                         {"NorDigV1", TLcnVariant::NorDigV1},
                                         {"NorDigV2", TLcnVariant::NorDigV2}};

// The one-byte codes of a stream with the range its grid cell accepts, in key order.
template <class R>
struct CodeField {
  const char* key;
  int max;
  uint8_t (R::*get)() const;
  void (R::*set)(uint8_t);
};
using TCable = TCableDescrData;
using TTerrest = TTerrestrialDescrData;
const CodeField<TCable> kCableCodes[] = {
    {"fecOuter", 2, &TCable::FECOut, &TCable::SetFECOut},
    {"modulation", 5, &TCable::Modu, &TCable::SetModu},
    {"fecInner", 15, &TCable::FECIn, &TCable::SetFECIn},
};
const CodeField<TTerrest> kTerrestrialCodes[] = {
    {"bandwidth", 3, &TTerrest::BandWidth, &TTerrest::SetBandWidth},
    {"priority", 1, &TTerrest::Priority, &TTerrest::SetPriority},
    {"timeSlicing", 255, &TTerrest::TimeSliceIndicator, &TTerrest::SetTimeSliceIndicator},
    {"mpeFec", 255, &TTerrest::MpeFecIndictor, &TTerrest::SetMpeFecIndictor},
    {"constellation", 2, &TTerrest::Constellation, &TTerrest::SetConstellation},
    {"hierarchy", 3, &TTerrest::Hierarchy, &TTerrest::SetHierarchy},
    {"codeRateHP", 4, &TTerrest::HPCodeRate, &TTerrest::SetHPCodeRate},
    {"codeRateLP", 4, &TTerrest::LPCodeRate, &TTerrest::SetLPCodeRate},
    {"guardInterval", 3, &TTerrest::GuardInterval, &TTerrest::SetGuardInterval},
    {"mode", 2, &TTerrest::Mode, &TTerrest::SetMode},
    {"otherFrequency", 1, &TTerrest::OtherFreqFlag, &TTerrest::SetOtherFreqFlag},
};

constexpr int kMaxLcn = 16383;
constexpr int kMaxListId = 255;
constexpr size_t kMaxListName = 255;

const std::vector<const char*> kServiceKeys = {
    "name",    "id",       "type",    "visible",  "lcn",           "hdLcn",           "channelList",       "ident",
    "auto",    "moduleName", "moduleNr", "channel", "origServiceId", "origServiceName", "origServiceNameUni"};

const std::vector<const char*> kCableStreamKeys = {"tsid",     "onid",  "frequency", "symbolRate", "fecOuter", "modulation",
                                                   "fecInner", "netId", "ident",     "auto",       "services"};
const std::vector<const char*> kTerrestrialStreamKeys = {
    "tsid",       "onid",       "frequency",     "bandwidth", "priority",       "timeSlicing", "mpeFec",
    "constellation", "hierarchy", "codeRateHP", "codeRateLP", "guardInterval", "mode",        "otherFrequency",
    "netId",      "ident",      "auto",          "services"};

// ---------------------------------------------------------------- JSON -> editor

void ReadService(const Object& o, TServiceList& list, size_t index) {
  const TServiceData& added = *list[index];
  auto s = std::make_unique<TServiceData>(o.Text8("moduleName", added.ModuleName()),
                                          o.Int<int32_t>("moduleNr", added.ModuleNr()),
                                          o.Int<int32_t>("channel", added.Channel()));
  const std::u16string name = o.Text("name", added.ServiceName());
  s->SetServiceName(name);
  // As a name typed into the grid, which writes both original names too.
  const bool named = o.Has("name");
  s->SetOrgServiceNameUni(o.Text("origServiceNameUni", named ? name : added.OrgServiceNameUni()));
  s->SetOrgServiceName(o.Text8("origServiceName", named ? WideToCp1252(name) : added.OrgServiceName()));
  s->SetIdent(o.Text("ident", added.Ident()));
  s->SetAuto(o.Int<int32_t>("auto", added.Auto()));
  s->SetServiceID(o.Int<uint16_t>("id", added.ServiceID()));
  s->SetOrgServiceID(o.Int<uint16_t>("origServiceId", added.OrgServiceID()));
  s->SetServiceType(o.Int<uint8_t>("type", added.ServiceType()));
  s->SetVisible(o.Bool("visible", added.Visible()));
  s->SetLogicalNumber(o.Int<int32_t>("lcn", added.LogicalNumber(), 0, kMaxLcn));
  s->SetHDSimulLogicalNumber(o.Int<int32_t>("hdLcn", added.HDSimulLogicalNumber(), 0, kMaxLcn));
  s->SetChannelListID(o.Int<int32_t>("channelList", added.ChannelListID(), -1, kMaxListId));
  list[index] = std::move(s);
}

template <class R, size_t N>
void ReadCodes(const Object& o, R& r, const CodeField<R> (&fields)[N]) {
  for (const CodeField<R>& f : fields) (r.*f.set)(o.Int<uint8_t>(f.key, (r.*f.get)(), 0, f.max));
}

void ReadStream(TNitEditor& editor, const Json* j, const std::string& path) {
  const bool cable = editor.NetworkType() == TNetworkType::Cable;
  const Object o(j, path, cable ? kCableStreamKeys : kTerrestrialStreamKeys, cable ? JsonMsg::KindCableStream : JsonMsg::KindTerrestrialStream);

  const size_t index = editor.AddStream();
  TTransportStreamData& r = *editor.Stream(index);
  r.SetTSID(o.Int<uint16_t>("tsid", r.TSID()));
  r.SetOrgNetID(o.Int<uint16_t>("onid", r.OrgNetID()));
  r.SetNetID(o.Int<uint16_t>("netId", r.NetID()));
  r.SetIdent(o.Text("ident", r.Ident()));
  r.SetAuto(o.Int<int32_t>("auto", r.Auto()));
  r.SetFreq(o.Real("frequency", r.Freq()));
  if (cable) {
    TCableDescrData& c = *editor.CableEntryList()[index];
    c.SetSymbRate(o.Real("symbolRate", c.SymbRate()));
    ReadCodes(o, c, kCableCodes);
  } else {
    ReadCodes(o, *editor.TerrestrialEntryList()[index], kTerrestrialCodes);
  }

  const std::vector<const Json*> services = o.Array("services");
  for (size_t i = 0; i < services.size(); ++i) {
    const size_t si = editor.AddService(index, kNewServiceType);
    ReadService(Object(services[i], Element(o.Path("services"), i), kServiceKeys, JsonMsg::KindService), r.ServiceList(), si);
  }
}

void ReadChannelLists(TNitEditor& editor, const Object& top) {
  const std::vector<const Json*> lists = top.Array("channelLists");
  std::set<int32_t> ids;
  for (size_t i = 0; i < lists.size(); ++i) {
    const Object o(lists[i], Element("channelLists", i), {"id", "name", "country"}, JsonMsg::KindChannelList);
    auto list = std::make_unique<TChListData>();
    list->SetListID(o.Int<int32_t>("id", list->ListID(), -1, kMaxListId));
    if (list->ListID() >= 0 && !ids.insert(list->ListID()).second)
      Fail(o.Path("id"), Format(Msg(JsonMsg::EarlierListId), list->ListID()));
    list->SetListName(o.Text("name", list->ListName()));
    if (list->ListName().size() > kMaxListName)
      Fail(o.Path("name"), Format(Msg(JsonMsg::NameTooLong), kMaxListName));
    if (const Json* c = o.Find("country")) {
      if (c->is_number_integer()) {
        list->SetCountryCode(static_cast<uint32_t>(ReadInt(*c, o.Path("country"), 0, UINT32_MAX)));
      } else {
        // Three characters below U+0100, first in bits 23..16; an empty text is none.
        const std::u16string code = ReadText(*c, o.Path("country"));
        const uint32_t packed = PackCountryCode(code);
        const bool valid = code.empty() || (code.size() == 3 && (packed >> 16) != 0 && (packed >> 8 & 0xFF) != 0 &&
                                            (packed & 0xFF) != 0);
        if (!valid) Fail(o.Path("country"), Format(Msg(JsonMsg::NotCountryCode), c->get<std::string>().c_str()));
        list->SetCountryCode(packed);
      }
    }
    editor.ChannelList().push_back(std::move(list));
  }
}

// ---------------------------------------------------------------- editor -> JSON

// A text as written, within the length that reading accepts.
std::string Bounded(std::string utf8, const std::string& path) {
  if (utf8.size() > kMaxTextBytes) FailTooLong(path, JsonMsg::AText);
  return utf8;
}

// UTF-16 to UTF-8 for JSON, which cannot carry a lone surrogate.
std::string JsonText(const std::u16string& s, const std::string& path) {
  for (size_t i = 0; i < s.size(); ++i) {
    const bool high = s[i] >= 0xD800 && s[i] <= 0xDBFF;
    const bool low = s[i] >= 0xDC00 && s[i] <= 0xDFFF;
    if (high && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) ++i;
    else if (high || low) Fail(path, Msg(JsonMsg::LoneSurrogate));
  }
  return Bounded(Utf16ToUtf8(s), path);
}

std::string JsonText8(const RawString& s, const std::string& path) { return Bounded(Utf16ToUtf8(Cp1252ToWide(s)), path); }

Json IdJson(uint16_t id) { return Hex0x(id, 4); }

Json RealJson(long double v) {
  std::string text = ExtendedToJsonText(v);
  return text.rfind("0x", 0) == 0 ? Json(text) : Json(v);
}

Json CountryJson(uint32_t code) {
  if (code == 0) return "";
  std::string letters;
  for (int shift = 16; shift >= 0; shift -= 8) letters += static_cast<char>((code >> shift) & 0xFF);
  bool printable = (code >> 24) == 0;
  for (char c : letters) printable = printable && c >= 0x20 && c <= 0x7E;
  return printable ? Json(letters) : Json(code);
}

template <class R, size_t N>
void WriteCodes(Json& j, const R& r, const CodeField<R> (&fields)[N]) {
  for (const CodeField<R>& f : fields) j[f.key] = (r.*f.get)();
}

Json ServiceJson(const TServiceData& s, const std::u16string& streamIdent, const std::string& path) {
  Json j = Json::object();
  j["name"] = JsonText(s.ServiceName(), Member(path, "name"));
  j["id"] = IdJson(s.ServiceID());
  j["type"] = s.ServiceType();
  j["visible"] = s.Visible();
  j["lcn"] = s.LogicalNumber();
  j["hdLcn"] = s.HDSimulLogicalNumber();
  j["channelList"] = s.ChannelListID();
  // The rest only where it differs from what reading would assume.
  const TServiceData fresh;
  if (s.Ident() != streamIdent) j["ident"] = JsonText(s.Ident(), Member(path, "ident"));
  if (s.Auto() != fresh.Auto()) j["auto"] = s.Auto();
  if (s.ModuleName() != fresh.ModuleName()) j["moduleName"] = JsonText8(s.ModuleName(), Member(path, "moduleName"));
  if (s.ModuleNr() != fresh.ModuleNr()) j["moduleNr"] = s.ModuleNr();
  if (s.Channel() != fresh.Channel()) j["channel"] = s.Channel();
  if (s.OrgServiceID() != fresh.OrgServiceID()) j["origServiceId"] = IdJson(s.OrgServiceID());
  if (s.OrgServiceName() != WideToCp1252(s.ServiceName())) j["origServiceName"] = JsonText8(s.OrgServiceName(), Member(path, "origServiceName"));
  if (s.OrgServiceNameUni() != s.ServiceName())
    j["origServiceNameUni"] = JsonText(s.OrgServiceNameUni(), Member(path, "origServiceNameUni"));
  return j;
}

// `servicesSoFar` counts the services of all streams written.
Json StreamJson(const TNitEditor& editor, size_t index, const std::string& path, size_t& servicesSoFar) {
  const TTransportStreamData& r = *editor.Stream(index);
  const std::string servicesPath = Member(path, "services");
  if (r.ServiceList().size() > kMaxServices) FailTooMany(servicesPath, kServicesLimit);
  servicesSoFar += r.ServiceList().size();
  if (servicesSoFar > kMaxServices) FailTooManyServices(servicesPath);
  Json j = Json::object();
  j["tsid"] = IdJson(r.TSID());
  j["onid"] = IdJson(r.OrgNetID());
  j["frequency"] = RealJson(r.Freq());
  if (editor.NetworkType() == TNetworkType::Cable) {
    const TCableDescrData& c = *editor.CableEntryList()[index];
    j["symbolRate"] = RealJson(c.SymbRate());
    WriteCodes(j, c, kCableCodes);
  } else {
    WriteCodes(j, *editor.TerrestrialEntryList()[index], kTerrestrialCodes);
  }
  if (r.NetID() != 0) j["netId"] = IdJson(r.NetID());
  if (!r.Ident().empty()) j["ident"] = JsonText(r.Ident(), Member(path, "ident"));
  if (r.Auto() != 0) j["auto"] = r.Auto();
  Json services = Json::array();
  for (size_t i = 0; i < r.ServiceList().size(); ++i)
    services.push_back(ServiceJson(*r.ServiceList()[i], r.Ident(), Element(servicesPath, i)));
  j["services"] = std::move(services);
  return j;
}

// Pretty printing: objects and arrays of plain values stay on one line, so that one
// service is one line of a diff.
void Write(std::string& out, const Json& j, int depth) {
  if (j.is_number_float()) {
    out += ExtendedToJsonText(j.get<long double>());
    return;
  }
  if (!j.is_structured()) {
    out += j.dump();  // holds no float
    return;
  }
  const bool object = j.is_object();
  if (j.empty()) {
    out += object ? "{}" : "[]";
    return;
  }
  bool oneLine = depth > 0;
  for (const Json& e : j) oneLine = oneLine && !e.is_structured();
  const std::string inner = "\n" + std::string(2 * (depth + 1), ' ');
  out += object ? '{' : '[';
  bool first = true;
  for (const auto& item : j.items()) {
    if (!first) out += ',';
    out += oneLine ? (first ? "" : " ") : inner;
    if (object) out += Json(item.key()).dump() + ": ";
    Write(out, item.value(), depth + 1);
    first = false;
  }
  if (!oneLine) out += "\n" + std::string(2 * depth, ' ');
  out += object ? '}' : ']';
}

}  // namespace

std::string ExtendedToJsonText(long double value) {
  uint8_t bits[kExtendedBytes];
  std::memcpy(bits, &value, kExtendedBytes);
  if (std::isfinite(value)) {
    char text[64];
    for (int digits = 1; digits <= std::numeric_limits<long double>::max_digits10; ++digits) {
      std::snprintf(text, sizeof text, "%.*Lg", digits, value);
      const long double back = std::strtold(text, nullptr);
      if (std::memcmp(&back, bits, kExtendedBytes) != 0) continue;
      std::string s = text;
      if (s.find_first_of(".e") == std::string::npos) s += ".0";
      return s;
    }
  }
  return RawExtendedText(bits);
}

void ProjectFromJson(TNitEditor& editor, std::string_view text) {
  const Json root = Parse(text);
  const Object top(&root, "", {"network", "options", "channelLists", "transportStreams", "rowOrder", "selectedRow"},
                   JsonMsg::KindProject);

  const Object net(top.Find("network"), "network", {"type", "name", "id", "version"}, JsonMsg::KindNetwork);
  editor.SetNetworkType(net.Pick("type", editor.NetworkType(), kNetworkTypes));
  editor.CableEntryList().clear();
  editor.TerrestrialEntryList().clear();
  editor.ChannelList().clear();
  editor.SetRowOrder({});
  editor.NIT().Delete();
  editor.SetNetworkName(net.Text("name", editor.NetworkName()));
  editor.SetNetworkID(net.Int<uint16_t>("id", editor.NetworkID()));
  editor.SetVersionNumber(net.Int<uint8_t>("version", editor.VersionNumber(), 0, 31));

  const Object opt(top.Find("options"), "options", {"serviceLists", "logicalChannels", "hdSimulcast", "variant"},
                   JsonMsg::KindOptions);
  editor.SetAddSLDs(opt.Bool("serviceLists", editor.AddSLDs()));
  editor.SetAddLCDs(opt.Bool("logicalChannels", editor.AddLCDs()));
  const bool hd = opt.Bool("hdSimulcast", editor.AddHDSimulLCN());
  if (hd && !editor.AddLCDs()) Fail(opt.Path("hdSimulcast"), Msg(JsonMsg::NeedsLogicalChannels));
  editor.SetAddHDSimulLCN(hd);
  editor.SetVariant(opt.Pick("variant", editor.Variant(), kVariants));

  ReadChannelLists(editor, top);
  const std::vector<const Json*> streams = top.Array("transportStreams");
  for (size_t i = 0; i < streams.size(); ++i) ReadStream(editor, streams[i], Element("transportStreams", i));

  const int64_t last = static_cast<int64_t>(editor.StreamCount()) - 1;
  if (top.Has("rowOrder")) {
    std::vector<int32_t> order;
    const std::vector<const Json*> rows = top.Array("rowOrder");
    for (size_t i = 0; i < rows.size(); ++i)
      order.push_back(static_cast<int32_t>(ReadInt(*rows[i], Element("rowOrder", i), 0, last)));
    try {
      editor.SetRowOrder(std::move(order));
    } catch (const QuillonError& e) {
      Fail("rowOrder", e.what());
    }
  }
  editor.SetSelectedRow(top.Int<int32_t>("selectedRow", -1, -1, last));
  editor.ResetModified();
}

std::string ProjectToJson(const TNitEditor& editor) {
  Json root = Json::object();
  Json& net = root["network"];
  net["type"] = ChoiceName(editor.NetworkType(), kNetworkTypes);
  net["name"] = JsonText(editor.NetworkName(), "network.name");
  net["id"] = IdJson(editor.NetworkID());
  net["version"] = editor.VersionNumber();

  Json& opt = root["options"];
  opt["serviceLists"] = editor.AddSLDs();
  opt["logicalChannels"] = editor.AddLCDs();
  opt["hdSimulcast"] = editor.AddHDSimulLCN();
  opt["variant"] = ChoiceName(editor.Variant(), kVariants);

  if (editor.ChannelList().size() > kMaxElements) FailTooMany("channelLists", LimitOf("channelLists"));
  Json lists = Json::array();
  for (size_t i = 0; i < editor.ChannelList().size(); ++i) {
    const TChListData& l = *editor.ChannelList()[i];
    Json j = Json::object();
    j["id"] = l.ListID();
    j["name"] = JsonText(l.ListName(), Member(Element("channelLists", i), "name"));
    j["country"] = CountryJson(l.CountryCode());
    lists.push_back(std::move(j));
  }
  root["channelLists"] = std::move(lists);

  // The row order lists each stream once, so its length is the stream count.
  if (editor.StreamCount() > kMaxElements) FailTooMany("transportStreams", LimitOf("transportStreams"));
  Json streams = Json::array();
  bool listOrder = true;
  size_t services = 0;
  for (size_t i = 0; i < editor.StreamCount(); ++i) {
    streams.push_back(StreamJson(editor, i, Element("transportStreams", i), services));
    listOrder = listOrder && editor.RowOrder()[i] == static_cast<int32_t>(i);
  }
  root["transportStreams"] = std::move(streams);
  if (!listOrder) root["rowOrder"] = editor.RowOrder();
  if (editor.SelectedRow() >= 0) root["selectedRow"] = editor.SelectedRow();

  std::string out;
  Write(out, root, 0);
  return out + "\n";
}

}  // namespace quillon::cli
