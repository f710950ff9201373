#pragma once

#include <stdexcept>

namespace seclog::server {

// Thrown for anything the caller got wrong; routes turn it into HTTP 400.
class RequestError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace seclog::server
