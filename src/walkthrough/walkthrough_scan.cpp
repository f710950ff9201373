// The walkthrough's scanning: a demo DC's printed code held before the camera, its lines chosen in
// the DC detail, Done opening a new log with the DC in its OUT section, the log saved; then a
// bill checked by its number.

#include "walkthrough.h"

#include "alertcontroller.h"
#include "common.h"
#include "dcdetailviewcontroller.h"
#include "qrcodereaderviewcontroller.h"
#include "qrscenes.h"
#include "securitylogdetailview.h"
#include "securitylogtvc.h"

#include <QDir>
#include <QFileInfo>

namespace {
template <typename T> T *shown() {
    auto *vc = qobject_cast<T *>(common::sharedInstance().topViewController());
    return vc && vc->isViewLoaded() ? vc : nullptr;
}

AlertController *alertTitled(const QString &title) {
    auto *alert = qobject_cast<AlertController *>(common::sharedInstance().topViewController());
    return alert && alert->title() == title ? alert : nullptr;
}

// The demo's DC leaving Spinning, the walkthrough guard's division, and one of its bills.
const QString kDC = QStringLiteral("DC/SPN/26-27/0142");
const QString kBill = QStringLiteral("INV/26-27/0456");

void openFromMore(const QString &action) {
    shown<securityLogTVC>()->rightBarButtonItem()->trigger(); // "More"
    if (auto *sheet = alertTitled(QStringLiteral("More")))
        sheet->tap(action);
}
} // namespace

void Walkthrough::addScanSteps() {
    // The printed code, in a camera folder of its own beside the screenshots.
    const QString codes =
        QFileInfo(m_folder).absoluteDir().filePath(QStringLiteral("walkthrough-codes"));
    auto cameraFolder = std::make_shared<QByteArray>();
    auto scanner = [] { return shown<qrCodeReaderViewController>(); };
    auto form = [] { return shown<securityLogDetailView>(); };
    m_steps.append({
        {QStringLiteral("dc-scanned"),
         [this, codes, cameraFolder] {
             if (!QDir().mkpath(codes) ||
                 !QrScenes::scene(kDC, 6, 8, 30, 225).save(codes + QStringLiteral("/dc.png")))
                 return fail(QStringLiteral("cannot write the DC's code into ") + codes);
             *cameraFolder = qgetenv("SECLOG_CAMERA_FOLDER");
             qputenv("SECLOG_CAMERA_FOLDER", QFile::encodeName(codes));
             openFromMore(QStringLiteral("Scan DC & Others"));
         },
         [scanner] { return scanner() && scanner()->scannedQRCode.DATA.size() == 1; }, 300},
        // The DC's lines, all of them chosen to go out.
        {QStringLiteral("dc-strip-detail"), [scanner] { scanner()->itemTapped(0, 0, 0); },
         [] {
             auto *detail = shown<DCDetailViewController>();
             return detail && !detail->itemsCells.isEmpty();
         },
         800},
        {QStringLiteral("dc-strip-chosen"),
         [] { shown<DCDetailViewController>()->btnDCScanDone(); },
         [scanner] {
             if (!scanner())
                 return false;
             const ItemRow scan = scanner()->scannedQRCode.DATA.first();
             return !scan->SelecedItems.isEmpty() &&
                    scan->QRScanDCDetails.value(QStringLiteral("ItemCount")).toString() ==
                        QString::number(scan->SelecedItems.size());
         },
         300},
        {QStringLiteral("dc-new-log"),
         [scanner, cameraFolder] {
             qputenv("SECLOG_CAMERA_FOLDER", *cameraFolder);
             scanner()->SecurityLogDetail(); // Done
         },
         [form] {
             return form() && form()->PartyOUTSectionCollView.size() == 1 &&
                    !form()->PartyOUTSectionCollView.first().DATA.isEmpty() &&
                    !form()->header->mobileNo().isEmpty(); // the carrier's last log is in
         },
         800},
        {QStringLiteral("dc-log-save-sheet"),
         [form] {
             securityLogDetailView *log = form();
             if (log->entryTypeId().isEmpty()) {
                 log->cellEntryType->setText(QStringLiteral("Driver"));
                 log->cellEntryType->identifier = QStringLiteral("3");
             }
             if (log->cellMeetTo->text().isEmpty())
                 log->cellMeetTo->setText(QStringLiteral("Stores"));
             // A carrier the gate has never logged comes without a mobile number.
             if (log->header->mobileNo().isEmpty())
                 log->header->setMobileNo(QStringLiteral("98430 55110"));
             log->SaveSecurityLog();
         },
         [] { return alertTitled(QStringLiteral("More")) != nullptr; }},
        {QStringLiteral("dc-log-saved"),
         [] { shown<AlertController>()->tap(QStringLiteral("Save")); },
         [] { return alertTitled(QStringLiteral("Alert")) != nullptr; }},
        {QStringLiteral("bill-code"),
         [] {
             qobject_cast<AlertController *>(common::sharedInstance().topViewController())
                 ->tap(QStringLiteral("ok"));
         },
         [] { return shown<securityLogTVC>() != nullptr; }},
        {QStringLiteral("bill-scanner"), [] { openFromMore(QStringLiteral("Scan Bill")); },
         [scanner] { return scanner() && scanner()->ScanViewType == QLatin1String("BILL"); }},
        {QStringLiteral("bill-number"), [scanner] { scanner()->barAddAction(); },
         [] { return alertTitled(QStringLiteral("Enter Bill Code")) != nullptr; }},
        {QStringLiteral("bill-summary"),
         [] {
             AlertController *entry = alertTitled(QStringLiteral("Enter Bill Code"));
             entry->setTextFieldText(0, kBill);
             entry->tap(QStringLiteral("Ok"));
         },
         [] {
             auto *alert =
                 qobject_cast<AlertController *>(common::sharedInstance().topViewController());
             return alert && alert->message().contains(QStringLiteral("VehicleNo - "));
         }},
        {QStringLiteral("bill-scanner-closed"),
         [] {
             qobject_cast<AlertController *>(common::sharedInstance().topViewController())
                 ->tapAction(0);
             if (auto *bills = shown<qrCodeReaderViewController>())
                 bills->QRCodeCancel();
         },
         [] { return shown<securityLogTVC>() != nullptr; }},
    });
}
