#pragma once

#include "transport.h"

#include <QByteArray>
#include <QList>

// The bytes a multipart request (HttpRequest::multipart) puts on the wire, read the way
// QNetworkAccessManager reads them when it sends the request. Empty when there is none.
QByteArray multipartBytes(const HttpRequest &request);

// One part of a multipart form as sent.
struct FormPart {
    QByteArray disposition; // the Content-Disposition value
    QByteArray contentType; // empty when the part has none
    QByteArray body;
    bool operator==(const FormPart &) const = default;
};

// The parts of a multipart request, split at the boundary of its Content-Type.
QList<FormPart> multipartParts(const HttpRequest &request);
