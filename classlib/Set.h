// TSet<E>: a small set of enumeration values (shift states, font styles,
// border icons, component states), stored as bits.
#pragma once

#include <cstdint>
#include <initializer_list>

template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(E e) : bits_(Bit(e)) {}
  constexpr TSet(std::initializer_list<E> es) {
    for (E e : es) bits_ |= Bit(e);
  }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  TSet& Include(E e) {
    bits_ |= Bit(e);
    return *this;
  }
  TSet& Exclude(E e) {
    bits_ &= ~Bit(e);
    return *this;
  }
  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  TSet& operator+=(TSet o) {
    bits_ |= o.bits_;
    return *this;
  }
  TSet& operator-=(TSet o) {
    bits_ &= ~o.bits_;
    return *this;
  }
  constexpr bool operator==(TSet o) const { return bits_ == o.bits_; }
  constexpr bool operator!=(TSet o) const { return bits_ != o.bits_; }
  constexpr uint64_t Bits() const { return bits_; }
  static constexpr TSet FromBits(uint64_t b) {
    TSet s;
    s.bits_ = b;
    return s;
  }

 private:
  static constexpr uint64_t Bit(E e) { return uint64_t(1) << static_cast<unsigned>(e); }
  uint64_t bits_ = 0;
};
