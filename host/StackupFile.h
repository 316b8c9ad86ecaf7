#pragma once
// The example host's stackup file: a JSON document of boards, each an ordered
// list of layer records (top first) and its drill pairs. docs/file-format.md
// describes the format; this is the one place that reads and writes it.
#include <laminar/laminar.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lmhost {

struct BoardStackup {
    int32_t id = 0;
    std::string name;
    std::vector<LMLAYEREX> layers;       // top first; reserved bytes and pDrillSpans are 0
    std::vector<LMDRILLPAIR> drillPairs; // in file order
};

// Limits against hostile or runaway input; the writer keeps to them too.
constexpr std::size_t kMaxFileBytes = 16u * 1024u * 1024u;
constexpr std::size_t kMaxBoards = 256;
constexpr std::size_t kMaxLayersPerBoard = 1024;
constexpr std::size_t kMaxDrillPairsPerBoard = 4096;
constexpr std::size_t kMaxLayerNameBytes = sizeof(LMLAYEREX{}.szName) - 1; // room for the terminator
constexpr std::size_t kMaxBoardNameBytes = 255;

// Its message names the file, the place in the document and the problem:
// "examples/x.json: boards[0].layers[3].usage: unknown usage "Sgnal" ...".
class StackupFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// All or nothing: any problem throws StackupFileError and nothing is returned.
std::vector<BoardStackup> readStackupFile(const std::filesystem::path& path);
// The same for a document already in memory; fileName only labels messages.
std::vector<BoardStackup> parseStackup(std::string_view document, const std::string& fileName);

// Every field, pretty-printed. Throws StackupFileError for boards that would not
// read back exactly (unknown codes, non-finite values, unterminated names, ...).
std::string formatStackup(std::span<const BoardStackup> boards, const std::string& fileName);
// formatStackup, then an atomic replace of the file; on failure the previous file stays.
void writeStackupFile(const std::filesystem::path& path, std::span<const BoardStackup> boards);

} // namespace lmhost
