// A host may hand in any bytes: codes outside every catalogue, thicknesses
// that are not numbers, names without their terminator. The grid and the
// picture must show such a board, edit it and draw it without undefined
// behaviour (the sanitizer build runs this too).
#include "LayerGridFixture.h"
#include "RecordingCanvas.h"
#include "picture/StackupPicture.h"
#include "res/CommandIds.h"

#include <cstring>
#include <limits>

namespace lm::test {
namespace {

std::vector<LMLAYEREX> hostileLayers()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<LMLAYEREX> layers(6, defaultLayer(kSignal));
    std::memset(layers[0].szName, 'A', sizeof(layers[0].szName)); // no terminator
    layers[0].dThickness = nan;
    layers[1].nType = 7;
    layers[1].nUsage = 99;
    layers[1].dThickness = inf;
    layers[2].nType = kDielectric;
    layers[2].nUsage = -5;
    layers[2].nTechnology = 9;
    layers[2].dEr = nan;
    layers[2].dThickness = -1e300;
    layers[3].nMetal = 42;
    layers[3].nPourDrawStyle = -3;
    layers[3].dWidth = inf;
    layers[3].dGap = nan;
    layers[3].crColor = 0xFFFFFFFFu;
    layers[4].nUsage = kSolderMask;
    layers[4].dThickness = 1e300;
    layers[5].nUsage = kPlating;
    layers[5].dTestWidth = -inf;
    return layers;
}

TEST(HostileBoard, GridShowsEditsAndCommandsItWithoutHarm)
{
    GridFixture f(hostileLayers(), kDefaultCaps | kCapLossValues | kCapReadOnly);
    f.grid->unitsChanged();
    f.grid->rewriteAllRows();
    f.grid->cells().setCurrent(f.at(2, kColThickness));
    for (const uint32_t id : {res::ID_INSERT_ABOVE_MOST_SUITABLE, res::ID_INSERT_BELOW_SIGNAL,
                              res::ID_INSERT_ABOVE_PLATING, res::ID_SELECT_ALL, res::ID_APPLY_TO_SELECTION,
                              res::ID_EDIT_DELETE, res::ID_EDIT_UNDO, res::ID_EDIT_REDO, res::ID_EDIT_UNDO})
        f.grid->onCommand(id);
    f.grid->flush();
    f.instance.setCaps(kCapReadOnly, 0);
    f.grid->reload();
    f.enter(1, kColThickness, "12");
    f.grid->choose(f.at(2, kColType), "Dielectric");
    f.grid->idleRefresh();
    EXPECT_EQ(f.grid->cells().rowCount(), static_cast<int32_t>(f.instance.settings().currentBoard->layers.size()) + 1);
}

TEST(HostileBoard, PictureDrawsItInEveryMode)
{
    GridFixture f(hostileLayers());
    StackupPicture picture(f.instance.settings());
    RecordingCanvas canvas;
    for (const bool proportional : {false, true}) {
        f.instance.settings().drawProportionally = proportional;
        for (const int32_t mode : {-1, 0, 1, 2, 7}) {
            picture.setLabelMode(mode);
            picture.layout({600, 800}, canvas);
            picture.paint(canvas, 0xF0F0F0);
            picture.mouseMove({300, 400});
            picture.scrollPages(3);
        }
    }
    EXPECT_GE(picture.scrollPosition(), 0);
}

} // namespace
} // namespace lm::test
