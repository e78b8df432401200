#pragma once

#include <string>

namespace quor::generate {

// A byte count as text with its unit and no space before it: "512B", "3KB",
// "1.50MB", "2.00GB". Below 1024 the bytes; below 1 MiB whole KiB (the count
// rounded, then divided by 1024 without remainder); below 1 GiB MiB with two
// decimals; above that GiB with two decimals. Negative or non-finite input
// is treated as 0.
std::string sizeText(double bytes);

}  // namespace quor::generate
