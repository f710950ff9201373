#pragma once

#include "fetchdata.h"

#include <functional>
#include <memory>
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QHttpMultiPart;

// One image to upload: the name the server stores it under, its bytes (a JPEG prepared by
// PhotoPreparation) and their content type.
struct UploadImage {
    QString name;
    QByteArray jpeg;
    QByteArray contentType = "image/jpeg";
};

// Uploads images to a server folder in one multipart request. The completion gets the stored
// paths ("~/<folder><name>", in upload order) or, on any failure, no paths and a reason.
class FileUploader {
public:
    static FileUploader &shared();

    using Completion = std::function<void(const QStringList &paths, const QString &error)>;
    std::shared_ptr<FetchTask> upload(const QString &folder, const QList<UploadImage> &images,
                                      QObject *context, Completion completion);

    // The form sent: the field "folder", then one part per image, named (field and file name)
    // as the image is, with its content type.
    static std::shared_ptr<QHttpMultiPart>
    formData(const QString &folder, const QList<UploadImage> &images, const QByteArray &boundary);
    // The Content-Disposition of one form part. In a name, '"', CR, LF and the other control
    // characters are percent-escaped, as browsers do; everything else goes as UTF-8. So no
    // name can end the header or add one.
    static QByteArray contentDisposition(const QString &name, const QString &fileName = {});
};
