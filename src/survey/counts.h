// How many application slots and status items the survey has: the one
// place these counts are named.
#pragma once

namespace tavro {

inline constexpr int kApplicationSlots = 10;
inline constexpr int kStatusItems = 5;

}  // namespace tavro
