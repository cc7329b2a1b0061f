// Two views of a table of virtual functions, as a program built elsewhere sees
// it: SlotRecorder is an object whose table is built by hand, entry n recording
// n, so calls made through an interface's declarations show which slot they
// reach; CallSlot calls entry n of a real object's table directly, the way a
// host or plug-in compiled from its own headers would.
#pragma once

#include <stdint.h>

#include <typeinfo>
#include <utility>
#include <vector>

namespace abitest {

class SlotRecorder {
  public:
    static constexpr int kSlots = 16;

    // This object seen as an Interface. Its table carries Interface's type
    // information, so the dynamic-type checks of the sanitizers accept it.
    template <class Interface>
    Interface* As() {
        vptr_ = Table<Interface>(std::make_integer_sequence<int, kSlots>());
        calls_.clear();
        // The compiler must not see that the object is no Interface (it would
        // drop the calls as undefined), so the address passes through an
        // empty assembly statement it cannot look into.
        void* self = this;
        asm volatile("" : "+r"(self)::"memory");
        return static_cast<Interface*>(self);
    }

    // Slots reached since the last As, in order.
    const std::vector<int>& Calls() const { return calls_; }

  private:
    // Every entry takes the object only: the arguments of the call are left
    // where the caller put them, and the result register reads 0.
    template <int N>
    static uintptr_t Entry(SlotRecorder* self) {
        self->calls_.push_back(N);
        return 0;
    }

    template <class Interface, int... N>
    static const void* const* Table(std::integer_sequence<int, N...>) {
        // Offset to the top of the object, type information, then the slots.
        static const void* const table[] = {nullptr, &typeid(Interface),
                                            reinterpret_cast<const void*>(&Entry<N>)...};
        return table + 2;
    }

    const void* const* vptr_ = nullptr;  // first, where every object keeps it
    std::vector<int> calls_;
};

// Calls entry `slot` of object's table with the object and args.
template <class Result, class... Args>
Result CallSlot(void* object, int slot, Args... args) {
    const void* const* table = *static_cast<const void* const* const*>(object);
    using Fn = Result (*)(void*, Args...);
    return reinterpret_cast<Fn>(const_cast<void*>(table[slot]))(object, args...);
}

}  // namespace abitest
