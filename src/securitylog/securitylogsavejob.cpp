#include "securitylogsavejob.h"

#include "access.h"
#include "alertcontroller.h"
#include "common.h"
#include "datatask.h"
#include "dbconnection.h"
#include "fileuploader.h"
#include "mainqueue.h"
#include "navigationcontroller.h"
#include "photopreparation.h"
#include "printurl.h"
#include "securitylogtvc.h"

namespace {
const QString kPersonFolder = QStringLiteral("Security/PersonsImages/");
const QString kBillFolder = QStringLiteral("Security/SecLogDetails_Bill/");
const QString kImageNotSaved = QStringLiteral("Image Not Saved");
} // namespace

// ---- the form's side

void securityLogDetailView::SaveSecurityLog() {
    if (m_saving)
        return;
    auto *sheet =
        new AlertController(QStringLiteral("More"), QString(), AlertController::Style::ActionSheet);
    sheet->addAction(QStringLiteral("Save"), AlertAction::Style::Default,
                     [this](AlertController *) { save(false); });
    sheet->addAction(QStringLiteral("Save & Print"), AlertAction::Style::Default,
                     [this](AlertController *) { save(true); });
    sheet->addAction(QStringLiteral("Cancel"), AlertAction::Style::Cancel);
    common::sharedInstance().presentAlert(this, sheet);
}

void securityLogDetailView::setSaving(bool saving) {
    if (m_saving == saving)
        return;
    m_saving = saving;
    // While a save runs the guard can neither save again (a second log) nor leave the form.
    if (brbSave)
        brbSave->setEnabled(!saving);
    if (brbCancel)
        brbCancel->setEnabled(!saving);
    Q_EMIT savingChanged();
}

void securityLogDetailView::save(bool print) {
    // One save at a time: a second tap while one runs would send the log twice.
    if (m_saving)
        return;
    auto &c = common::sharedInstance();
    auto refuse = [this, &c](const char *message) {
        c.showAlert(this, QStringLiteral("Alert !"), QString::fromUtf8(message));
    };
    if (IsUpdateable == QLatin1String("No"))
        return refuse("Log Update Time Limit Exceeded");
    if (!header->hasPhoto())
        return refuse("Tack Person Photo");
    if (header->mobileNo().isEmpty())
        return refuse("Enter Mobile No");
    if (header->name().isEmpty())
        return refuse("Enter Person Name");
    if (c.isEmptyText(entryTypeId()))
        return refuse("Select Entry Type");
    if (cellMeetTo->text().isEmpty())
        return refuse("Select Meet To");

    SecurityLogSave::Details details =
        SecurityLogSave::buildDetails(PartyINSectionCollView, PartyOUTSectionCollView);
    // A new log, also one whose earlier save failed ("0"), goes one way the first time.
    if (SecIOLog_id.isEmpty() || SecIOLog_id == QLatin1String("0")) {
        SecIOLog_id = QStringLiteral("0");
        if (details.newINRows > 0 && details.newOUTRows > 0) {
            SecIOLog_id.clear();
            return refuse("Add Items in Any One Section at Very First Time (IN or OUT)");
        }
        if (details.newINRows > 0)
            celllabelSegmentCell->setSelectedSegmentIndex(0);
        else if (details.newOUTRows > 0)
            celllabelSegmentCell->setSelectedSegmentIndex(1);
    }

    QVariantMap record{
        {QStringLiteral("SecIOLog_id"), SecIOLog_id},
        {QStringLiteral("BranchCode"), master.BranchCode},
        {QStringLiteral("Division_id"), master.Division_id},
        {QStringLiteral("Device_id"), master.Device_id},
        {QStringLiteral("IOType_id"), entryTypeId()},
        {QStringLiteral("IOPerson"), header->name()},
        {QStringLiteral("IODesignation"), header->designation()},
        {QStringLiteral("IOMobile"), header->mobileNo()},
        {QStringLiteral("IOAdd1"), header->address()},
        {QStringLiteral("Meet_To"), cellMeetTo->text()},
        {QStringLiteral("TokenNo"), cellTockenNo->text()},
        {QStringLiteral("Purpose"), cellPurpose->text()},
        {QStringLiteral("IOImgPath"), header->PersonimgPath()},
        {QStringLiteral("CreatedBy"), master.Users_id},
        {QStringLiteral("IOMode"), celllabelSegmentCell->selectedSegmentIndex() == 0
                                       ? QStringLiteral("I")
                                       : QStringLiteral("O")},
        {QStringLiteral("ImageData"), QString()},
        {QStringLiteral("IOLog_ids"), QString()},
        {QStringLiteral("INDC_ids"), details.INDC_ids},
        {QStringLiteral("OUTDC_ids"), details.OUTDC_ids},
        {QStringLiteral("DC_Detids"), details.DC_Detids},
        {QStringLiteral("INGodTrn_ids"), details.INGodTrn_ids},
        {QStringLiteral("OUTGodTrn_ids"), details.OUTGodTrn_ids},
        // The server reads this key with its trailing blank.
        {QStringLiteral("INHB_ids "), details.INHB_ids},
        {QStringLiteral("OUTHB_ids"), details.OUTHB_ids},
    };
    if (!cellVehile->text().isEmpty())
        record.insert(QStringLiteral("IOVehicle"), cellVehile->text());
    // The photo goes up only when it is new: a stored one travels as its path.
    const QImage photo = header->PersonimgPath().isEmpty() ? header->photo() : QImage();
    setSaving(true);
    const QString key = SecurityLogSave::saveKey(m_formId, record, details, photo);
    m_save = std::make_unique<SaveJob>(this, record, details, photo, print, key);
    m_save->start();
}

void securityLogDetailView::finishSave(const QString &id, bool print) {
    auto *nav = navigationController();
    auto *list = nav ? nav->viewControllerAt<securityLogTVC>(0) : nullptr;
    if (!list) {
        // Not opened from the list: nowhere to return to. The log now exists, so a second
        // save updates it instead of making another.
        SecIOLog_id = id;
        setSaving(false);
        return;
    }
    nav->popToRootViewController(true);
    list->fromSearch = QStringLiteral("No");
    if (list->searchController)
        list->searchController->clear();
    // The new log is one of the open logs now.
    list->loadOpenLogs();
    if (print)
        printURL(list, securityLogTVC::reportUrl(id), id);
}

// ---- the chain

securityLogDetailView::SaveJob::SaveJob(securityLogDetailView *form, QVariantMap header,
                                        SecurityLogSave::Details details, QImage personPhoto,
                                        bool print, QString saveKey)
    : m_form(form), m_header(std::move(header)), m_details(std::move(details)),
      m_photo(std::move(personPhoto)), m_print(print), m_saveKey(std::move(saveKey)) {}

void securityLogDetailView::SaveJob::start() {
    QList<QImage> images;
    if (!m_photo.isNull())
        images.append(m_photo);
    for (const auto &queued : std::as_const(m_details.images))
        images.append(queued.Image);
    if (images.isEmpty())
        return send();
    // Shrinking a phone photo takes a while: never on the GUI thread.
    const bool withPhoto = !m_photo.isNull();
    PhotoPreparation::run(images, m_form, [this, withPhoto](const QList<PreparedPhoto> &photos) {
        QList<QByteArray> jpegs;
        for (const PreparedPhoto &photo : photos) {
            if (!photo.isReady())
                return fail(QStringLiteral("Error"), kImageNotSaved);
            jpegs.append(photo.jpeg);
        }
        if (withPhoto)
            uploadPhoto(jpegs.takeFirst(), jpegs);
        else
            uploadBills(jpegs);
    });
}

void securityLogDetailView::SaveJob::uploadPhoto(const QByteArray &jpeg,
                                                 const QList<QByteArray> &bills) {
    m_task = FileUploader::shared().upload(
        kPersonFolder, {UploadImage{QStringLiteral("1"), jpeg}}, m_form,
        [this, bills](const QStringList &paths, const QString &) {
            if (paths.isEmpty())
                return fail(QStringLiteral("Error"), kImageNotSaved);
            m_header.insert(QStringLiteral("IOImgPath"), paths.first());
            uploadBills(bills);
        });
}

void securityLogDetailView::SaveJob::uploadBills(const QList<QByteArray> &bills) {
    if (bills.isEmpty())
        return send();
    QList<UploadImage> images;
    for (int i = 0; i < bills.size(); ++i)
        images.append({QString::number(m_details.images.at(i).Index), bills.at(i)});
    m_task = FileUploader::shared().upload(
        kBillFolder, images, m_form, [this](const QStringList &paths, const QString &) {
            if (paths.isEmpty())
                return fail(QStringLiteral("Error"), kImageNotSaved);
            for (int i = 0; i < paths.size() && i < m_details.images.size(); ++i) {
                const int index = m_details.images.at(i).Index;
                QVariantMap record = m_details.records.value(index).toMap();
                record.insert(QStringLiteral("DocPath"), paths.at(i));
                m_details.records[index] = record;
            }
            send();
        });
}

void securityLogDetailView::SaveJob::send() {
    auto &json = datatask::sharedInstance();
    const QMap<QString, QString> parameters{
        {QStringLiteral("SecurityIOLog"), json.toJSONText(QVariantList{m_header})},
        {QStringLiteral("SecurityIODetails"),
         m_details.records.isEmpty() ? QString() : json.toJSONText(m_details.records)},
    };
    securityLogDetailView *form = m_form;
    const bool print = m_print;
    m_task = fetchDATA::DataTask(
        form, DCdatabase + QStringLiteral("/SaveSecurityIOLog_NoImageData"), parameters,
        QStringLiteral("J"),
        [form, print](const QVariant &reply) {
            const auto answer = SecurityLogSave::readAnswer(reply);
            MainQueue::async(form, [form, answer, print] {
                form->m_save.reset(); // the chain is over; `this` is gone from here on
                if (!answer.saved) {
                    form->setSaving(false);
                    common::sharedInstance().showAlert(form, answer.title, answer.message);
                    return;
                }
                // Saving stays on until "ok": the log exists, a second Save would copy it.
                auto *alert = new AlertController(answer.title, answer.message);
                const QString id = answer.message;
                alert->addAction(
                    QStringLiteral("ok"), AlertAction::Style::Default,
                    [form, id, print](AlertController *) { form->finishSave(id, print); });
                common::sharedInstance().presentAlert(form, alert);
            });
        },
        {{QByteArrayLiteral("Idempotency-Key"), m_saveKey.toLatin1()}});
}

void securityLogDetailView::SaveJob::fail(const QString &title, const QString &message) {
    securityLogDetailView *form = m_form;
    MainQueue::async(form, [form, title, message] {
        form->m_save.reset();
        form->setSaving(false);
        common::sharedInstance().showAlert(form, title, message);
    });
}
