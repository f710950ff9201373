#include "fileuploader.h"

#include "datatask.h"
#include "dbconnection.h"

#include <QUuid>

FileUploader &FileUploader::shared() {
    static FileUploader instance;
    return instance;
}

namespace {
QByteArray quoted(const QString &text) {
    // Quotes and line breaks cannot stand in a header parameter.
    QByteArray bytes = text.toUtf8();
    bytes.replace('"', "").replace('\r', "").replace('\n', "");
    return '"' + bytes + '"';
}
} // namespace

QByteArray FileUploader::multipartBody(const QString &folder, const QList<UploadImage> &images,
                                       const QByteArray &boundary) {
    QByteArray body;
    body += "--" + boundary + "\r\n";
    body += "Content-Disposition: form-data; name=\"folder\"\r\n\r\n";
    body += folder.toUtf8() + "\r\n";
    for (const UploadImage &image : images) {
        body += "--" + boundary + "\r\n";
        body += "Content-Disposition: form-data; name=" + quoted(image.name) +
                "; filename=" + quoted(image.name) + "\r\n";
        body += "Content-Type: image/jpeg\r\n\r\n";
        body += image.jpeg + "\r\n";
    }
    body += "--" + boundary + "--\r\n";
    return body;
}

std::shared_ptr<FetchTask> FileUploader::upload(const QString &folder,
                                                const QList<UploadImage> &images, QObject *context,
                                                Completion completion) {
    const QByteArray boundary = "seclog-" + QUuid::createUuid().toByteArray(QUuid::Id128);
    HttpRequest request;
    request.url = QUrl(DCdatabase + QStringLiteral("/upload"));
    request.contentType = "multipart/form-data; boundary=" + boundary;
    request.body = multipartBody(folder, images, boundary);
    request.timeoutMs = 120000;
    const int expected = int(images.size());
    return fetchDATA::send(
        request, context, [completion, expected](const HttpReply &reply, const auto &) {
            if (!reply.ok()) {
                completion({}, reply.error.isEmpty() ? QStringLiteral("HTTP %1").arg(reply.status)
                                                     : reply.error);
                return;
            }
            const QVariant decoded = datatask::decode(reply.body);
            QStringList paths;
            for (const QVariant &v : decoded.toList())
                if (v.typeId() == QMetaType::QString)
                    paths.append(v.toString());
            // Anything but one path per image means we cannot tell which photo went where.
            if (decoded.typeId() != QMetaType::QVariantList || paths.size() != expected)
                completion({}, QStringLiteral("unexpected upload reply"));
            else
                completion(paths, QString());
        });
}
