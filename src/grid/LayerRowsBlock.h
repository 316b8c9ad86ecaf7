#pragma once
// The layer-rows block of the clipboard: whole layer records back to back,
// 216 bytes each in the host interface's layout, with no header; the record
// count is the block size divided by the record size. Only this program reads
// it back.
#include <laminar/laminar.h>

#include <cstddef>
#include <span>
#include <vector>

namespace lm {

// The records as they are, except that none carries a drill-span field.
std::vector<std::byte> encodeLayerRows(std::span<const LMLAYEREX> layers);
// Every whole record of the block; trailing bytes that make no whole record are left out.
std::vector<LMLAYEREX> decodeLayerRows(std::span<const std::byte> block);

} // namespace lm
