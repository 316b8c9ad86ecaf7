#pragma once
// A profile store kept in an initialisation file of the desktop's profile
// syntax: "[Section]" headers and "Key=Value" lines, values as decimal text.
// Section and key names match case-insensitively (the first match wins).
// The file is parsed once; every write rewrites it at once, through a
// temporary file renamed over it, so a failed write leaves the old file whole.
// Lines the editor does not own (other sections, keys, comments, blank lines)
// keep their text and order.
#include "platform/ProfileStore.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace lm {

class IniProfileStore : public ProfileStore {
public:
    explicit IniProfileStore(std::filesystem::path file);

    int32_t readInt(std::string_view section, std::string_view entry, int32_t fallback) override;
    bool writeInt(std::string_view section, std::string_view entry, int32_t value) override;

    const std::filesystem::path& file() const { return file_; }

private:
    struct Line {
        std::string text;
        std::string key; // trimmed key of a "Key=Value" line; empty for anything else
        std::string value;
    };
    struct Section {
        std::string name; // trimmed; the lines before the first header form a nameless section
        bool hasHeader = false;
        std::vector<Line> lines; // header first when there is one
    };

    void load();
    Section* findSection(std::string_view name);
    std::string serialize() const;
    bool commit(const std::string& text) const;

    std::filesystem::path file_;
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_; // lower-case name -> first section
    std::string newline_ = "\n";
    bool unreadable_ = false; // the file exists but could not be read: never overwrite it
};

} // namespace lm
