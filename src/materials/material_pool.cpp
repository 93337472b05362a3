#include "materials/material_pool.h"

#include <array>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

// Under AddressSanitizer every object keeps its own heap block, so that an
// overrun of one material is still caught.
#if defined(__SANITIZE_ADDRESS__)
#define TREVANE_POOL_OFF 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TREVANE_POOL_OFF 1
#endif
#endif

namespace trevane::material_pool {

#ifndef TREVANE_POOL_OFF
namespace {

constexpr std::size_t kGrain = 16;            // sizes are rounded up to this
constexpr std::size_t kLargest = 512;         // larger objects use the heap
constexpr std::size_t kBlockBytes = 1 << 18;  // 256 KB blocks

struct FreeNode {
    FreeNode* next;
};

class Pool {
public:
    void* Allocate(std::size_t size) {
        const std::size_t rounded = Round(size);
        std::lock_guard lock(mutex_);
        FreeNode*& head = free_[rounded / kGrain];
        if (head) {
            FreeNode* node = head;
            head = node->next;
            ++live_;
            return node;
        }
        if (rounded > left_) {
            blocks_.push_back(std::make_unique<Block>());
            next_ = blocks_.back()->bytes;
            left_ = kBlockBytes;
        }
        void* p = next_;
        next_ += rounded;
        left_ -= rounded;
        ++live_;
        return p;
    }

    void Release(void* p, std::size_t size) noexcept {
        std::lock_guard lock(mutex_);
        auto* node = static_cast<FreeNode*>(p);
        FreeNode*& head = free_[Round(size) / kGrain];
        node->next = head;
        head = node;
        // With no material left, the blocks go back to the heap.
        if (--live_ == 0) {
            blocks_.clear();
            free_.fill(nullptr);
            next_ = nullptr;
            left_ = 0;
        }
    }

private:
    struct Block {
        alignas(std::max_align_t) std::byte bytes[kBlockBytes];
    };
    static std::size_t Round(std::size_t size) { return (size + kGrain - 1) / kGrain * kGrain; }

    std::mutex mutex_;
    std::vector<std::unique_ptr<Block>> blocks_;
    std::array<FreeNode*, kLargest / kGrain + 1> free_{};
    std::byte* next_ = nullptr;
    std::size_t left_ = 0;
    std::size_t live_ = 0;
};

// Never destroyed: a material held in static storage may be freed after the
// pool's turn in static destruction would have come.
Pool& ThePool() {
    static Pool* const pool = std::make_unique<Pool>().release();
    return *pool;
}

}  // namespace
#endif

void* Allocate(std::size_t size) {
#ifndef TREVANE_POOL_OFF
    if (size <= kLargest) return ThePool().Allocate(size);
#endif
    return ::operator new(size);
}

void Release(void* p, [[maybe_unused]] std::size_t size) noexcept {
    if (!p) return;
#ifndef TREVANE_POOL_OFF
    if (size <= kLargest) return ThePool().Release(p, size);
#endif
    ::operator delete(p);
}

}  // namespace trevane::material_pool
