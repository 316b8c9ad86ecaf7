#include "api/IniProfileStore.h"

#include "files/FileIO.h"
#include "model/TextTrim.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <system_error>

namespace lm {

namespace {

namespace fs = std::filesystem;

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), lower);
    return result;
}

bool sameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return lower(x) == lower(y); });
}

// Decimal text with an optional sign; anything else, or a value beyond 32 bits, is no value.
std::optional<int32_t> parseDecimal(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Names that would break the file's syntax cannot be written.
bool writableNames(std::string_view section, std::string_view entry)
{
    const auto hasLineBreak = [](std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; };
    const std::string_view key = trimBlanksAndTabs(entry);
    return !hasLineBreak(section) && section.find(']') == std::string_view::npos && !key.empty() &&
           !hasLineBreak(key) && key.find('=') == std::string_view::npos && key.front() != '[' && key.front() != ';';
}

} // namespace

IniProfileStore::IniProfileStore(std::filesystem::path file) : file_(std::move(file))
{
    sections_.push_back(Section{});
    load();
}

void IniProfileStore::load()
{
    std::error_code error;
    if (fs::status(file_, error).type() == fs::file_type::not_found)
        return; // also a dangling link: flush() creates the file it points to
    std::string content;
    try {
        content = files::readRegularFile(file_, kMaxProfileBytes);
    } catch (const std::runtime_error&) {
        unreadable_ = true;
        return;
    }

    std::string_view rest = content;
    bool first = true;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view text = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        const bool terminated = end != std::string_view::npos;
        const auto endsInReturn = [](std::string_view t) { return !t.empty() && t.back() == '\r'; };
        if (first && terminated && endsInReturn(text))
            newline_ = "\r\n";
        first = false;
        // A line keeps its text exactly, less the file's own line ending: a stray carriage
        // return (an unterminated last line, a CRLF line in an LF file) is written back as it was.
        if (terminated && newline_ == "\r\n" && endsInReturn(text))
            text.remove_suffix(1);
        const std::string_view content = endsInReturn(text) ? text.substr(0, text.size() - 1) : text;

        const std::string_view trimmed = trimBlanksAndTabs(content);
        if (!trimmed.empty() && trimmed.front() == '[') {
            const std::string_view inner = trimmed.substr(1, trimmed.find(']') - 1);
            Section section{std::string(trimBlanksAndTabs(inner)), true, {Line{std::string(text), {}, {}}}};
            sectionIndex_.emplace(lowered(section.name), sections_.size()); // first one wins
            sections_.push_back(std::move(section));
            continue;
        }
        Line line{std::string(text), {}, {}};
        const std::size_t equals = trimmed.find('=');
        if (!trimmed.empty() && trimmed.front() != ';' && equals != std::string_view::npos) {
            line.key = trimBlanksAndTabs(trimmed.substr(0, equals));
            line.value = trimBlanksAndTabs(trimmed.substr(equals + 1));
        }
        sections_.back().lines.push_back(std::move(line));
    }
}

IniProfileStore::Section* IniProfileStore::findSection(std::string_view name)
{
    const auto found = sectionIndex_.find(lowered(trimBlanksAndTabs(name)));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

int32_t IniProfileStore::readInt(std::string_view section, std::string_view entry, int32_t fallback)
{
    const Section* found = findSection(section);
    if (found == nullptr)
        return fallback;
    const std::string_view key = trimBlanksAndTabs(entry);
    for (const Line& line : found->lines) {
        if (!line.key.empty() && sameName(line.key, key))
            return parseDecimal(line.value).value_or(fallback);
    }
    return fallback;
}

bool IniProfileStore::writeInt(std::string_view section, std::string_view entry, int32_t value)
{
    if (unreadable_ || !writableNames(section, entry))
        return false;
    const std::string key(trimBlanksAndTabs(entry));
    const std::string valueText = std::to_string(value);

    Section* target = findSection(section);
    if (target == nullptr) {
        const std::string name(trimBlanksAndTabs(section));
        sections_.push_back(Section{name, true, {Line{"[" + name + "]", {}, {}}, Line{key + "=" + valueText, key, valueText}}});
        sectionIndex_.emplace(lowered(name), sections_.size() - 1);
        changed_ = true;
        return true;
    }

    auto& lines = target->lines;
    const auto existing =
        std::find_if(lines.begin(), lines.end(), [&](const Line& l) { return !l.key.empty() && sameName(l.key, key); });
    if (existing != lines.end()) {
        *existing = Line{existing->key + "=" + valueText, existing->key, valueText}; // keeps the stored spelling
        changed_ = true;
        return true;
    }

    // A new key goes after the section's last entry, so blank lines and
    // comments that separate it from the next section stay where they are.
    std::size_t position = 1;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (!lines[i].key.empty())
            position = i + 1;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(position), Line{key + "=" + valueText, key, valueText});
    changed_ = true;
    return true;
}

std::string IniProfileStore::serialize() const
{
    std::string text;
    for (const Section& section : sections_) {
        for (const Line& line : section.lines) {
            text += line.text;
            text += newline_;
        }
    }
    return text;
}

bool IniProfileStore::flush()
{
    if (unreadable_)
        return false;
    if (!changed_)
        return true;
    try {
        // The per-user file's folder may not exist yet; a link's target folder is the one that counts.
        const fs::path folder = files::followLinks(file_).parent_path();
        std::error_code error;
        if (!folder.empty() && !fs::create_directories(folder, error) && error)
            return false;
        files::replaceFile(file_, serialize());
    } catch (const std::runtime_error&) {
        return false;
    }
    changed_ = false;
    return true;
}

} // namespace lm
