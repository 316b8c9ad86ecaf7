#pragma once
// The archive's questions as Qt dialogs over the editor window.
#include "StackupArchive.h"

namespace lmhost {

class QtArchiveUi final : public ArchiveUi {
public:
    std::filesystem::path askSavePath(const std::filesystem::path& current) override;
    std::filesystem::path askLoadPath(const std::filesystem::path& current) override;
    void showError(const std::string& message) override;
    bool editorStillOpen() override;
};

} // namespace lmhost
