#include "multipartform.h"

#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace {

class NoReply : public QNetworkReply {
public:
    explicit NoReply(QObject *parent) : QNetworkReply(parent) {}
    void abort() override {}

protected:
    qint64 readData(char *, qint64) override { return -1; }
};

// Reads the body handed to the manager instead of sending it.
class BodyReader : public QNetworkAccessManager {
public:
    QByteArray body;

protected:
    QNetworkReply *createRequest(Operation, const QNetworkRequest &, QIODevice *data) override {
        if (data)
            body = data->readAll();
        return new NoReply(this);
    }
};

} // namespace

QByteArray multipartBytes(const HttpRequest &request) {
    if (!request.multipart)
        return {};
    BodyReader reader;
    QNetworkRequest req(QUrl(QStringLiteral("http://body.test/")));
    req.setHeader(QNetworkRequest::ContentTypeHeader, request.contentType);
    delete reader.post(req, request.multipart.get());
    return reader.body;
}

QList<FormPart> multipartParts(const HttpRequest &request) {
    const QByteArray marker = "boundary=";
    const qsizetype at = request.contentType.indexOf(marker);
    if (at < 0)
        return {};
    const QByteArray delimiter = "--" + request.contentType.mid(at + marker.size()) + "\r\n";
    const QByteArray closing = "--" + request.contentType.mid(at + marker.size()) + "--\r\n";
    QByteArray bytes = multipartBytes(request);
    if (!bytes.startsWith(delimiter) || !bytes.endsWith(closing))
        return {};
    bytes.chop(closing.size());
    QList<FormPart> parts;
    qsizetype from = delimiter.size();
    while (from <= bytes.size()) {
        qsizetype next = bytes.indexOf("\r\n" + delimiter, from);
        if (next < 0)
            next = bytes.size() - 2; // the last part ends with "\r\n" before the closing line
        const QByteArray chunk = bytes.mid(from, next - from);
        const qsizetype split = chunk.indexOf("\r\n\r\n");
        FormPart part;
        for (const QByteArray &line : chunk.left(split).split('\n')) {
            const QByteArray header = line.trimmed();
            if (header.startsWith("Content-Disposition: "))
                part.disposition = header.mid(21);
            else if (header.startsWith("Content-Type: "))
                part.contentType = header.mid(14);
        }
        part.body = chunk.mid(split + 4);
        parts.append(part);
        from = next + 2 + delimiter.size();
    }
    return parts;
}
