#include "fileuploader.h"

#include "datatask.h"
#include "dbconnection.h"

#include <QHttpMultiPart>
#include <QRegularExpression>
#include <QUuid>

FileUploader &FileUploader::shared() {
    static FileUploader instance;
    return instance;
}

namespace {

QByteArray escapedParameter(const QString &text) {
    QByteArray escaped;
    for (const char c : text.toUtf8()) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '"' || byte < 0x20 || byte == 0x7f)
            escaped += '%' + QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
        else
            escaped += c;
    }
    return escaped;
}

// A type/subtype pair of tokens; anything else (parameters, line breaks) is not sent.
QByteArray safeContentType(const QByteArray &type) {
    static const QRegularExpression token(
        QStringLiteral("^[A-Za-z0-9!#$&^_.+-]+/[A-Za-z0-9!#$&^_.+-]+$"));
    return token.match(QString::fromLatin1(type)).hasMatch() ? type : "application/octet-stream";
}

} // namespace

QByteArray FileUploader::contentDisposition(const QString &name, const QString &fileName) {
    QByteArray header = "form-data; name=\"" + escapedParameter(name) + '"';
    if (!fileName.isNull())
        header += "; filename=\"" + escapedParameter(fileName) + '"';
    return header;
}

std::shared_ptr<QHttpMultiPart> FileUploader::formData(const QString &folder,
                                                       const QList<UploadImage> &images,
                                                       const QByteArray &boundary) {
    auto form = std::make_shared<QHttpMultiPart>(QHttpMultiPart::FormDataType);
    form->setBoundary(boundary);
    QHttpPart folderPart;
    folderPart.setRawHeader("Content-Disposition", contentDisposition(QStringLiteral("folder")));
    folderPart.setBody(folder.toUtf8());
    form->append(folderPart);
    for (const UploadImage &image : images) {
        QHttpPart part;
        part.setRawHeader("Content-Disposition", contentDisposition(image.name, image.name));
        part.setRawHeader("Content-Type", safeContentType(image.contentType));
        part.setBody(image.jpeg);
        form->append(part);
    }
    return form;
}

std::shared_ptr<FetchTask> FileUploader::upload(const QString &folder,
                                                const QList<UploadImage> &images, QObject *context,
                                                Completion completion) {
    // Letters, digits and '-' only, so it needs no quotes in the Content-Type.
    const QByteArray boundary = "seclog-" + QUuid::createUuid().toByteArray(QUuid::Id128);
    HttpRequest request;
    request.url = QUrl(DCdatabase + QStringLiteral("/upload"));
    request.contentType = "multipart/form-data; boundary=" + boundary;
    request.multipart = formData(folder, images, boundary);
    request.timeoutMs = 120000;
    const int expected = int(images.size());
    return fetchDATA::send(request, context, [completion, expected](const HttpReply &reply) {
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
        // Anything but one path per image means we cannot tell which photo went where;
        // an item that is no path counts too, or [1,"x"] would pass for one path.
        if (decoded.typeId() != QMetaType::QVariantList || paths.size() != expected ||
            decoded.toList().size() != expected)
            completion({}, QStringLiteral("unexpected upload reply"));
        else
            completion(paths, QString());
    });
}
