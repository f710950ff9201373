#pragma once

#include "fetchdata.h"
#include "securitylogdetailview.h"
#include "securitylogsave.h"

#include <memory>
#include <QImage>
#include <QVariantMap>

// One save of the log form: the photos are shrunk off the GUI thread, the person photo and
// the bill pictures are uploaded, then the log goes out in one request and its answer is
// shown. The form runs one at a time and drops it when the chain ends.
class securityLogDetailView::SaveJob {
public:
    SaveJob(securityLogDetailView *form, QVariantMap header, SecurityLogSave::Details details,
            QImage personPhoto, bool print, QString saveKey);
    void start();

private:
    void uploadPhoto(const QByteArray &jpeg, const QList<QByteArray> &bills);
    void uploadBills(const QList<QByteArray> &bills);
    void send();
    void fail(const QString &title, const QString &message);

    securityLogDetailView *m_form;
    QVariantMap m_header;
    SecurityLogSave::Details m_details;
    QImage m_photo; // null when the photo is already on the server
    bool m_print;
    QString m_saveKey;
    std::shared_ptr<FetchTask> m_task;
};
