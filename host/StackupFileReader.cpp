#include "StackupFile.h"

#include "files/FileIO.h"
#include "LayerCodes.h"
#include "StackupFileCommon.h"

#include <nlohmann/json.hpp>

#include <cstring>
#include <limits>
#include <map>
#include <set>
#include <unordered_set>

namespace lmhost {
namespace {

using namespace stackup_file;
using Json = nlohmann::json;

// The format nests 5 levels deep; anything much deeper is not a stackup file.
constexpr int kMaxNesting = 8;

std::string inQuotes(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

std::string describe(const Json& value)
{
    if (value.is_object()) return "an object";
    if (value.is_array()) return "an array";
    std::string text = value.dump(-1, ' ', false, Json::error_handler_t::replace);
    if (text.size() > 40) text = text.substr(0, 37) + "...";
    return text;
}

constexpr std::string_view kOtherLayerKeys[] = {"id",      "permanent", "name",  "type",          "usage",     "technology",
                                                "metal",   "visible",   "color", "pourDrawStyle", "hostParam3"};
constexpr std::string_view kBoardKeys[] = {"id", "name", "layers", "drillPairs"};
constexpr std::string_view kDrillPairKeys[] = {"from", "to"};
constexpr std::string_view kDocumentKeys[] = {"format", "version", "boards"};

// The most JSON values (objects, arrays and scalars; keys not counted) a file
// within the documented limits can hold: every layer with all its keys, every
// board full of layers and drill pairs. Counted while parsing, so that hostile
// input cannot build a huge document before the per-board limits are looked at.
constexpr std::size_t kValuesPerLayer = 1 + std::size(kNumberFields) + std::size(kOtherLayerKeys);
constexpr std::size_t kValuesPerDrillPair = 1 + std::size(kDrillPairKeys);
constexpr std::size_t kValuesPerBoard =
    1 + std::size(kBoardKeys) + kMaxLayersPerBoard * kValuesPerLayer + kMaxDrillPairsPerBoard * kValuesPerDrillPair;
constexpr std::size_t kMaxJsonValues = 1 + std::size(kDocumentKeys) + kMaxBoards * kValuesPerBoard;

bool isLayerKey(std::string_view key)
{
    for (const NumberField& field : kNumberFields)
        if (field.key == key) return true;
    for (std::string_view known : kOtherLayerKeys)
        if (known == key) return true;
    return false;
}

template <typename IsKnown>
void expectObject(const Json& value, const std::string& where, IsKnown isKnown)
{
    if (!value.is_object()) fail(where, "expected an object, got " + describe(value));
    for (const auto& [key, unused] : value.items())
        if (!isKnown(key)) fail(where, "unknown key " + inQuotes(key));
}

void expectObjectWithKeys(const Json& value, const std::string& where, std::span<const std::string_view> keys)
{
    expectObject(value, where, [keys](std::string_view key) {
        for (std::string_view known : keys)
            if (known == key) return true;
        return false;
    });
}

const Json& required(const Json& object, std::string_view key, const std::string& where)
{
    const auto found = object.find(key);
    if (found == object.end()) fail(where, "missing key " + inQuotes(key));
    return *found;
}

const Json* optional(const Json& object, std::string_view key)
{
    const auto found = object.find(key);
    return found == object.end() ? nullptr : &*found;
}

const Json& expectArray(const Json& value, const std::string& where, std::size_t maxSize, std::string_view what)
{
    if (!value.is_array()) fail(where, "expected an array, got " + describe(value));
    if (value.size() > maxSize)
        fail(where, "too many " + std::string(what) + ": " + std::to_string(value.size()) + " (at most " +
                        std::to_string(maxSize) + ")");
    return value;
}

int32_t readInt32(const Json& value, const std::string& where)
{
    constexpr int64_t lowest = std::numeric_limits<int32_t>::min();
    constexpr int64_t highest = std::numeric_limits<int32_t>::max();
    if (value.is_number_unsigned()) {
        if (value.get<uint64_t>() <= static_cast<uint64_t>(highest)) return static_cast<int32_t>(value.get<uint64_t>());
    } else if (value.is_number_integer()) {
        const int64_t number = value.get<int64_t>();
        if (number >= lowest && number <= highest) return static_cast<int32_t>(number);
    } else {
        fail(where, "expected an integer, got " + describe(value));
    }
    fail(where, "integer " + value.dump() + " is out of range (" + std::to_string(lowest) + " to " +
                    std::to_string(highest) + ")");
}

double readNumber(const Json& value, const std::string& where, bool isLength)
{
    if (!value.is_number()) fail(where, "expected a number, got " + describe(value));
    const double number = value.get<double>();
    if (isLength && number < 0.0) fail(where, "a length cannot be negative, got " + value.dump());
    return number;
}

bool readBool(const Json& value, const std::string& where)
{
    if (!value.is_boolean()) fail(where, "expected true or false, got " + describe(value));
    return value.get<bool>();
}

const std::string& readString(const Json& value, const std::string& where)
{
    if (!value.is_string()) fail(where, "expected a string, got " + describe(value));
    return value.get_ref<const std::string&>();
}

// A name handed to the component as a C string: no NUL inside, bounded length.
const std::string& readName(const Json& value, const std::string& where, std::size_t maxBytes)
{
    const std::string& name = readString(value, where);
    if (name.find('\0') != std::string::npos) fail(where, "name contains a NUL character");
    if (name.size() > maxBytes)
        fail(where, "name is " + std::to_string(name.size()) + " bytes long (at most " + std::to_string(maxBytes) + ")");
    return name;
}

int32_t readCode(CodedField field, const Json& value, const std::string& where)
{
    const std::string& text = readString(value, where);
    const auto code = codeOfText(field, text);
    if (!code) fail(where, "unknown " + std::string(fieldNoun(field)) + " " + inQuotes(text) + " (accepted: " + acceptedTexts(field) + ")");
    return *code;
}

// Technology and metal: null stands for "none".
int32_t readNullableCode(CodedField field, const Json& value, const std::string& where)
{
    return value.is_null() ? kNoCode : readCode(field, value, where);
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "#RRGGBB" in the file; 0x00BBGGRR in the record.
uint32_t readColor(const Json& value, const std::string& where)
{
    const std::string& text = readString(value, where);
    uint32_t rgb = 0;
    bool valid = text.size() == 7 && text[0] == '#';
    for (std::size_t i = 1; valid && i < text.size(); ++i) {
        const int digit = hexDigit(text[i]);
        valid = digit >= 0;
        rgb = rgb << 4 | static_cast<uint32_t>(digit);
    }
    if (!valid) fail(where, "expected a colour \"#RRGGBB\", got " + inQuotes(text));
    return (rgb >> 16 & 0xFFu) | (rgb & 0xFF00u) | (rgb & 0xFFu) << 16;
}

LMLAYEREX readLayer(const Json& value, const std::string& where)
{
    expectObject(value, where, isLayerKey);
    const int32_t usage = readCode(CodedField::Usage, required(value, "usage", where), member(where, "usage"));
    LMLAYEREX layer = defaultLayer(usage);
    const bool isMetal = layer.nType == kMetalType;

    if (const Json* type = optional(value, "type")) {
        const std::string at = member(where, "type");
        if (readCode(CodedField::Type, *type, at) != layer.nType)
            fail(at, "type " + type->dump() + " does not go with usage " + inQuotes(textOfCode(CodedField::Usage, usage)));
    }
    if (const Json* id = optional(value, "id")) layer.nId = readInt32(*id, member(where, "id"));
    if (const Json* permanent = optional(value, "permanent"))
        layer.bPermanent = readBool(*permanent, member(where, "permanent")) ? 1 : 0;
    if (const Json* name = optional(value, "name")) {
        const std::string& text = readName(*name, member(where, "name"), kMaxLayerNameBytes);
        std::memcpy(layer.szName, text.data(), text.size());
    }
    if (const Json* technology = optional(value, "technology")) {
        const std::string at = member(where, "technology");
        layer.nTechnology = readNullableCode(CodedField::Technology, *technology, at);
        if (isMetal && layer.nTechnology != kNoCode) fail(at, "a metal layer has no technology; use null");
    }
    if (const Json* metal = optional(value, "metal")) {
        const std::string at = member(where, "metal");
        layer.nMetal = readNullableCode(CodedField::Metal, *metal, at);
        if (!isMetal && layer.nMetal != kNoCode) fail(at, "a dielectric layer has no metal; use null");
    }
    for (const NumberField& field : kNumberFields)
        if (const Json* number = optional(value, field.key))
            layer.*field.member = readNumber(*number, member(where, field.key), field.isLength);
    if (const Json* visible = optional(value, "visible")) layer.bVisible = readBool(*visible, member(where, "visible")) ? 1 : 0;
    if (const Json* color = optional(value, "color")) layer.crColor = readColor(*color, member(where, "color"));
    if (const Json* style = optional(value, "pourDrawStyle"))
        layer.nPourDrawStyle = readCode(CodedField::PourDrawStyle, *style, member(where, "pourDrawStyle"));
    if (const Json* hostParam3 = optional(value, "hostParam3")) layer.nHostParam3 = readInt32(*hostParam3, member(where, "hostParam3"));
    return layer;
}

LMDRILLPAIR readDrillPair(const Json& value, const std::string& where, const std::unordered_set<int32_t>& layerIds)
{
    expectObjectWithKeys(value, where, kDrillPairKeys);
    LMDRILLPAIR pair{};
    pair.fromLayerId = readInt32(required(value, "from", where), member(where, "from"));
    pair.toLayerId = readInt32(required(value, "to", where), member(where, "to"));
    for (const auto& [key, id] : {std::pair{"from", pair.fromLayerId}, std::pair{"to", pair.toLayerId}})
        if (!layerIds.contains(id)) fail(member(where, key), "no layer of this board has id " + std::to_string(id));
    if (pair.fromLayerId == pair.toLayerId) fail(where, "both ends name layer " + std::to_string(pair.fromLayerId));
    return pair;
}

BoardStackup readBoard(const Json& value, const std::string& where)
{
    expectObjectWithKeys(value, where, kBoardKeys);
    BoardStackup board;
    board.id = readInt32(required(value, "id", where), member(where, "id"));
    if (const Json* name = optional(value, "name")) board.name = readName(*name, member(where, "name"), kMaxBoardNameBytes);

    const std::string layersAt = member(where, "layers");
    const Json& layers = expectArray(required(value, "layers", where), layersAt, kMaxLayersPerBoard, "layers");
    std::unordered_set<int32_t> layerIds;
    for (std::size_t i = 0; i < layers.size(); ++i) {
        board.layers.push_back(readLayer(layers[i], element(layersAt, i)));
        layerIds.insert(board.layers.back().nId);
    }

    if (const Json* pairs = optional(value, "drillPairs")) {
        const std::string pairsAt = member(where, "drillPairs");
        expectArray(*pairs, pairsAt, kMaxDrillPairsPerBoard, "drill pairs");
        for (std::size_t i = 0; i < pairs->size(); ++i)
            board.drillPairs.push_back(readDrillPair((*pairs)[i], element(pairsAt, i), layerIds));
    }
    return board;
}

std::vector<BoardStackup> readDocument(const Json& document)
{
    expectObjectWithKeys(document, "", kDocumentKeys);
    const Json& format = required(document, "format", "");
    if (!format.is_string() || format.get_ref<const std::string&>() != kFormatName)
        fail("format", "expected " + inQuotes(kFormatName) + ", got " + describe(format));
    const Json& version = required(document, "version", "");
    if (readInt32(version, "version") != kFormatVersion)
        fail("version", "version " + version.dump() + " is not supported (this program reads version " +
                            std::to_string(kFormatVersion) + ")");

    const Json& boardsJson = expectArray(required(document, "boards", ""), "boards", kMaxBoards, "boards");
    std::vector<BoardStackup> boards;
    std::map<int32_t, std::size_t> indexOfId;
    for (std::size_t i = 0; i < boardsJson.size(); ++i) {
        const std::string where = element("boards", i);
        boards.push_back(readBoard(boardsJson[i], where));
        const int32_t id = boards.back().id;
        // The component finds boards by id: a repeated id would hide a board.
        if (const auto [found, added] = indexOfId.emplace(id, i); !added)
            fail(member(where, "id"), "board id " + std::to_string(id) + " is already used by boards[" +
                                          std::to_string(found->second) + "]");
        // The component sends drill pairs of a negative board id to its first board.
        if (id < 0 && boardsJson.size() > 1)
            fail(member(where, "id"), "a negative board id is only allowed for a file's single board");
    }
    return boards;
}

// "[json.exception.parse_error.101] parse error at ..." without the bracket.
std::string withoutExceptionId(const Json::exception& error)
{
    std::string detail = error.what();
    if (const auto end = detail.find("] "); end != std::string::npos) detail.erase(0, end + 2);
    return detail;
}

// The parser's callback sees every key and value as they are met: enough to
// refuse duplicate keys (which JSON readers otherwise resolve silently) and
// runaway nesting or size before the document is built.
Json parseJson(std::string_view text)
{
    std::vector<std::set<std::string>> keysOfOpenObjects;
    std::size_t values = 0;
    auto watch = [&](int depth, Json::parse_event_t event, Json& parsed) {
        const bool isValue = event == Json::parse_event_t::value || event == Json::parse_event_t::object_start ||
                             event == Json::parse_event_t::array_start;
        if (isValue && ++values > kMaxJsonValues)
            fail("", "more than " + std::to_string(kMaxJsonValues) + " JSON values");
        switch (event) {
        case Json::parse_event_t::object_start:
        case Json::parse_event_t::array_start:
            if (depth >= kMaxNesting) fail("", "nested more than " + std::to_string(kMaxNesting) + " levels deep");
            if (event == Json::parse_event_t::object_start) keysOfOpenObjects.emplace_back();
            break;
        case Json::parse_event_t::object_end: keysOfOpenObjects.pop_back(); break;
        case Json::parse_event_t::key: {
            const std::string& key = parsed.get_ref<const std::string&>();
            if (!keysOfOpenObjects.back().insert(key).second) fail("", "duplicate key " + inQuotes(key));
            break;
        }
        default: break;
        }
        return true;
    };
    try {
        return Json::parse(text.begin(), text.end(), watch);
    } catch (const Json::parse_error& error) {
        fail("", "not valid JSON (at byte " + std::to_string(error.byte) + "): " + withoutExceptionId(error));
    } catch (const Json::out_of_range& error) { // a number beyond the range of a double
        fail("", "not a usable number: " + withoutExceptionId(error));
    }
}

} // namespace

std::vector<BoardStackup> parseStackup(std::string_view document, const std::string& fileName)
{
    try {
        return readDocument(parseJson(document));
    } catch (const DocumentProblem& problem) {
        throw StackupFileError(located(fileName, problem));
    }
}

std::vector<BoardStackup> readStackupFile(const std::filesystem::path& path)
{
    std::string document;
    try {
        document = lm::files::readRegularFile(path, kMaxFileBytes);
    } catch (const std::runtime_error& error) {
        throw StackupFileError(path.string() + ": " + error.what());
    }
    return parseStackup(document, path.string());
}

} // namespace lmhost
