#pragma once

#include "sectionentry.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QUuid>
#include <QVariantList>
#include <QVariantMap>

// The records a log save sends, built from the form's two document lists. Pure: the form
// runs it when the guard chooses Save, then uploads and sends what it built.
namespace SecurityLogSave {

// A picture of an item line that must be uploaded; Index is the position of that line's
// detail record, which gets the stored path back in "DocPath".
struct QueuedImage {
    QString ImgType = QStringLiteral("SecLogDetImg");
    int Index = 0;
    QImage Image;
};

struct Details {
    QVariantList records;
    QList<QueuedImage> images;
    QString INDC_ids, OUTDC_ids, DC_Detids, INGodTrn_ids, OUTGodTrn_ids, INHB_ids, OUTHB_ids;
    int newINRows = 0;
    int newOUTRows = 0;
};

// The detail records, image queue and id lists of both sections, IN first.
Details buildDetails(const QList<SectionEntry> &in, const QList<SectionEntry> &out);

// The idempotency key of one save of a form: the form's own id and what the save carries (the
// log, its details and its pictures). A retry of the same save sends the same key, so a server
// that stored the log but could not answer answers the retry with the first answer instead of
// storing it twice; a form changed since sends another key.
QString saveKey(const QUuid &form, const QVariantMap &record, const Details &details,
                const QImage &personPhoto);

// Ids joined by "," in order, no leading or trailing comma.
class IdList {
public:
    void add(int id) { m_text += QLatin1Char(',') + QString::number(id); }
    QString text() const { return m_text.isEmpty() ? m_text : m_text.mid(1); }

private:
    QString m_text;
};

// What the server's answer to a save means for the guard.
struct Answer {
    QString title;
    QString message;
    bool saved = false; // a positive "ID": the log is saved, message is the ID
};
Answer readAnswer(const QVariant &reply);

} // namespace SecurityLogSave
