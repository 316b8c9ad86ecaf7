#pragma once
// A profile store kept in an initialisation file of the desktop's profile
// syntax: "[Section]" headers and "Key=Value" lines, values as decimal text.
// Section and key names match case-insensitively (the first match wins).
// The file is parsed once; writes change the parsed copy, and flush() replaces
// the file with it in one go (a temporary file beside it, flushed to disk and
// renamed over it, through symbolic links), so a failed flush leaves the old
// file whole. A file that exists but cannot be read (unreadable, larger than
// kMaxProfileBytes, not a regular file) is never written. Lines the editor does
// not own (other sections, keys, comments, blank lines) keep their text and order.
#include "platform/ProfileStore.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace lm {

// Far beyond any stored layout (a Custom View of the most columns takes about 3 MB).
constexpr std::size_t kMaxProfileBytes = 16u * 1024u * 1024u;

class IniProfileStore : public ProfileStore {
public:
    explicit IniProfileStore(std::filesystem::path file);

    int32_t readInt(std::string_view section, std::string_view entry, int32_t fallback) override;
    bool writeInt(std::string_view section, std::string_view entry, int32_t value) override;
    bool flush() override;

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

    std::filesystem::path file_;
    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> sectionIndex_; // lower-case name -> first section
    std::string newline_ = "\n";
    bool unreadable_ = false; // the file exists but could not be read: never overwrite it
    bool changed_ = false;    // written since the last flush
};

} // namespace lm
