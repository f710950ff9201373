#pragma once

#include "fetchdata.h"

#include <functional>
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// One image to upload: the name the server stores it under and its JPEG bytes.
struct UploadImage {
    QString name;
    QByteArray jpeg;
};

// Uploads images to a server folder in one multipart request. The completion gets the stored
// paths ("~/<folder><name>", in upload order) or, on any failure, no paths and a reason.
class FileUploader {
public:
    static FileUploader &shared();

    using Completion = std::function<void(const QStringList &paths, const QString &error)>;
    std::shared_ptr<FetchTask> upload(const QString &folder, const QList<UploadImage> &images,
                                      QObject *context, Completion completion);

    static QByteArray multipartBody(const QString &folder, const QList<UploadImage> &images,
                                    const QByteArray &boundary);
};
