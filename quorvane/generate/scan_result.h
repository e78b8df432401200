#pragma once

namespace quor::generate {

// How a scan of one catalogued folder ended. Cancelled: the folder itself
// could not be read and the user chose Cancel, or a stop was requested;
// what was read until then is kept.
enum class ScanResult { Normal, Cancelled };

}  // namespace quor::generate
