// The example host's board files: the stackup file it reads and writes
// (exact round trips, errors that name file, place and problem, saves that
// keep the old file on failure), and KiCad boards (reading the stackup,
// writing it back into the same file, refusing what KiCad cannot take).
#include "BoardFile.h"
#include "EditorSetup.h"
#include "InstanceBoards.h"
#include "KicadBoard.h"
#include "LayerCodes.h"
#include "SExpression.h"
#include "SameBoards.h"
#include "StackupFile.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <future>
#include <limits>
#include <sstream>
#include <tuple>

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
    EXPECT_TRUE(test::sameBoards(boards, readStackupFile(file)));

    const std::string text = fileText(file);
    EXPECT_EQ(0u, text.find("{\n  \"format\": \"laminar-stackup\",\n  \"version\": 1,\n  \"boards\": ["));
    // 0x00BBGGRR shown as #RRGGBB.
    for (const char* part : {"\"color\": \"#563412\"", "\"usage\": \"Split/Mixed\"", "\"technology\": null"})
        EXPECT_NE(std::string::npos, text.find(part)) << part;
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
    // A null metal asks the component to identify the metal.
    EXPECT_EQ(std::tuple(layers[1].nUsage, layers[1].crColor, layers[1].nMetal), std::tuple(1, 0x000080FFu, -1));
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
    const std::pair<void (*)(std::vector<LMLAYEREX>&), const char*> bad[] = {
        {[](auto& l) { l[2].nUsage = 42; }, "boards[0].layers[2].usage: expected a string, got 42"},
        {[](auto& l) { l[0].dThickness = std::nan(""); }, "boards[0].layers[0].thickness: expected a number, got null"},
        {[](auto& l) { std::memset(l[1].szName, 'x', sizeof l[1].szName); }, "boards[0].layers[1].name: name is 67 bytes"},
    };
    for (const auto& [spoil, expected] : bad) {
        auto boards = sampleBoards();
        spoil(boards[0].layers);
        expectRefused(file, boards, expected);
    }

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
    struct stat status {};
    ::stat(file.c_str(), &status);
    EXPECT_EQ(std::tuple(readStackupFile(file)[0].name, status.st_mode & 0777u), std::tuple(renamed[0].name, 0640u));
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
    // The temporary was beside the target.
    EXPECT_EQ(std::tuple(fs::is_symlink(dir / "link.json"), fs::is_symlink(dir / "link-to-link.json"),
                         readStackupFile(dir / "project" / "board.json")[0].name,
                         std::distance(fs::directory_iterator(dir / "project"), {})),
              std::tuple(true, true, "Renamed", 1));

    // A dangling link: the file it names comes into being, the link stays.
    fs::create_symlink(dir / "project" / "new.json", dir / "dangling.json");
    writeStackupFile(dir / "dangling.json", renamed);
    EXPECT_EQ(std::tuple(fs::is_symlink(dir / "dangling.json"), readStackupFile(dir / "project" / "new.json")[0].name),
              std::tuple(true, "Renamed"));

    fs::create_symlink("loop.json", dir / "loop.json");
    EXPECT_NE(std::string::npos, errorOf([&] { writeStackupFile(dir / "loop.json", renamed); }).find("symbolic link"));

    // A read-only file is refused, also through a link, and stays as it was.
    const fs::path file = dir / "project" / "board.json";
    ::chmod(file.c_str(), 0444);
    const std::string before = fileText(file);
    for (const fs::path& path : {file, dir / "link.json"})
        EXPECT_EQ(path.string() + ": the file is read-only", errorOf([&] { writeStackupFile(path, sampleBoards()); }));
    EXPECT_EQ(std::tuple(fileText(file), std::distance(fs::directory_iterator(dir / "project"), {})), std::tuple(before, 2));
}

TEST(StackupFile, LargestBoardsWithinTheLimitsAreRead)
{
#if defined(LAMINAR_SANITIZED)
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

namespace {

const fs::path kBoards = fs::path(LAMINAR_HOST_TEST_DATA) / "kicad";
const char* const kBoardFiles[] = {"two-layer.kicad_pcb", "four-layer.kicad_pcb", "six-layer.kicad_pcb",
                                   "sublayers.kicad_pcb", "flex.kicad_pcb", "no-stackup.kicad_pcb"};

kicad::Board boardOf(const char* file) { return kicad::readBoard(fileText(kBoards / file)); }

std::string nameOf(const LMLAYEREX& layer) { return layer.szName; }

LMLAYEREX& layerNamed(std::vector<LMLAYEREX>& layers, const std::string& name)
{
    for (LMLAYEREX& layer : layers)
        if (nameOf(layer) == name) return layer;
    throw std::runtime_error("no layer " + name);
}

std::string refusalOf(const kicad::Board& board, const std::vector<LMLAYEREX>& layers)
{
    try {
        kicad::rewriteBoard(board, layers);
    } catch (const kicad::BoardError& error) {
        EXPECT_EQ(error.what(), kicad::refusal(board, layers)); // the editor's check says the same
        return error.what();
    }
    return {};
}

// The file without its stackup and the value of its board thickness: what
// writing back must leave byte for byte.
std::string outsideStackup(const std::string& text)
{
    const sexpr::Node root = sexpr::parse(text);
    std::string rest = text;
    std::vector<std::pair<std::size_t, std::size_t>> cut;
    if (const sexpr::Node* stackup = root.find("setup")->find("stackup")) {
        const std::size_t blanks = text.find_last_not_of(" \t\n", stackup->begin - 1) + 1; // with its line
        cut.emplace_back(blanks, stackup->end());
    }
    const sexpr::Node& thickness = root.find("general")->find("thickness")->children[1];
    cut.emplace_back(thickness.begin, thickness.end());
    std::sort(cut.rbegin(), cut.rend());
    for (const auto& [begin, end] : cut) rest.erase(begin, end - begin);
    return rest;
}

} // namespace

TEST(KicadBoard, LayersAreMappedAsKicadHasThem)
{
    kicad::Board board = boardOf("four-layer.kicad_pcb");
    std::vector<std::string> names;
    for (std::size_t i = 0; i < board.layers.size(); ++i) {
        names.push_back(nameOf(board.layers[i]));
        EXPECT_EQ(board.layers[i].nId, static_cast<int32_t>(i + 1));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"F.Mask", "F.Cu", "dielectric_1", "In1.Cu", "dielectric_2", "In2.Cu",
                                               "dielectric_3", "B.Cu", "B.Mask"})); // silkscreen and paste aside
    const std::vector<LMLAYEREX>& l = board.layers;
    // `power` in the layer table: Plane, and its canonical name, not "GND"; mm to m exactly as whole nanometres.
    EXPECT_EQ(std::tuple(l[3].nUsage, l[1].nUsage, l[3].dThickness, l[2].nTechnology, l[4].nTechnology),
              std::tuple(1, 0, 17500 * 1e-9, 1, 0));
    // A mask without values takes KiCad's.
    EXPECT_EQ(std::tuple(l[4].dEr, l[4].dLossTangent, l[0].dEr), std::tuple(3.68, 0.0092, 3.3));

    const kicad::Board sublayers = boardOf("sublayers.kicad_pcb");
    EXPECT_EQ(std::tuple(nameOf(sublayers.layers[2]), nameOf(sublayers.layers[3]), sublayers.layers[3].dThickness),
              std::tuple("dielectric_1", "dielectric_1_1", 76200 * 1e-9));
}

TEST(KicadBoard, ApplyWithoutEditsGivesTheSameBytesAndEditsChangeOnlyTheStackupAndTheBoardThickness)
{
    for (const char* file : kBoardFiles) {
        const kicad::Board board = boardOf(file);
        // Through an editor instance, as the editor hands the layers back.
        Instance instance(lmInitInstance(nullptr, 0));
        addBoards(instance.get(), {{BoardStackup{1, file, board.layers, {}}}});
        std::vector<LMLAYEREX> layers = boardsOfInstance(instance.get(), {{BoardStackup{1, file, {}, {}}}})[0].layers;
        EXPECT_EQ(kicad::rewriteBoard(board, layers), board.source) << file;

        LMLAYEREX& dielectric = layerNamed(layers, "dielectric_1");
        dielectric.dThickness = 0.000123;
        dielectric.dEr = 4.05;
        const std::string written = kicad::rewriteBoard(board, layers);
        ASSERT_NE(written, board.source) << file;
        EXPECT_EQ(outsideStackup(written), outsideStackup(board.source)) << file;

        const kicad::Board reread = kicad::readBoard(written);
        ASSERT_EQ(reread.layers.size(), layers.size()) << file;
        int64_t total = 0;
        for (std::size_t i = 0; i < layers.size(); ++i) {
            const LMLAYEREX &back = reread.layers[i], &given = layers[i];
            EXPECT_EQ(std::tuple(nameOf(back), back.dThickness, back.dEr), std::tuple(nameOf(given), given.dThickness, given.dEr))
                << file << " " << i;
            total += kicad::nanometres(layers[i].dThickness);
        }
        const sexpr::Node root = sexpr::parse(written);
        EXPECT_EQ(root.find("general")->find("thickness")->children[1].raw, kicad::millimetres(total)) << file;
        // Writing the result again changes nothing.
        EXPECT_EQ(kicad::rewriteBoard(reread, reread.layers), written) << file;
    }
}

TEST(KicadBoard, AnEditedLayerIsWrittenInWholeNanometresAndItsNeighboursAsTheyWere)
{
    EXPECT_EQ((std::vector<std::string>{kicad::millimetres(35000), kicad::millimetres(1'000'000), kicad::millimetres(1),
                                        kicad::millimetres(-1'500'000)}),
              (std::vector<std::string>{"0.035", "1", "0.000001", "-1.5"}));
    EXPECT_EQ(kicad::nanometres(17.5e-6), 17500);

    struct Case {
        const char* file;
        const char* layer;
        double LMLAYEREX::*field;
        double value;
        std::vector<std::string> written; // "" for the file as it was
    };
    const Case cases[] = {
        {"two-layer.kicad_pcb", "F.Mask", &LMLAYEREX::dThickness, 25e-6,
         {"(layer \"F.Mask\" (type \"Top Solder Mask\") (color \"Green\") (thickness 0.025) (material \"LPI\") "
          "(epsilon_r 3.3) (loss_tangent 0))",
          "(copper_finish \"HAL lead-free\")", "(thickness 1.615)",
          "(layer \"B.SilkS\" (type \"Bottom Silk Screen\") (color \"White\"))"}},
        // Less than half a nanometre: KiCad keeps 0.035.
        {"two-layer.kicad_pcb", "F.Cu", &LMLAYEREX::dThickness, 35.0004e-6, {""}},
        {"two-layer.kicad_pcb", "F.Cu", &LMLAYEREX::dThickness, 35.0006e-6, {"(thickness 0.035001)"}},
        // Values on a layer without a material get one, so that KiCad keeps them.
        {"four-layer.kicad_pcb", "B.Mask", &LMLAYEREX::dEr, 3.8,
         {"(layer \"B.Mask\" (type \"Bottom Solder Mask\") (color \"Black\") (thickness 0.015) "
          "(material \"Custom\") (epsilon_r 3.8))"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.layer);
        const kicad::Board board = boardOf(c.file);
        std::vector<LMLAYEREX> layers = board.layers;
        layerNamed(layers, c.layer).*c.field = c.value;
        const std::string written = kicad::rewriteBoard(board, layers);
        for (const std::string& part : c.written) {
            if (part.empty())
                EXPECT_EQ(written, board.source);
            else
                EXPECT_NE(written.find(part), std::string::npos) << part;
        }
    }
}

TEST(KicadBoard, SublayersKeepWhatTheRecordCannotHoldByLayerId)
{
    const kicad::Board board = boardOf("sublayers.kicad_pcb");
    std::vector<LMLAYEREX> layers = board.layers;
    // dielectric 3: its three sheets reversed; dielectric 1: its first sheet deleted;
    // dielectric 2: a new sheet below its core.
    std::swap(layerNamed(layers, "dielectric_3"), layerNamed(layers, "dielectric_3_2"));
    layers.erase(layers.begin() + 2);
    LMLAYEREX fresh = layerNamed(layers, "dielectric_2");
    fresh.nId = 0;
    fresh.dThickness = 0.2e-3;
    std::strcpy(fresh.szName, "Layer_01");
    layers.insert(layers.begin() + 5, fresh);

    const std::string written = kicad::rewriteBoard(board, layers);
    EXPECT_NE(written.find("(layer \"dielectric 1 1\" (type \"prepreg\") (thickness 0.0762 locked) (material \"1080\")"),
              std::string::npos);
    EXPECT_NE(written.find("addsublayer (thickness 0.2) (material \"FR4\") (epsilon_r 4.5) (loss_tangent 0.02))"),
              std::string::npos); // the new sheet takes KiCad's material, and the record's values
    const std::size_t third = written.find("(layer \"dielectric 3 2\" (type \"prepreg\") (thickness 0.05)");
    EXPECT_LT(written.find("(material \"106\")", third), written.find("(material \"2116\")", third));
    const kicad::Board reread = kicad::readBoard(written);
    EXPECT_EQ(reread.layers.size(), layers.size());
}

TEST(KicadBoard, ChangesKicadCannotTakeAreRefusedSayingWhatToChange)
{
    const kicad::Board board = boardOf("four-layer.kicad_pcb");
    using Layers = std::vector<LMLAYEREX>;
    const std::pair<void (*)(Layers&), const char*> cases[] = {
        {[](Layers&) {}, ""},
        {[](Layers& l) { l.erase(l.begin() + 3, l.begin() + 5); }, "Insert copper layers until there are 4"},
        {[](Layers& l) { l.insert(l.begin() + 3, l[1]); }, "Delete copper layers"},
        {[](Layers& l) { l[4].nUsage = 6; }, "move \"dielectric_2\" outside"},
        {[](Layers& l) { l[1].nUsage = 4; }, "make \"F.Cu\" Signal or Plane"},
        {[](Layers& l) { l[4].nUsage = 8; }, "make \"dielectric_2\" Substrate"},
        {[](Layers& l) { std::strcpy(l[3].szName, "GND"); }, "Name \"GND\" In1.Cu again"},
        {[](Layers& l) { l[3].nUsage = 0; }, "Make In1.Cu Plane"},
        {[](Layers& l) { l.erase(l.begin() + 4); }, "between In1.Cu and In2.Cu"},
        {[](Layers& l) { l.erase(l.begin()); }, "keep exactly one Solder Mask layer above F.Cu"},
        {[](Layers& l) { l.insert(l.begin(), l[2]); }, "between two copper layers"},
        {[](Layers& l) {
             l.insert(l.begin() + 5, l[4]);
             l[5].nTechnology = 1;
         },
         "give \"dielectric_2\" the technology of \"dielectric_2\""},
        {[](Layers& l) { std::strcpy(l[2].szName, "F.SilkS"); }, "rename it"},
    };
    for (const auto& [change, expected] : cases) {
        Layers layers = board.layers;
        change(layers);
        const std::string refusal = refusalOf(board, layers);
        EXPECT_EQ(refusal.empty(), *expected == 0) << refusal;
        EXPECT_NE(refusal.find(expected), std::string::npos) << refusal << "\n  expected: " << expected;
    }

    // Through the file: the message names it, and the file stays as it was.
    lm::test::TempDir dir;
    const fs::path file = dir.path / "board.kicad_pcb";
    fs::copy_file(kBoards / "four-layer.kicad_pcb", file);
    std::ostringstream notes;
    StackupDocument document = readBoardFile(file, notes);
    document.boards[0].layers.resize(document.boards[0].layers.size() - 3);
    EXPECT_EQ(errorOf([&] { writeBoardFile(file, document, document.boards); })
                  .rfind(file.string() + ": not written: Insert copper layers until there are 4", 0),
              0u);
    EXPECT_EQ(fileText(file), document.kicad->source);
}

TEST(KicadBoard, TheEditorsCheckRefusesApplyWithKicadsReason)
{
    StackupDocument document{"b.kicad_pcb", {}, std::make_shared<kicad::Board>(boardOf("six-layer.kicad_pcb"))};
    document.boards.push_back({1, "b.kicad_pcb", document.kicad->layers, {}});
    Instance instance(lmInitInstance(nullptr, 0));
    const auto check = setUpInstance(instance.get(), document, "", nullptr);
    ASSERT_EQ(lmGetDRC(instance.get()), check.get());

    std::vector<LMLAYEREX> layers = document.kicad->layers;
    const char* message = nullptr;
    const auto checked = [&] { // the level and the message
        const int32_t level = check->CheckStackup(layers.data(), static_cast<int32_t>(layers.size()), &message);
        return std::to_string(level) + (level ? std::string(" ") + message : "");
    };
    EXPECT_EQ(checked(), "0");
    layers[4].nUsage = 6; // a solder mask inside: the editor warns, KiCad cannot take it
    EXPECT_EQ(checked().rfind("3 KiCad has no solder mask inside", 0), 0u);
    std::strcpy(layers[8].szName, "a b"); // the editor's own critical finding comes first
    EXPECT_EQ(checked(), "3 Layer a b: Blank characters are not allowed in layer name.");
}

TEST(KicadBoard, ABoardWithoutStackupGetsKicadsDefault)
{
    std::ostringstream notes;
    const StackupDocument document = readBoardFile(kBoards / "no-stackup.kicad_pcb", notes);
    EXPECT_NE(notes.str().find("no-stackup.kicad_pcb: the board has no stackup; KiCad's default stackup for 4 copper"),
              std::string::npos);
    const std::vector<LMLAYEREX>& layers = document.boards[0].layers;
    ASSERT_EQ(layers.size(), 9u);
    // 1.6 mm less four 35 um foils and two 10 um masks, shared by three dielectrics.
    EXPECT_EQ((std::vector<int64_t>{kicad::nanometres(layers[2].dThickness), layers[2].nTechnology, layers[4].nTechnology,
                                    layers[6].nTechnology, kicad::nanometres(layers[0].dThickness)}),
              (std::vector<int64_t>{480000, 0, 1, 0, 10000}));
    EXPECT_EQ(document.boards[0].name, "no-stackup.kicad_pcb");
}

TEST(KicadBoard, KicadEightLayoutIsKeptWhenALayerChanges)
{
    const std::string source =
        "(kicad_pcb\n\t(version 20240108)\n\t(generator \"pcbnew\")\n\t(general\n\t\t(thickness 1.6)\n\t)\n"
        "\t(layers\n\t\t(0 \"F.Cu\" signal)\n\t\t(31 \"B.Cu\" signal)\n\t)\n"
        "\t(setup\n\t\t(stackup\n"
        "\t\t\t(layer \"F.Cu\"\n\t\t\t\t(type \"copper\")\n\t\t\t\t(thickness 0.035)\n\t\t\t)\n"
        "\t\t\t(layer \"dielectric 1\"\n\t\t\t\t(type \"core\")\n\t\t\t\t(thickness 1.53)\n\t\t\t\t(material \"FR4\")\n"
        "\t\t\t\t(epsilon_r 4.5)\n\t\t\t\t(loss_tangent 0.02)\n\t\t\t)\n"
        "\t\t\t(layer \"B.Cu\"\n\t\t\t\t(type \"copper\")\n\t\t\t\t(thickness 0.035)\n\t\t\t)\n"
        "\t\t\t(copper_finish \"None\")\n\t\t\t(dielectric_constraints no)\n\t\t)\n"
        "\t\t(pad_to_mask_clearance 0)\n\t)\n)\n";
    const kicad::Board board = kicad::readBoard(source);
    std::vector<LMLAYEREX> layers = board.layers;
    EXPECT_EQ(kicad::rewriteBoard(board, layers), source);
    LMLAYEREX sheet = layers[1];
    sheet.nId = 0;
    layers.insert(layers.begin() + 2, sheet);
    const std::string written = kicad::rewriteBoard(board, layers);
    EXPECT_NE(written.find("\t\t\t\t(loss_tangent 0.02)\n\t\t\t\taddsublayer\n\t\t\t\t(thickness 1.53)\n"
                           "\t\t\t\t(material \"FR4\")\n"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find("(thickness 3.13)"), std::string::npos);
}

TEST(KicadBoard, MalformedBoardsAreRefusedNamingFileAndLine)
{
    lm::test::TempDir dir;
    const std::string good = fileText(kBoards / "two-layer.kicad_pcb");
    const fs::path file = dir.path / "bad.kicad_pcb";
    auto problemOf = [&](const std::string& text) {
        lm::test::writeFileText(file, text);
        std::ostringstream notes;
        return errorOf([&] { readBoardFile(file, notes); });
    };
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    const std::pair<std::string, std::string> cases[] = {
        {good.substr(0, good.size() - 3), "line 1: the list opened on this line is never closed"},
        {good + ")", "line 58: more text after the closing ')' of the document"},
        {replaced("(paper \"A4\")", "(paper \"A4\"))"), "line 8: more text after the closing ')' of the document"},
        {replaced("(thickness 1.51)", "(thickness 1,51)"), "line 35: thickness of \"dielectric 1\" \"1,51\" is not a number"},
        {replaced("(thickness 1.51)", "(thickness -1.51)"), "line 35: thickness of \"dielectric 1\" is negative"},
        {replaced("20211014", "20171130"),
         "line 1: board format 20171130 is older than KiCad 6; open and save the board in KiCad 6 or later first"},
        {"(module x)", "line 1: not a KiCad board: the document is not (kicad_pcb ...)"},
        {replaced("(layer \"B.Cu\" (type \"copper\") (thickness 0.035))", ""),
         "line 37: stackup layer \"B.Mask\" is out of place"},
        {"", "line 1: the file is empty"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(problemOf(text), file.string() + ": " + expected);
}

TEST(SExpression, NodesKeepTheirPlaceAndStringsTheirEscapes)
{
    const std::string text = "(a \"x \\\"q\\\" \\\\ (\"\n  (b 1.5 sym)\n  ()\n)";
    const sexpr::Node root = sexpr::parse(text);
    ASSERT_EQ(root.children.size(), 4u);
    EXPECT_EQ(root.children[1].value(), "x \"q\" \\ (");
    EXPECT_EQ(sexpr::quoted(root.children[1].value()), root.children[1].raw);
    const sexpr::Node& b = *root.find("b");
    EXPECT_EQ(std::tuple(b.line, text.substr(b.begin, b.raw.size()), b.children[1].raw, root.children[3].head()),
              std::tuple(2u, "(b 1.5 sym)", "1.5", ""));
    EXPECT_THROW(sexpr::parse("(a))"), sexpr::SyntaxError);
    EXPECT_THROW(sexpr::parse(std::string(500, '(') + std::string(500, ')')), sexpr::SyntaxError);
}

// Writes each test board, edited, beside the layers the editor handed back (as
// a stackup file) for kicad_judge.py, which reads the boards with KiCad's own
// reader. Runs only when the judge's folder is given.
TEST(KicadJudge, WritesEditedBoardsForKicadsReader)
{
    const char* folder = std::getenv("LAMINAR_KICAD_JUDGE_DIR");
    if (!folder || !*folder) GTEST_SKIP() << "LAMINAR_KICAD_JUDGE_DIR is not set";
    const fs::path judge = folder;
    fs::remove_all(judge);
    fs::create_directories(judge);
    for (const char* file : kBoardFiles) {
        const fs::path target = judge / file;
        fs::copy_file(kBoards / file, target);
        std::ostringstream notes;
        StackupDocument document = readBoardFile(target, notes);
        std::vector<LMLAYEREX>& layers = document.boards[0].layers;
        LMLAYEREX& dielectric = layerNamed(layers, "dielectric_1");
        dielectric.dThickness += 12.3456e-6; // rounded to whole nanometres on writing
        dielectric.dEr = 4.05;
        dielectric.dLossTangent = 0.0123;
        layers.front().dThickness = 21e-6;
        layers.front().dEr = 3.6; // a mask without a material gets one
        LMLAYEREX sheet = dielectric;
        sheet.nId = 0;
        sheet.nTechnology = dielectric.nTechnology;
        sheet.dThickness = 0.05e-3;
        layers.insert(layers.begin() + 3, sheet); // a new sublayer below dielectric 1
        writeBoardFile(target, document, document.boards);
        writeStackupFile(fs::path(target).replace_extension(".json"), document.boards);
    }
}
