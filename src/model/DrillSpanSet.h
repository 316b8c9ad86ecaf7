#pragma once
// Which drill pairs span one layer: bit k set when the layer lies between the
// start and end layer of drill pair k, both included. Kept beside the layer
// record (the record's own field stays 0); copies are deep by value semantics.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lm {

class DrillSpanSet {
public:
    DrillSpanSet() = default;

    // Sized to hold `bits` bits, all cleared.
    void resetTo(std::size_t bits) { words_.assign((bits + 31) / 32, 0u); }
    std::size_t bitCapacity() const { return words_.size() * 32; }
    bool empty() const { return words_.empty(); }

    void set(std::size_t bit, bool on = true)
    {
        if (bit >= bitCapacity())
            words_.resize(bit / 32 + 1, 0u);
        const uint32_t mask = 1u << (bit % 32);
        words_[bit / 32] = on ? (words_[bit / 32] | mask) : (words_[bit / 32] & ~mask);
    }
    bool test(std::size_t bit) const
    {
        return bit < bitCapacity() && (words_[bit / 32] >> (bit % 32)) & 1u;
    }
    const std::vector<uint32_t>& words() const { return words_; }
    bool operator==(const DrillSpanSet&) const = default;

private:
    std::vector<uint32_t> words_;
};

} // namespace lm
