#include "StackupFile.h"

#include "files/FileIO.h"
#include "LayerCodes.h"
#include "StackupFileCommon.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstring>

namespace lmhost {
namespace {

using namespace stackup_file;
using OrderedJson = nlohmann::ordered_json; // keeps the keys in record order

// A value the file cannot express is written raw; reading the result back then
// refuses it with its place, so the writer and the reader share one set of rules.

OrderedJson codeJson(CodedField field, int32_t code)
{
    const std::string_view text = textOfCode(field, code);
    if (text.empty()) return code;
    return std::string(text);
}

OrderedJson nullableCodeJson(CodedField field, int32_t code)
{
    return code == kNoCode ? OrderedJson(nullptr) : codeJson(field, code);
}

OrderedJson colorJson(uint32_t color)
{
    if (color > 0xFFFFFFu) return color;
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", color & 0xFFu, color >> 8 & 0xFFu, color >> 16 & 0xFFu);
    return text;
}

// JSON text must be UTF-8; a host's name in another encoding cannot be stored as it is.
std::string textJson(std::string text, const std::string& where)
{
    try {
        (void)OrderedJson(text).dump();
    } catch (const OrderedJson::type_error&) {
        fail(where, "name is not valid UTF-8");
    }
    return text;
}

OrderedJson layerJson(const LMLAYEREX& layer, const std::string& where)
{
    OrderedJson json;
    json["id"] = layer.nId;
    json["permanent"] = layer.bPermanent != 0;
    json["name"] = textJson(std::string(layer.szName, strnlen(layer.szName, sizeof layer.szName)), member(where, "name"));
    json["type"] = codeJson(CodedField::Type, layer.nType);
    json["usage"] = codeJson(CodedField::Usage, layer.nUsage);
    json["technology"] = nullableCodeJson(CodedField::Technology, layer.nTechnology);
    json["metal"] = nullableCodeJson(CodedField::Metal, layer.nMetal);
    for (const NumberField& field : kNumberFields) json[std::string(field.key)] = layer.*field.member;
    json["visible"] = layer.bVisible != 0;
    json["color"] = colorJson(layer.crColor);
    json["pourDrawStyle"] = codeJson(CodedField::PourDrawStyle, layer.nPourDrawStyle);
    json["hostParam3"] = layer.nHostParam3;
    return json;
}

OrderedJson boardJson(const BoardStackup& board, const std::string& where)
{
    OrderedJson json;
    json["id"] = board.id;
    json["name"] = textJson(board.name, member(where, "name"));
    json["layers"] = OrderedJson::array();
    for (std::size_t i = 0; i < board.layers.size(); ++i)
        json["layers"].push_back(layerJson(board.layers[i], element(member(where, "layers"), i)));
    json["drillPairs"] = OrderedJson::array();
    for (const LMDRILLPAIR& pair : board.drillPairs)
        json["drillPairs"].push_back({{"from", pair.fromLayerId}, {"to", pair.toLayerId}});
    return json;
}

} // namespace

std::string formatStackup(std::span<const BoardStackup> boards, const std::string& fileName)
{
    std::string text;
    try {
        OrderedJson document;
        document["format"] = kFormatName;
        document["version"] = kFormatVersion;
        document["boards"] = OrderedJson::array();
        for (std::size_t i = 0; i < boards.size(); ++i) document["boards"].push_back(boardJson(boards[i], element("boards", i)));
        text = document.dump(2) + "\n";
        if (text.size() > kMaxFileBytes)
            fail("", "the document would be larger than the limit of " + std::to_string(kMaxFileBytes) + " bytes");
    } catch (const DocumentProblem& problem) {
        throw StackupFileError(located(fileName, problem));
    }
    parseStackup(text, fileName);
    return text;
}

void writeStackupFile(const std::filesystem::path& path, std::span<const BoardStackup> boards)
{
    const std::string text = formatStackup(boards, path.string());
    try {
        lm::files::replaceFile(path, text);
    } catch (const std::runtime_error& error) {
        throw StackupFileError(path.string() + ": " + error.what());
    }
}

} // namespace lmhost
