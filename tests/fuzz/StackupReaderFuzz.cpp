// The stackup file reader on any bytes: it either refuses them with its own
// error or returns boards that the writer puts out and the reader takes back
// bit for bit; the written text is a fixed point of reading and writing.
#include "StackupFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

using lmhost::BoardStackup;

bool sameLayers(const std::vector<LMLAYEREX>& a, const std::vector<LMLAYEREX>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(LMLAYEREX)) == 0);
}

bool samePairs(const std::vector<LMDRILLPAIR>& a, const std::vector<LMDRILLPAIR>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(LMDRILLPAIR)) == 0);
}

bool sameBoards(const std::vector<BoardStackup>& a, const std::vector<BoardStackup>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].id != b[i].id || a[i].name != b[i].name || !sameLayers(a[i].layers, b[i].layers) ||
            !samePairs(a[i].drillPairs, b[i].drillPairs))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<BoardStackup> boards;
    try {
        boards = lmhost::parseStackup(text, "fuzz.json");
    } catch (const lmhost::StackupFileError&) {
        return 0;
    }
    // From here on every failure is a finding: the writer must take what the reader gave.
    const std::string written = lmhost::formatStackup(boards, "fuzz.json");
    const std::vector<BoardStackup> reread = lmhost::parseStackup(written, "fuzz.json");
    if (!sameBoards(boards, reread) || lmhost::formatStackup(reread, "fuzz.json") != written)
        std::abort();
    return 0;
}
