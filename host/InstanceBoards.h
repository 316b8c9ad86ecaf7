#pragma once
// Handing a file's boards to an editor instance and taking the edited boards
// back for writing, through the exported functions only.
#include "BoardFile.h"

#include <laminar/laminar.h>

#include <filesystem>
#include <memory>
#include <span>
#include <vector>

namespace lmhost {

struct InstanceDeleter {
    void operator()(void* instance) const { lmFreeInstance(instance); }
};
using Instance = std::unique_ptr<void, InstanceDeleter>;

// Every board in file order, then their drill pairs. Throws std::runtime_error
// when the component refuses a board.
void addBoards(LMHANDLE instance, std::span<const BoardStackup> boards);

// The instance's current layers of every board that was read, with the drill
// pairs that were read. A pair naming a layer id that no layer carries any more
// is dropped: the component ignores such a pair too, and the file refuses it.
std::vector<BoardStackup> boardsOfInstance(LMHANDLE instance, std::span<const BoardStackup> asRead);

// boardsOfInstance written atomically to path, in the kind its extension names;
// throws StackupFileError naming the file and the problem, and then the
// previous file is left as it was.
void writeBoardsOfInstance(LMHANDLE instance, const std::filesystem::path& path, const StackupDocument& read);

// The editor window was opened on this instance since its boards were added:
// only then does the instance hold the snapshot the change flags compare with.
bool editorWasOpened(LMHANDLE instance);

} // namespace lmhost
