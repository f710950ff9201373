#pragma once

#include <cstddef>

namespace seclog::server {

// Largest request bodies the server reads; anything larger is answered 413.
// JSON and url-encoded form posts carry a few rows of text (photos travel as uploads).
inline constexpr std::size_t kMaxJsonBodyBytes = 2 * 1024 * 1024;
// A whole multipart upload: the client sends photos of at most 300 KiB each, a few at a time.
inline constexpr std::size_t kMaxUploadBytes = 20 * 1024 * 1024;

} // namespace seclog::server
