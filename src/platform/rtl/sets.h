#pragma once
// A set over an enumeration whose values are the ordinals 0..63, the way the
// component library declares its option and state sets. A set of one kind
// takes only members of its own enumeration, so a flag of another set does not
// compile where this one is expected.

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

template <class E> class TSet {
    static_assert(std::is_enum_v<E>, "a set is over an enumeration");

public:
    constexpr TSet() = default;
    constexpr TSet(E Member) : FBits(Bit(Member)) {}
    constexpr TSet(std::initializer_list<E> Members) {
        for (const E m : Members)
            FBits |= Bit(m);
    }

    constexpr bool Contains(E Member) const { return (FBits & Bit(Member)) != 0; }
    constexpr TSet& Include(E Member) {
        FBits |= Bit(Member);
        return *this;
    }
    constexpr TSet& Exclude(E Member) {
        FBits &= ~Bit(Member);
        return *this;
    }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr int Count() const { return std::popcount(FBits); }

    // The members as bits, bit n for ordinal n: for storing a set as a number.
    constexpr uint64_t Bits() const { return FBits; }
    static constexpr TSet FromBits(uint64_t Bits) {
        TSet s;
        s.FBits = Bits;
        return s;
    }

    // Union, difference and intersection, as the sets of the language have them.
    friend constexpr TSet operator+(TSet A, TSet B) { return FromBits(A.FBits | B.FBits); }
    friend constexpr TSet operator-(TSet A, TSet B) { return FromBits(A.FBits & ~B.FBits); }
    friend constexpr TSet operator*(TSet A, TSet B) { return FromBits(A.FBits & B.FBits); }
    constexpr TSet& operator+=(TSet B) { return *this = *this + B; }
    constexpr TSet& operator-=(TSet B) { return *this = *this - B; }
    constexpr TSet& operator*=(TSet B) { return *this = *this * B; }
    // A <= B: every member of A is in B.
    friend constexpr bool operator<=(TSet A, TSet B) { return (A.FBits & ~B.FBits) == 0; }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr uint64_t Bit(E Member) {
        const auto n = static_cast<std::underlying_type_t<E>>(Member);
        return (n >= 0 && n < 64) ? (uint64_t{1} << n) : 0;
    }
    uint64_t FBits = 0;
};
