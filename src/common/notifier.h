#pragma once
// Announcements of what changed in a model. A model owns a Notifier of its own
// change kinds; views subscribe and update only what an announcement names.
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace trevane {

template <class Change>
class Notifier {
public:
    using Listener = std::function<void(const Change&)>;

    // Keeps a listener until the returned subscription is destroyed. A listener
    // that unsubscribes (or subscribes another) while an announcement runs is safe.
    class Subscription {
    public:
        Subscription() = default;
        Subscription(Subscription&&) noexcept = default;
        Subscription& operator=(Subscription&& other) noexcept {
            Reset();
            slot_ = std::move(other.slot_);
            return *this;
        }
        Subscription(const Subscription&) = delete;
        Subscription& operator=(const Subscription&) = delete;
        ~Subscription() { Reset(); }
        void Reset() {
            if (slot_) *slot_ = nullptr;
            slot_.reset();
        }

    private:
        friend class Notifier;
        explicit Subscription(std::shared_ptr<Listener> slot) : slot_(std::move(slot)) {}
        std::shared_ptr<Listener> slot_;
    };

    Notifier() = default;
    Notifier(const Notifier&) = delete;
    Notifier& operator=(const Notifier&) = delete;

    [[nodiscard]] Subscription Subscribe(Listener listener) {
        auto slot = std::make_shared<Listener>(std::move(listener));
        slots_.push_back(slot);
        return Subscription(slot);
    }

    void Announce(const Change& change) {
        // Listeners added during the announcement hear the next one; emptied
        // slots (ended subscriptions) are dropped afterwards.
        const std::size_t n = slots_.size();
        for (std::size_t i = 0; i < n; ++i) {
            const std::shared_ptr<Listener> slot = slots_[i];
            if (*slot) (*slot)(change);
        }
        std::erase_if(slots_, [](const std::shared_ptr<Listener>& s) { return !*s; });
    }

private:
    std::vector<std::shared_ptr<Listener>> slots_;
};

}  // namespace trevane
