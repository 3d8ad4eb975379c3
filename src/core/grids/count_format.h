// Fills a localized format such as "%lld-way Split" with a 64-bit count.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvella {

// Replaces each "%lld" (or its positional form "%1$lld") by the count in
// decimal and "%%" by "%"; any other text, a stray "%" included, is kept as
// it stands, so a translation can never make the formatting fail.
std::string formatCount(std::string_view format, std::int64_t count);

}  // namespace corvella
