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

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <sstream>
#include <tuple>

#include <sys/stat.h>

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

    // 0x00BBGGRR shown as #RRGGBB.
    for (const char* part : {"\"color\": \"#563412\"", "\"usage\": \"Split/Mixed\"", "\"technology\": null"})
        EXPECT_NE(std::string::npos, fileText(file).find(part)) << part;
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
        {oneBoard(R"({"usage":"Signal","id":1.0})"), "layers[0].id: expected an integer, got 1.0"},
        {oneBoard(R"({"usage":"Signal","thickness":-1e-9})"), "thickness: a length cannot be negative"},
        {oneBoard(R"({"usage":"Signal","thickness":1e400})"), "examples/x.json: not a usable number: number overflow parsing '1e400'"},
        {oneBoard(R"({"usage":"Signal","er":"4.3"})"), "layers[0].er: expected a number, got \"4.3\""},
        {oneBoard(R"({"usage":"Signal","name":")" + name67 + "\"}"), "layers[0].name: name is 67 bytes long (at most 66)"},
        {oneBoard(R"({"usage":"Signal","name":"a\u0000b"})"), "layers[0].name: name contains a NUL character"},
        {oneBoard(R"({"usage":"Substrate","metal":"Copper"})"), "layers[0].metal: a dielectric layer has no metal"},
        {oneBoard(R"({"usage":"Signal","color":"#12345G"})"), "layers[0].color: expected a colour"},
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
        const std::string message = errorOf([&] { parseStackup(document, "examples/x.json"); });
        EXPECT_EQ(0u, message.find("examples/x.json: ")) << message;
        EXPECT_NE(std::string::npos, message.find(expected)) << message << "\n  expected: " << expected;
    }
}

// One more board, layer or drill pair than the most is refused.
TEST(StackupFile, CountLimitsHoldAtTheirBoundaries)
{
    const std::string layer = R"({"id":7,"name":"L","usage":"Signal"})", pair = R"({"from":2,"to":1})";
    const std::string twoLayers = R"({"usage":"Signal","id":1},{"usage":"Signal","id":2})";
    const std::string board = R"({"id":1,"layers":[]})";
    const std::pair<std::string, std::string> tooMany[] = {
        {R"({"format":"laminar-stackup","version":1,"boards":[)" + repeated(board, kMaxBoards + 1) + "]}",
         "boards: too many boards: 257 (at most 256)"},
        {oneBoard(repeated(layer, kMaxLayersPerBoard + 1)), "boards[0].layers: too many layers"},
        {oneBoard(twoLayers, "[" + repeated(pair, kMaxDrillPairsPerBoard + 1) + "]"),
         "boards[0].drillPairs: too many drill pairs: 4097"},
    };
    for (const auto& [document, expected] : tooMany)
        EXPECT_NE(std::string::npos, errorOf([&] { parseStackup(document, "t"); }).find(expected)) << expected;
}

TEST_F(StackupFileOnDisk, FileProblemsNameTheFile)
{
    const auto errorReading = [](const fs::path& path) { return errorOf([&] { readStackupFile(path); }); };
    const fs::path missing = dir / "missing.json", pipe = dir / "pipe.json", big = dir / "big.json";
    ASSERT_EQ(0, ::mkfifo(pipe.c_str(), 0600)); // without a writer: refused at once, not waited on
    EXPECT_EQ(missing.string() + ": cannot open the file: No such file or directory", errorReading(missing));
    EXPECT_EQ(dir.string() + ": is a directory, not a regular file", errorReading(dir));
    EXPECT_EQ(pipe.string() + ": is not a regular file", errorReading(pipe));

    // Whitespace after the document fills the file to exactly the limit, then one byte more.
    std::string document = oneBoard(R"({"usage":"Signal"})");
    document.resize(kMaxFileBytes, ' ');
    lm::test::writeFileText(big, document);
    EXPECT_EQ(1u, readStackupFile(big).size());
    lm::test::writeFileText(big, document + ' ');
    EXPECT_EQ(big.string() + ": file is larger than the limit of 16777216 bytes", errorReading(big));
}

TEST_F(StackupFileOnDisk, FailedWriteKeepsThePreviousFileAndLeavesNoTemporary)
{
    const fs::path file = dir / "board.json", taken = dir / "taken";
    writeStackupFile(file, sampleBoards());
    ::chmod(file.c_str(), 0640);
    fs::create_directory(taken);
    const std::string before = fileText(file);
    using Spoil = void (*)(std::vector<LMLAYEREX>&);
    auto expectRefused = [&](const fs::path& target, Spoil spoil, const std::string& expected) {
        auto boards = sampleBoards();
        spoil(boards[0].layers);
        const std::string message = errorOf([&] { writeStackupFile(target, boards); });
        EXPECT_EQ(0u, message.find(target.string() + ": ")) << message;
        EXPECT_NE(std::string::npos, message.find(expected)) << message;
        EXPECT_EQ(before, fileText(file));
    };
    expectRefused(file, [](auto& l) { l[0].dThickness = std::nan(""); },
                  "boards[0].layers[0].thickness: expected a number, got null");
    expectRefused(file, [](auto& l) { std::memset(l[1].szName, 'x', sizeof l[1].szName); }, // unterminated
                  "boards[0].layers[1].name: name is 67 bytes");
    expectRefused(taken, [](auto&) {}, "is a directory, not a regular file");
    EXPECT_EQ(2, std::distance(fs::directory_iterator(dir), {})); // board.json and taken/: no temporary

    // A successful replace keeps the file's permissions.
    auto renamed = sampleBoards();
    renamed[0].name = "Renamed";
    writeStackupFile(file, renamed);
    struct stat status {};
    ::stat(file.c_str(), &status);
    EXPECT_EQ(std::tuple(readStackupFile(file)[0].name, status.st_mode & 0777u), std::tuple(renamed[0].name, 0640u));
}

TEST_F(StackupFileOnDisk, SavingThroughASymbolicLinkReplacesTheFileItNames)
{
    // The user keeps the board in a project folder and edits it through a link to a link; a
    // dangling link makes the file it names.
    const fs::path project = dir / "project", file = project / "board.json";
    fs::create_directory(project);
    writeStackupFile(file, sampleBoards());
    fs::create_symlink("project/board.json", dir / "link.json");
    fs::create_symlink("link.json", dir / "link-to-link.json");
    fs::create_symlink(project / "new.json", dir / "dangling.json");
    fs::create_symlink("loop.json", dir / "loop.json");
    auto renamed = sampleBoards();
    renamed[0].name = "Renamed";
    for (const char* link : {"link-to-link.json", "dangling.json"}) writeStackupFile(dir / link, renamed);
    EXPECT_EQ(std::tuple(fs::is_symlink(dir / "link.json"), fs::is_symlink(dir / "link-to-link.json"),
                         fs::is_symlink(dir / "dangling.json"), readStackupFile(file)[0].name,
                         readStackupFile(project / "new.json")[0].name),
              std::tuple(true, true, true, "Renamed", "Renamed"));
    EXPECT_EQ(std::distance(fs::directory_iterator(project), {}), 2); // the temporaries were beside the files
    EXPECT_NE(std::string::npos, errorOf([&] { writeStackupFile(dir / "loop.json", renamed); }).find("symbolic link"));

    // A read-only file is refused, also through a link, and stays as it was.
    ::chmod(file.c_str(), 0444);
    const std::string before = fileText(file);
    for (const fs::path& path : {file, dir / "link.json"})
        EXPECT_EQ(path.string() + ": the file is read-only", errorOf([&] { writeStackupFile(path, sampleBoards()); }));
    EXPECT_EQ(fileText(file), before);
}

namespace {

const fs::path kBoards = fs::path(LAMINAR_HOST_TEST_DATA) / "kicad";
const char* const kBoardFiles[] = {"two-layer.kicad_pcb", "four-layer.kicad_pcb", "six-layer.kicad_pcb",
                                   "sublayers.kicad_pcb", "flex.kicad_pcb", "no-stackup.kicad_pcb"};

kicad::Board boardOf(const char* file) { return kicad::readBoard(fileText(kBoards / file)); }

LMLAYEREX& layerNamed(std::vector<LMLAYEREX>& layers, const std::string& name)
{
    for (LMLAYEREX& layer : layers)
        if (layer.szName == name) return layer;
    throw std::runtime_error("no layer " + name);
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

// In1.Cu is `power` in the layer table: Plane. Lengths are whole nanometres; a
// mask without values takes KiCad's. Written back, an edited length is rounded to
// the nearest nanometre, a value on a layer without a material gets one (or KiCad
// would drop it), and what the record cannot hold stays.
TEST(KicadBoard, LayersReadAsKicadHasThemAndAnEditIsWrittenInWholeNanometres)
{
    const kicad::Board board = boardOf("four-layer.kicad_pcb");
    std::vector<LMLAYEREX> l = board.layers;
    EXPECT_EQ(std::tuple(l.size(), l[3].nUsage, l[3].dThickness, l[2].nTechnology, l[4].nTechnology, l[4].dEr,
                         l[0].dEr),
              std::tuple(9u, 1, 17500 * 1e-9, 1, 0, 3.68, 3.3));
    l.front().dThickness = 25.0006e-6;
    l.back().dEr = 3.8;
    const std::string written = kicad::rewriteBoard(board, l);
    for (const char* part : {"(layer \"F.Mask\" (type \"Top Solder Mask\") (color \"Black\") (thickness 0.025001))",
                             "(layer \"B.Mask\" (type \"Bottom Solder Mask\") (color \"Black\") (thickness 0.015) "
                             "(material \"Custom\") (epsilon_r 3.8))",
                             "(copper_finish \"ENIG\")"})
        EXPECT_NE(written.find(part), std::string::npos) << part;
}

// Each test board, read as the editor gets it and handed back through an editor
// instance: unedited, it is written back byte for byte; a change KiCad cannot
// take is refused and leaves the file as it was; edited (values, a new
// sheet below dielectric 1, rounded to whole nanometres on writing), only the
// stackup and the board thickness change, the layers read back as written, and
// writing again changes nothing. With LAMINAR_KICAD_JUDGE_DIR set, the edited
// boards stay there beside their layers (as a stackup file) for kicad_judge.py,
// which reads them with KiCad's own reader.
TEST(KicadJudge, EditedBoardsChangeOnlyTheirStackupAndBoardThickness)
{
    lm::test::TempDir temp;
    const char* judge = std::getenv("LAMINAR_KICAD_JUDGE_DIR");
    const fs::path folder = judge && *judge ? fs::path(judge) : temp.path;
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const char* file : kBoardFiles) {
        SCOPED_TRACE(file);
        const fs::path target = folder / file;
        fs::copy_file(kBoards / file, target);
        std::ostringstream notes;
        const StackupDocument document = readBoardFile(target, notes);
        Instance instance(lmInitInstance(nullptr, 0));
        addBoards(instance.get(), document.boards);
        std::vector<BoardStackup> boards = boardsOfInstance(instance.get(), document.boards);
        writeBoardFile(target, document, boards);
        std::vector<BoardStackup> refused = boards; // KiCad cannot take it: the message names the file
        refused[0].layers.resize(1);
        const std::string refusal = errorOf([&] { writeBoardFile(target, document, refused); });
        EXPECT_EQ(refusal.rfind(target.string() + ": not written: ", 0), 0u) << refusal;
        const std::string source = document.kicad->source;
        EXPECT_EQ(fileText(target), source) << "unedited, and after the refusal";

        std::vector<LMLAYEREX>& layers = boards[0].layers;
        LMLAYEREX& dielectric = layerNamed(layers, "dielectric_1");
        dielectric.dThickness += 12.3456e-6;
        dielectric.dEr = 4.05;
        dielectric.dLossTangent = 0.0123;
        layers.front().dThickness = 21e-6;
        layers.front().dEr = 3.6; // a mask without a material gets one
        LMLAYEREX sheet = dielectric;
        sheet.nId = 0;
        sheet.dThickness = 0.05e-3;
        layers.insert(layers.begin() + 3, sheet);
        writeBoardFile(target, document, boards);
        writeStackupFile(fs::path(target).replace_extension(".json"), boards);
        const std::string written = fileText(target);
        EXPECT_EQ(outsideStackup(written), outsideStackup(source));

        const auto values = [](const std::vector<LMLAYEREX>& of) {
            std::vector<std::tuple<int32_t, int64_t, double, double>> list;
            for (const LMLAYEREX& l : of)
                list.emplace_back(l.nUsage, kicad::nanometres(l.dThickness), l.dEr, l.dLossTangent);
            return list;
        };
        const kicad::Board reread = kicad::readBoard(written);
        EXPECT_EQ(values(reread.layers), values(layers));
        int64_t total = 0;
        for (const LMLAYEREX& layer : layers) total += kicad::nanometres(layer.dThickness);
        EXPECT_EQ(sexpr::parse(written).find("general")->find("thickness")->children[1].raw, kicad::millimetres(total));
        EXPECT_EQ(kicad::rewriteBoard(reread, reread.layers), written) << "writing again changes nothing";
    }
}

TEST(KicadBoard, SublayersKeepWhatTheRecordCannotHoldByLayerId)
{
    const kicad::Board board = boardOf("sublayers.kicad_pcb");
    std::vector<LMLAYEREX> layers = board.layers;
    // dielectric 3: its three sheets reversed; dielectric 1: its first sheet deleted;
    // dielectric 2 made prepreg and renamed, its new name quoted in the file. A new
    // sheet is in KicadJudge, whose boards KiCad itself reads.
    std::swap(layerNamed(layers, "dielectric_3"), layerNamed(layers, "dielectric_3_2"));
    layers.erase(layers.begin() + 2);
    LMLAYEREX& core = layerNamed(layers, "dielectric_2");
    std::strcpy(core.szName, "d2_\"B\"\\c");
    core.nTechnology = 1;

    const std::string written = kicad::rewriteBoard(board, layers);
    EXPECT_NE(written.find("(layer \"dielectric 1 1\" (type \"prepreg\") (thickness 0.0762 locked) (material \"1080\")"),
              std::string::npos);
    EXPECT_NE(written.find("(layer \"d2 \\\"B\\\"\\\\c\" (type \"prepreg\")"), std::string::npos);
    const std::size_t third = written.find("(layer \"dielectric 3 2\" (type \"prepreg\") (thickness 0.05)");
    EXPECT_LT(written.find("(material \"106\")", third), written.find("(material \"2116\")", third));
    std::vector<LMLAYEREX> reread = kicad::readBoard(written).layers;
    EXPECT_EQ(std::tuple(reread.size(), layerNamed(reread, "d2_\"B\"\\c").nTechnology), std::tuple(layers.size(), 1));
}

TEST(KicadBoard, ChangesKicadCannotTakeAreRefusedSayingWhatToChange)
{
    const kicad::Board board = boardOf("four-layer.kicad_pcb");
    using Layers = std::vector<LMLAYEREX>;
    const std::pair<void (*)(Layers&), const char*> cases[] = {
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
        const std::string refusal = kicad::refusal(board, layers); // also what the editor's check says
        EXPECT_NE(refusal.find(expected), std::string::npos) << refusal << "\n  expected: " << expected;
    }
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
    layers[4].nUsage = 6; // a solder mask inside: the editor warns, KiCad cannot take it
    EXPECT_EQ(checked().rfind("3 KiCad has no solder mask inside", 0), 0u);
    std::strcpy(layers[8].szName, "a b"); // the editor's own critical finding comes first
    EXPECT_EQ(checked(), "3 Layer a b: Blank characters are not allowed in layer name.");
}

TEST(KicadBoard, ABoardWithoutStackupGetsKicadsDefault)
{
    const std::vector<LMLAYEREX> layers = boardOf("no-stackup.kicad_pcb").layers;
    ASSERT_EQ(layers.size(), 9u);
    // 1.6 mm less four 35 um foils and two 10 um masks, shared by three dielectrics.
    EXPECT_EQ((std::vector<int64_t>{kicad::nanometres(layers[2].dThickness), layers[2].nTechnology, layers[4].nTechnology,
                                    layers[6].nTechnology, kicad::nanometres(layers[0].dThickness)}),
              (std::vector<int64_t>{480000, 0, 1, 0, 10000}));
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
        {replaced("(paper \"A4\")", "(paper \"A4\"))"), "line 8: more text after the closing ')' of the document"},
        {replaced("(thickness 1.51)", "(thickness 1,51)"), "line 35: thickness of \"dielectric 1\" \"1,51\" is not a number"},
        {replaced("(thickness 1.51)", "(thickness -1.51)"), "line 35: thickness of \"dielectric 1\" is negative"},
        {replaced("20211014", "20171130"),
         "line 1: board format 20171130 is older than KiCad 6; open and save the board in KiCad 6 or later first"},
        {"(module x)", "line 1: not a KiCad board: the document is not (kicad_pcb ...)"},
        {replaced("(layer \"B.Cu\" (type \"copper\") (thickness 0.035))", ""),
         "line 37: stackup layer \"B.Mask\" is out of place"},
        {"", "line 1: the file is empty"},
        {std::string(500, '(') + std::string(500, ')'), "line 1: lists nested more than 200 deep"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(problemOf(text), file.string() + ": " + expected);
}
