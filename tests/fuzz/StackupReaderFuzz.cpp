// The stackup file reader on any bytes: it either refuses them with its own
// error or returns boards that the writer puts out and the reader takes back
// bit for bit; the written text is a fixed point of reading and writing.
#include "../host/SameBoards.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<lmhost::BoardStackup> boards;
    try {
        boards = lmhost::parseStackup(text, "fuzz.json");
    } catch (const lmhost::StackupFileError&) {
        return 0;
    }
    // From here on every failure is a finding: the writer must take what the reader gave.
    const std::string written = lmhost::formatStackup(boards, "fuzz.json");
    const std::vector<lmhost::BoardStackup> reread = lmhost::parseStackup(written, "fuzz.json");
    if (!lmhost::test::sameBoards(boards, reread) || lmhost::formatStackup(reread, "fuzz.json") != written)
        std::abort();
    return 0;
}
