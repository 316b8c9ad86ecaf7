#pragma once
// Boards made of bare layers, and an editor instance whose window is open in
// the recording fakes. Header-only, shared by the core's tests.
#include "FakeEditorWindow.h"
#include "HeadlessPlatform.h"
#include "api/EditorInstance.h"

#include <gtest/gtest.h>

#include <vector>

namespace lm::test {

// A board whose dielectric layers carry the given ids, top first.
inline void addBoard(EditorInstance& instance, int32_t boardId, const std::vector<int32_t>& layerIds)
{
    std::vector<LMLAYEREX> layers(layerIds.size());
    for (std::size_t i = 0; i < layers.size(); ++i) {
        layers[i].nId = layerIds[i];
        layers[i].nType = 1;
    }
    ASSERT_TRUE(instance.addStackup(boardId, "board", layers.data(), static_cast<int32_t>(layers.size())));
}

// The instance's own layer records of a board.
inline LMLAYEREX* layersOf(EditorInstance& instance, int32_t boardId)
{
    LMLAYEREX* layers = nullptr;
    int32_t count = 0;
    instance.getStackup(boardId, &layers, &count);
    return layers;
}

struct OpenEditor {
    EventLog log; // the window's and the platform's calls in one order
    HeadlessPlatform platform{&log};
    FakeEditorWindow window{&log};
    EditorInstance instance;

    // Opens the window on the boards added so far; finishing destroys it, as the real window does.
    void open(LMCLOSEPROC closeProc = nullptr, const char* context = "")
    {
        instance.openedWindow(window, platform, closeProc, context);
        window.onFinish = [this] { instance.windowDestroyed(); };
    }
};

} // namespace lm::test
