#pragma once

#include <stdexcept>

namespace seclog::server {

// Thrown when a request body is over its route's limit; routes turn it into HTTP 413.
class PayloadTooLarge : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace seclog::server
