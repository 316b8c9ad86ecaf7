#include "StackupFile.h"

#include "LayerCodes.h"
#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <future>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace lmhost;
using lm::test::fileText;
namespace fs = std::filesystem;

namespace {

// A document with one board (id 1) holding the given layer objects and drill pairs.
std::string oneBoard(const std::string& layers, const std::string& drillPairs = "[]")
{
    return R"({"format":"laminar-stackup","version":1,"boards":[{"id":1,"name":"B","layers":[)" + layers +
           R"(],"drillPairs":)" + drillPairs + "}]}";
}

std::string repeated(const std::string& item, std::size_t count)
{
    std::string list;
    for (std::size_t i = 0; i < count; ++i) list += (i ? "," : "") + item;
    return list;
}

template <class Read>
std::string errorOf(Read read)
{
    try {
        read();
    } catch (const StackupFileError& error) {
        return error.what();
    }
    return "(no error)";
}

std::string errorOf(const std::string& document)
{
    return errorOf([&] { parseStackup(document, "examples/x.json"); });
}

template <typename T>
bool sameBytes(const std::vector<T>& a, const std::vector<T>& b)
{
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

void expectSameBoards(const std::vector<BoardStackup>& expected, const std::vector<BoardStackup>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t b = 0; b < expected.size(); ++b) {
        EXPECT_EQ(expected[b].id, actual[b].id);
        EXPECT_EQ(expected[b].name, actual[b].name);
        EXPECT_TRUE(sameBytes(expected[b].layers, actual[b].layers));
        EXPECT_TRUE(sameBytes(expected[b].drillPairs, actual[b].drillPairs));
    }
}

std::vector<BoardStackup> sampleBoards()
{
    BoardStackup main{1, "Main \xC3\x9C" "berall", {}, {{4, 1}}}; // a pair given bottom to top stays so
    for (int32_t usage : {0, 5, 2, 3}) {
        main.layers.push_back(defaultLayer(usage));
        main.layers.back().nId = static_cast<int32_t>(main.layers.size());
    }
    LMLAYEREX& top = main.layers[0];
    std::memset(top.szName, 'n', kMaxLayerNameBytes); // the longest name that fits
    top.nMetal = -1;
    top.bPermanent = 1;
    top.bVisible = 0;
    top.dThickness = 0.1 + 0.2; // needs all 17 digits
    top.dEr = 5e-324;           // smallest subnormal
    top.dLossTangent = std::numeric_limits<double>::max();
    top.dHostParam2 = -0.0;
    top.crColor = 0x00123456;
    top.nPourDrawStyle = 3;
    top.nHostParam3 = std::numeric_limits<int32_t>::min();
    main.layers[1].nTechnology = -1;
    main.layers[3].nMetal = 6;
    return {main, BoardStackup{std::numeric_limits<int32_t>::max(), "", {}, {}}};
}

class StackupFileOnDisk : public ::testing::Test {
protected:
    lm::test::TempDir temp;
    const fs::path dir = temp.path;
};

} // namespace

TEST_F(StackupFileOnDisk, WrittenBoardsReadBackExactly)
{
    const fs::path file = dir / "round.json";
    const auto boards = sampleBoards();
    writeStackupFile(file, boards);
    expectSameBoards(boards, readStackupFile(file));

    const std::string text = fileText(file);
    EXPECT_EQ(0u, text.find("{\n  \"format\": \"laminar-stackup\",\n  \"version\": 1,\n  \"boards\": ["));
    EXPECT_NE(std::string::npos, text.find("\"color\": \"#563412\"")); // 0x00BBGGRR shown as #RRGGBB
    EXPECT_NE(std::string::npos, text.find("\"usage\": \"Split/Mixed\""));
    EXPECT_NE(std::string::npos, text.find("\"technology\": null"));
}

TEST(StackupFile, MissingFieldsTakeTheDefaultOfTheUsage)
{
    const auto layers = parseStackup(
        oneBoard(R"({"usage":"Solder Mask"},{"usage":"Solid Plane","color":"#ff8000","metal":null})"), "t")[0].layers;
    const LMLAYEREX& mask = layers[0];
    EXPECT_EQ(std::vector<int32_t>({mask.nType, mask.nTechnology, mask.nMetal, mask.bVisible}),
              std::vector<int32_t>({1, 0, -1, 1}));
    EXPECT_EQ(std::vector<double>({mask.dThickness, mask.dEr, mask.dGap}), std::vector<double>({1.27e-05, 3.3, 0.0002032}));
    EXPECT_STREQ("", mask.szName);
    EXPECT_EQ(1, layers[1].nUsage);
    EXPECT_EQ(0x000080FFu, layers[1].crColor);
    EXPECT_EQ(-1, layers[1].nMetal); // null asks the component to identify the metal
    EXPECT_NE(std::string::npos, formatStackup(parseStackup(oneBoard(R"({"usage":"Solid Plane"})"), "t"), "t")
                                     .find("\"usage\": \"Plane\""));
}

TEST(StackupFile, ReaderNamesFileLocationAndProblem)
{
    const std::string name67(67, 'a');
    const std::pair<std::string, std::string> cases[] = {
        {oneBoard(R"({"usage":"Signal"},{"usage":"Sgnal"})"), "examples/x.json: boards[0].layers[1].usage: unknown usage \"Sgnal\""},
        {oneBoard(R"({"usage":"Signal","type":"Dielectric"})"), "layers[0].type: type \"Dielectric\" does not go with usage \"Signal\""},
        {oneBoard(R"({"usage":"Signal","thicknes":1e-5})"), "layers[0]: unknown key \"thicknes\""},
        {oneBoard(R"({"name":"Top"})"), "layers[0]: missing key \"usage\""},
        {oneBoard(R"({"usage":"Signal","id":2147483648})"), "layers[0].id: integer 2147483648 is out of range"},
        {oneBoard(R"({"usage":"Signal","hostParam3":-2147483649})"), "hostParam3: integer -2147483649 is out of range"},
        {oneBoard(R"({"usage":"Signal","id":1.0})"), "layers[0].id: expected an integer, got 1.0"},
        {oneBoard(R"({"usage":"Signal","thickness":-1e-9})"), "thickness: a length cannot be negative"},
        {oneBoard(R"({"usage":"Signal","thickness":1e400})"), "examples/x.json: not a usable number: number overflow parsing '1e400'"},
        {oneBoard(R"({"usage":"Signal","er":"4.3"})"), "layers[0].er: expected a number, got \"4.3\""},
        {oneBoard(R"({"usage":"Signal","name":")" + name67 + "\"}"), "layers[0].name: name is 67 bytes long (at most 66)"},
        {oneBoard(R"({"usage":"Signal","name":"a\u0000b"})"), "layers[0].name: name contains a NUL character"},
        {oneBoard(R"({"usage":"Substrate","metal":"Copper"})"), "layers[0].metal: a dielectric layer has no metal"},
        {oneBoard(R"({"usage":"Signal","color":"#12345G"})"), "layers[0].color: expected a colour"},
        {oneBoard(R"({"usage":"Signal","pourDrawStyle":"Dotted"})"), "unknown pour draw style \"Dotted\""},
        {oneBoard(R"({"usage":"Signal","id":1},{"usage":"Signal","id":1})", R"([{"from":1,"to":9}])"),
         "boards[0].drillPairs[0].to: no layer of this board has id 9"},
        {R"({"format":"laminar-stackup","version":2,"boards":[]})", "examples/x.json: version: version 2 is not supported"},
        {R"({"format":"laminar-stackup","version":1,"boards":[{"id":1,"layers":[]},{"id":1,"layers":[]}]})",
         "boards[1].id: board id 1 is already used by boards[0]"},
        {R"({"format":"laminar-stackup","format":"x"})", "examples/x.json: duplicate key \"format\""},
        {R"({"format": "laminar-stackup",)", "examples/x.json: not valid JSON (at byte 30)"},
        {"[[[[[[[[[]]]]]]]]]", "nested more than 8 levels deep"},
    };
    for (const auto& [document, expected] : cases) {
        const std::string message = errorOf(document);
        EXPECT_EQ(0u, message.find("examples/x.json: ")) << message;
        EXPECT_NE(std::string::npos, message.find(expected)) << message << "\n  expected: " << expected;
    }
}

TEST(StackupFile, CountLimitsHoldAtTheirBoundaries)
{
    auto boards = [&](std::size_t count) {
        std::string list;
        for (std::size_t i = 0; i < count; ++i) list += std::string(i ? "," : "") + R"({"id":)" + std::to_string(i) + R"(,"layers":[]})";
        return R"({"format":"laminar-stackup","version":1,"boards":[)" + list + "]}";
    };
    EXPECT_EQ(kMaxBoards, parseStackup(boards(kMaxBoards), "t").size());
    EXPECT_NE(std::string::npos, errorOf(boards(kMaxBoards + 1)).find("boards: too many boards: 257 (at most 256)"));

    const std::string layer = R"({"usage":"Signal"})";
    EXPECT_EQ(kMaxLayersPerBoard, parseStackup(oneBoard(repeated(layer, kMaxLayersPerBoard)), "t")[0].layers.size());
    EXPECT_NE(std::string::npos, errorOf(oneBoard(repeated(layer, kMaxLayersPerBoard + 1))).find("boards[0].layers: too many layers"));

    const std::string twoLayers = R"({"usage":"Signal","id":1},{"usage":"Signal","id":2})";
    const std::string pair = R"({"from":2,"to":1})";
    EXPECT_EQ(kMaxDrillPairsPerBoard,
              parseStackup(oneBoard(twoLayers, "[" + repeated(pair, kMaxDrillPairsPerBoard) + "]"), "t")[0].drillPairs.size());
    EXPECT_NE(std::string::npos, errorOf(oneBoard(twoLayers, "[" + repeated(pair, kMaxDrillPairsPerBoard + 1) + "]"))
                                     .find("boards[0].drillPairs: too many drill pairs: 4097"));
}

TEST_F(StackupFileOnDisk, FileProblemsNameTheFile)
{
    const auto errorReading = [](const fs::path& path) { return errorOf([&] { readStackupFile(path); }); };
    const fs::path missing = dir / "missing.json";
    EXPECT_EQ(missing.string() + ": cannot open the file: No such file or directory", errorReading(missing));
    EXPECT_EQ(dir.string() + ": is a directory, not a regular file", errorReading(dir));

    // Whitespace after the document fills the file to exactly the limit, then one byte more.
    const fs::path big = dir / "big.json";
    std::string document = oneBoard(R"({"usage":"Signal"})");
    document.resize(kMaxFileBytes, ' ');
    lm::test::writeFileText(big, document);
    EXPECT_EQ(1u, readStackupFile(big).size());
    lm::test::writeFileText(big, document + ' ');
    EXPECT_EQ(big.string() + ": file is larger than the limit of 16777216 bytes", errorReading(big));
}

TEST_F(StackupFileOnDisk, FailedWriteKeepsThePreviousFileAndLeavesNoTemporary)
{
    const fs::path file = dir / "board.json";
    writeStackupFile(file, sampleBoards());
    ::chmod(file.c_str(), 0640);
    const std::string before = fileText(file);

    auto expectRefused = [&](const fs::path& target, const std::vector<BoardStackup>& boards, const std::string& expected) {
        const std::string message = errorOf([&] { writeStackupFile(target, boards); });
        EXPECT_EQ(0u, message.find(target.string() + ": ")) << message;
        EXPECT_NE(std::string::npos, message.find(expected)) << message;
        EXPECT_EQ(before, fileText(file));
    };
    auto bad = sampleBoards();
    bad[0].layers[2].nUsage = 42;
    expectRefused(file, bad, "boards[0].layers[2].usage: expected a string, got 42");
    bad = sampleBoards();
    bad[0].layers[0].dThickness = std::nan("");
    expectRefused(file, bad, "boards[0].layers[0].thickness: expected a number, got null");
    bad = sampleBoards();
    std::memset(bad[0].layers[1].szName, 'x', sizeof bad[0].layers[1].szName);
    expectRefused(file, bad, "boards[0].layers[1].name: name is 67 bytes long");

    const fs::path subdirectory = dir / "taken";
    fs::create_directory(subdirectory);
    expectRefused(subdirectory, sampleBoards(), "is a directory, not a regular file");
    EXPECT_TRUE(fs::is_directory(subdirectory));
    if (::geteuid() != 0) { // root writes into read-only directories anyway
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
        expectRefused(file, sampleBoards(), "cannot create a temporary file");
        fs::permissions(dir, fs::perms::owner_all);
    }
    EXPECT_EQ(2, std::distance(fs::directory_iterator(dir), {})); // board.json and taken/: no temporary

    // A successful replace keeps the file's permissions.
    auto renamed = sampleBoards();
    renamed[0].name = "Renamed";
    writeStackupFile(file, renamed);
    EXPECT_EQ(renamed[0].name, readStackupFile(file)[0].name);
    struct stat status {};
    ::stat(file.c_str(), &status);
    EXPECT_EQ(0640u, status.st_mode & 0777u);
}

TEST_F(StackupFileOnDisk, NamedPipeIsRefusedAtOnce)
{
    const fs::path pipe = dir / "pipe.json";
    ASSERT_EQ(0, ::mkfifo(pipe.c_str(), 0600));
    auto reading = std::async(std::launch::async, [&] { return errorOf([&] { readStackupFile(pipe); }); });
    if (reading.wait_for(std::chrono::seconds(10)) == std::future_status::timeout) {
        ::close(::open(pipe.c_str(), O_WRONLY | O_NONBLOCK)); // a writer that leaves, so that the reader returns
        FAIL() << "reading a pipe without a writer blocked";
    }
    EXPECT_EQ(pipe.string() + ": is not a regular file", reading.get());
}

TEST_F(StackupFileOnDisk, SavingThroughASymbolicLinkReplacesTheFileItNames)
{
    // The user keeps the board in a project folder and edits it through a link.
    fs::create_directory(dir / "project");
    writeStackupFile(dir / "project" / "board.json", sampleBoards());
    fs::create_symlink("project/board.json", dir / "link.json");
    fs::create_symlink("link.json", dir / "link-to-link.json");
    auto renamed = sampleBoards();
    renamed[0].name = "Renamed";
    writeStackupFile(dir / "link-to-link.json", renamed);
    EXPECT_TRUE(fs::is_symlink(dir / "link.json"));
    EXPECT_TRUE(fs::is_symlink(dir / "link-to-link.json"));
    EXPECT_EQ("Renamed", readStackupFile(dir / "project" / "board.json")[0].name);
    EXPECT_EQ(1, std::distance(fs::directory_iterator(dir / "project"), {})); // the temporary was beside the target

    // A dangling link: the file it names comes into being, the link stays.
    fs::create_symlink(dir / "project" / "new.json", dir / "dangling.json");
    writeStackupFile(dir / "dangling.json", renamed);
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.json"));
    EXPECT_EQ("Renamed", readStackupFile(dir / "project" / "new.json")[0].name);

    fs::create_symlink("loop.json", dir / "loop.json");
    EXPECT_NE(std::string::npos, errorOf([&] { writeStackupFile(dir / "loop.json", renamed); }).find("symbolic link"));

    // A read-only file is refused, also through a link, and stays as it was.
    const fs::path file = dir / "project" / "board.json";
    ::chmod(file.c_str(), 0444);
    const std::string before = fileText(file);
    for (const fs::path& path : {file, dir / "link.json"})
        EXPECT_EQ(path.string() + ": the file is read-only", errorOf([&] { writeStackupFile(path, sampleBoards()); }));
    EXPECT_EQ(before, fileText(file));
    EXPECT_EQ(2, std::distance(fs::directory_iterator(dir / "project"), {}));
}

TEST(StackupFile, LargestBoardsWithinTheLimitsAreRead)
{
#if defined(__SANITIZE_ADDRESS__)
    // A count, not a memory question: the sanitizer build would spend minutes on the two million values.
    GTEST_SKIP();
#endif
    // Every board full of layers that carry id, name and usage: over two million JSON tokens.
    const std::string layer = R"({"id":7,"name":"L","usage":"Signal"})";
    const std::string board = R"({"id":@,"layers":[)" + repeated(layer, kMaxLayersPerBoard) + "]}";
    std::string boards;
    for (std::size_t i = 0; i < kMaxBoards; ++i) {
        std::string one = board;
        one.replace(one.find('@'), 1, std::to_string(i));
        boards += (i ? "," : "") + one;
    }
    const auto read = parseStackup(R"({"format":"laminar-stackup","version":1,"boards":[)" + boards + "]}", "t");
    ASSERT_EQ(kMaxBoards, read.size());
    EXPECT_EQ(kMaxLayersPerBoard, read.back().layers.size());
}
