#pragma once

#include <cstddef>
#include <httplib.h>
#include <string>
#include <vector>

namespace seclog::server {

// Request bodies read within a limit. A body over the limit is still read to its end and
// dropped, so the client gets the refusal rather than a reset connection and the connection
// stays usable; then PayloadTooLarge is thrown. Bodies are never read past kMaxUploadBytes.

// The body of a JSON or url-encoded post. A multipart body is a RequestError.
std::string readBody(const httplib::Request &req, const httplib::ContentReader &reader,
                     std::size_t maxBytes);

// The parts of a multipart body in the order sent, their contents at most maxBytes in all.
// Any other body is a RequestError.
std::vector<httplib::MultipartFormData> readMultipartBody(const httplib::Request &req,
                                                          const httplib::ContentReader &reader,
                                                          std::size_t maxBytes);

// "request body too large: the limit is 2 MiB"
std::string tooLargeMessage(std::size_t maxBytes);

} // namespace seclog::server
