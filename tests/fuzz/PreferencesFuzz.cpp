// Restoring preferences from an initialisation file of any bytes, then storing
// them, through the exported functions. Only the documented failure (a column
// count the Custom View cannot take) may come out of a restore; what a store
// wrote restores without failure; and storing settles: a second round of
// restore and store writes the file the first round wrote.
#include <laminar/laminar.h>

#include "TempDir.h"

#include <cstdint>

namespace {

namespace fs = std::filesystem;

fs::path file;

// One instance restores from the file and stores into it; false when the restore refused the file.
bool restoreAndStore(uint32_t caps, const LMREGFLAGS& flags)
{
    LMHANDLE instance = lmInitInstance(nullptr, 0);
    lmSetCaps(instance, 0xFFFFFFFF, caps);
    bool restored = true;
    try {
        lmLoadFromRegistry(instance, true, file.c_str(), &flags);
    } catch (const LMInvalidArgument&) {
        restored = false;
    }
    if (restored)
        lmSaveToRegistry(instance, true, file.c_str(), &flags);
    lmFreeInstance(instance);
    return restored;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A memory-backed folder when there is one: every store flushes to disk.
    const fs::path shm = "/dev/shm";
    std::string pattern = ((fs::is_directory(shm) ? shm : fs::temp_directory_path()) / "laminar-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        std::abort();
    file = fs::path(pattern) / "prefs.ini";
    std::atexit([] { fs::remove_all(file.parent_path()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    // The first byte chooses the groups, the second the capability bits that decide what is stored.
    const LMREGFLAGS flags{uint8_t(data[0] & 1), uint8_t(data[0] & 2), uint8_t(data[0] & 4), uint8_t(data[0] & 8)};
    const uint32_t caps = (data[1] & 1 ? 0x2u : 0u) | (data[1] & 2 ? 0x20u : 0u);
    lm::test::writeFileText(file, std::string(reinterpret_cast<const char*>(data + 2), size - 2));
    if (!restoreAndStore(caps, flags))
        return 0;
    // Entries the store does not overwrite (columns beyond the stored ones) may still shape the second
    // round's restore; from then on the file must stay as it is.
    if (!restoreAndStore(caps, flags))
        std::abort();
    const std::string settled = lm::test::fileText(file);
    if (!restoreAndStore(caps, flags) || lm::test::fileText(file) != settled)
        std::abort();
    return 0;
}
