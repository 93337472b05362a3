#pragma once
// Fixed-size bit sets stored as bytes: element e lives in byte e / 8, bit e % 8
// (least significant bit first), exactly as the files hold them.
#include <array>
#include <cstddef>
#include <cstdint>

namespace trevane {

template <std::size_t Bytes>
struct ByteSet {
    std::array<std::uint8_t, Bytes> bytes{};

    static constexpr std::size_t kSize = Bytes * 8;
    bool Has(int e) const { return e >= 0 && static_cast<std::size_t>(e) < kSize && (bytes[e / 8] >> (e % 8)) & 1u; }
    void Add(int e) {
        if (e >= 0 && static_cast<std::size_t>(e) < kSize) bytes[e / 8] |= static_cast<std::uint8_t>(1u << (e % 8));
    }
    void Remove(int e) {
        if (e >= 0 && static_cast<std::size_t>(e) < kSize) bytes[e / 8] &= static_cast<std::uint8_t>(~(1u << (e % 8)));
    }
    bool Empty() const {
        for (auto b : bytes)
            if (b) return false;
        return true;
    }
    // True when every element of `other` is also in this set.
    bool Contains(const ByteSet& other) const {
        for (std::size_t i = 0; i < Bytes; ++i)
            if (other.bytes[i] & ~bytes[i]) return false;
        return true;
    }
    bool operator==(const ByteSet&) const = default;
};

using FlagSet = ByteSet<19>;      // flags 0..151
using PropertySet = ByteSet<7>;   // property indices 0..55
using StockSizeSet = ByteSet<8>;  // metal size codes 0..63
using ThicknessSet = ByteSet<4>;  // board thicknesses 0..31

}  // namespace trevane
