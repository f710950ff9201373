#include "qrcodereaderviewcontroller.h"

#include "access.h"
#include "alertcontroller.h"
#include "camera.h"
#include "common.h"
#include "commonclass.h"
#include "dcdetailviewcontroller.h"
#include "fetchdata.h"
#include "formcells.h"
#include "imageloading.h"
#include "mainqueue.h"
#include "navigationcontroller.h"
#include "previewmapping.h"
#include "qrscanworker.h"
#include "scancodes.h"
#include "scanneddocuments.h"
#include "secitemtblviewcell.h"
#include "sectionplacement.h"
#include "securitylogdetailview.h"
#include "securitylogtvc.h"
#include "systemsounds.h"

namespace {
const QString kAlert = QStringLiteral("Alert !");

// An id the server sent as text: a whole number, or nothing.
std::optional<int> wholeNumber(const Row &row, const QString &key) {
    bool ok = false;
    const int value = RowsReader::text(row, key).trimmed().toInt(&ok);
    return ok && row.contains(key) ? std::optional<int>(value) : std::nullopt;
}
} // namespace

qrCodeReaderViewController::qrCodeReaderViewController(QObject *parent) : ViewController(parent) {}

qrCodeReaderViewController::~qrCodeReaderViewController() {
    if (m_camera)
        m_camera->stop();
}

void qrCodeReaderViewController::viewDidLoad() {
    setTitle(QStringLiteral("Scan"));
    setBackgroundColor(Qt::black);
    scannedQRCode.AccessFrom =
        AccessFrom.isEmpty() ? QStringLiteral("DCScan") : QStringLiteral("SecDetailView_DCScan");
    m_camera = Camera::create();
    if (!m_camera) {
        common::sharedInstance().showAlert(
            this, QStringLiteral("Device Error"),
            QStringLiteral("Device not Supported for this Application"));
        return;
    }
    Q_EMIT cameraReadyChanged();
    // Frames go to the preview and to the decoder; the decoder never holds the camera back.
    m_worker = new QrScanWorker(this);
    connect(m_camera.get(), &Camera::frameAvailable, this, [this](const QVideoFrame &frame) {
        if (m_sink)
            m_sink->setVideoFrame(frame);
        m_worker->submit(frame);
    });
    connect(m_worker, &QrScanWorker::codeFound, this,
            [this](const QrCode &code) { metadataOutput(code); });
    connect(m_worker, &QrScanWorker::nothingFound, this, [this] { metadataOutput(std::nullopt); });
    m_camera->start();

    setBarTintColor(CommonClass::shared().rowSelColor);
    addButtonHint =
        ScanViewType == QLatin1String("BILL") ? QStringLiteral("BILLAdd") : QStringLiteral("DCAdd");
    setRightBarButtonItem(BarButtonItem::system(
        QStringLiteral("done"), [this] { SecurityLogDetail(); }, this));
    setLeftBarButtonItem(BarButtonItem::system(
        QStringLiteral("cancel"), [this] { QRCodeCancel(); }, this));
    // The Add button sits left of Done.
    setSecondaryRightBarButtonItem(BarButtonItem::system(
        QStringLiteral("add"), [this] { barAddAction(); }, this));
}

void qrCodeReaderViewController::viewWillAppear(bool) {
    if (m_camera && !m_camera->isActive())
        m_camera->start();
}

void qrCodeReaderViewController::viewWillDisappear(bool) {
    if (m_camera)
        m_camera->stop();
}

void qrCodeReaderViewController::setVideoSink(QVideoSink *sink) {
    if (m_sink == sink)
        return;
    m_sink = sink;
    Q_EMIT videoSinkChanged();
}

void qrCodeReaderViewController::setPreviewSize(const QSizeF &size) {
    if (m_previewSize == size)
        return;
    m_previewSize = size;
    Q_EMIT codeFrameChanged();
}

QRectF qrCodeReaderViewController::codeFrame() const {
    return m_code ? PreviewMapping::codeBounds(*m_code, m_previewSize) : QRectF();
}

QVariantMap qrCodeReaderViewController::strip() const {
    QVariantMap cell = secItemTBLViewCell::contents(scannedQRCode);
    cell.insert(QStringLiteral("owner"),
                QVariant::fromValue<QObject *>(const_cast<qrCodeReaderViewController *>(this)));
    return cell;
}

void qrCodeReaderViewController::itemTapped(int, int, int item) {
    // Only a DC has item lines to choose from; a hand-bit DC's tile opens nothing either.
    const bool isDC =
        item >= 0 && item < scannedQRCode.DATA.size() && scannedQRCode.DATA.at(item)->DCDId >= 1;
    if (!isDC || !secItemTBLViewCell::opensDCDetail(scannedQRCode, item))
        return;
    const ItemRow scan = scannedQRCode.DATA.at(item);
    MainQueue::async(this, [this, scan, item] {
        NavigationController *stack = navigationController();
        if (!stack || stack->topViewController() != this)
            return;
        auto *detail = new DCDetailViewController();
        const QVariantMap document = scan->QRScanDCDetails;
        detail->AccessFrom = scannedQRCode.AccessFrom;
        detail->DCId = scan->DCDId;
        detail->DCdata = document;
        detail->indexSecDetailView = item;
        detail->viewType = QStringLiteral("Sec_PDC");
        if (RowsReader::text(document, QStringLiteral("IsOutDC")) == QLatin1String("OutDCYes"))
            detail->IsOutSideDCReturn = QStringLiteral("Yes");
        detail->OutSideDCInsertedItems = scan->SelecedItems;
        detail->headercell->fill(
            document, DCDetailParentCellTableViewCell::PictureOrder::ChallanGoodsVehicle);
        stack->pushViewController(detail, true);
    });
}

void qrCodeReaderViewController::itemDoubleTapped(int, int, int item) {
    const auto question = secItemTBLViewCell::deleteQuestion(scannedQRCode, item);
    if (!question)
        return;
    auto *alert = new AlertController(secItemTBLViewCell::deleteAlertTitle(), *question);
    const ItemRow target = scannedQRCode.DATA.at(item);
    alert->addAction(secItemTBLViewCell::yesTitle(), AlertAction::Style::Default,
                     [this, target](AlertController *) {
                         const int index = int(scannedQRCode.DATA.indexOf(target));
                         if (index < 0)
                             return;
                         secItemTBLViewCell::removeItem(scannedQRCode, index);
                         Q_EMIT stripChanged();
                     });
    alert->addAction(secItemTBLViewCell::noTitle(), AlertAction::Style::Cancel);
    common::sharedInstance().presentAlert(common::sharedInstance().topViewController(), alert);
}

// ---- codes

void qrCodeReaderViewController::metadataOutput(const std::optional<QrCode> &code) {
    m_code = code;
    Q_EMIT codeFrameChanged();
    if (code && !code->text.isEmpty())
        MainQueue::async(this, [this, text = code->text] { classify(text); });
}

void qrCodeReaderViewController::classify(const QString &code) {
    QStringList inStrip;
    for (const ItemRow &row : std::as_const(scannedQRCode.DATA))
        inStrip.append(row->titleText);
    switch (ScanCodes::classify(code, ScanViewType == QLatin1String("BILL"), LastScannedDCCode,
                                inStrip)) {
    case ScanCodes::Kind::Ignored:
        return;
    case ScanCodes::Kind::Bill:
        return lookupBill(code);
    case ScanCodes::Kind::GodownTransfer:
        LastScannedDCCode = code;
        return lookupGodownTransfer(code);
    case ScanCodes::Kind::HandBit:
        LastScannedDCCode = code;
        return lookupHandBit(code);
    case ScanCodes::Kind::DC:
        LastScannedDCCode = code;
        return lookupDC(code);
    }
}

void qrCodeReaderViewController::barAddAction() {
    MainQueue::async(this, [this] {
        const bool bill = addButtonHint != QLatin1String("DCAdd");
        common::sharedInstance().showTextEntryAlert(
            this, bill ? QStringLiteral("Enter Bill Code") : QStringLiteral("Enter Code"),
            QString(), [this, bill](const QString &text) {
                if (bill)
                    classify(QStringLiteral("BILL") + text);
                else if (!text.isEmpty())
                    classify(text);
            });
    });
}

void qrCodeReaderViewController::QRCodeCancel() {
    MainQueue::async(this, [this] { dismiss(true); });
}

void qrCodeReaderViewController::dismissVC() {
    QRCodeCancel();
}

// ---- lookups

void qrCodeReaderViewController::send(const QString &spName, const QVariantMap &data,
                                      std::function<void(const std::optional<Rows> &)> done,
                                      QObject *context) {
    const QVariantMap parameters{{QStringLiteral("SPName"), spName},
                                 {QStringLiteral("JSONData"), data},
                                 {QStringLiteral("withStrings"), true}};
    QObject *owner = context ? context : this;
    fetchDATA::nodefetchD(
        parameters,
        [owner, done](const QVariant &reply) {
            const auto rows = RowsReader::listOfRows(reply);
            MainQueue::async(owner, [done, rows] { done(rows); });
        },
        owner);
}

void qrCodeReaderViewController::reject() {
    SystemSounds::shared().playSystemSound(SystemSounds::rejection);
}

void qrCodeReaderViewController::lookupDC(const QString &code) {
    send(QStringLiteral("Usp_CommonService"),
         {{QStringLiteral("SP_Type"), QStringLiteral("Sec_DCViewByQRScan")},
          {QStringLiteral("BranchCode"), master.BranchCode},
          {QStringLiteral("ID"), master.Users_id},
          {QStringLiteral("LikeStr"), code}},
         [this, code](const std::optional<Rows> &rows) {
             if (!rows || rows->isEmpty())
                 return reject();
             const Row &r = rows->first();
             const QString division = master.DivisionName;
             const QString direction = RowsReader::text(r, QStringLiteral("IsOutDC"));
             const bool fromHere = r.contains(QStringLiteral("FDiv")) &&
                                   RowsReader::text(r, QStringLiteral("FDiv")) == division;
             const bool toHere = r.contains(QStringLiteral("TDiv")) &&
                                 RowsReader::text(r, QStringLiteral("TDiv")) == division;
             const bool accepted = (fromHere && direction == QLatin1String("No")) ||
                                   (fromHere && direction == QLatin1String("OutDCYes")) ||
                                   (toHere && direction == QLatin1String("Yes"));
             const auto id = wholeNumber(r, QStringLiteral("DC_id"));
             if (!accepted || !id)
                 return reject();
             addScanRow(code, r, RowsReader::text(r, QStringLiteral("ImagePath3")), Kind::DC, *id);
         });
}

void qrCodeReaderViewController::lookupGodownTransfer(const QString &code) {
    send(QStringLiteral("USP_tblTProdGodownTransfer"),
         {{QStringLiteral("GodownTransferCode"), code},
          {QStringLiteral("ReqType"), QStringLiteral("SECURITY_SELECT")},
          {QStringLiteral("CreatedBy"), master.Users_id}},
         [this, code](const std::optional<Rows> &rows) {
             if (!rows || rows->isEmpty())
                 return reject();
             const Row &r = rows->first();
             const QString division = master.Division_id;
             const QString direction = RowsReader::text(r, QStringLiteral("IsOutDC"));
             const bool accepted =
                 (r.contains(QStringLiteral("FromDivision_id")) &&
                  RowsReader::text(r, QStringLiteral("FromDivision_id")) == division &&
                  direction == QLatin1String("No")) ||
                 (r.contains(QStringLiteral("ToDivision_id")) &&
                  RowsReader::text(r, QStringLiteral("ToDivision_id")) == division &&
                  direction == QLatin1String("Yes"));
             const auto id = wholeNumber(r, QStringLiteral("GodownTransfer_id"));
             if (!accepted || !id)
                 return reject();
             addScanRow(code, r, RowsReader::text(r, QStringLiteral("TackenImagePath")),
                        Kind::GodownTransfer, *id);
         });
}

void qrCodeReaderViewController::lookupHandBit(const QString &code) {
    send(QStringLiteral("USP_OBHandBitYarnCalculation"),
         {{QStringLiteral("DCCode"), code},
          {QStringLiteral("ReqType"), QStringLiteral("HBDC_SELECT")}},
         [this](const std::optional<Rows> &rows) {
             // An answer that is no list of documents is dropped without a sound.
             if (!rows || rows->isEmpty())
                 return;
             const Row &r = rows->first();
             const QString dcCode = RowsReader::text(r, QStringLiteral("DCCode"));
             const auto id = wholeNumber(r, QStringLiteral("HB_id"));
             if (dcCode.isEmpty() || !id)
                 return reject();
             addScanRow(dcCode, r, QString(), Kind::HandBit, *id,
                        common::colorFromCode(RowsReader::text(r, QStringLiteral("ColorCode"))));
         });
}

void qrCodeReaderViewController::addScanRow(const QString &title, const Row &record,
                                            const QString &imagePath, Kind kind, int id,
                                            const std::optional<QColor> &swatch) {
    ItemRow row = makeItemRow();
    row->titleText = title;
    row->QRScanDCDetails = record;
    row->imageUrl = KingfisherWrapper::convertToSource(imagePath);
    if (swatch) {
        // A white swatch gets a grey border so it stays visible on the light strip.
        QImage colour(8, 8, QImage::Format_ARGB32);
        colour.fill(*swatch);
        row->image = colour;
        row->swatchBorder = *swatch == QColor(Qt::white) ? 1 : 0;
    }
    row->DCDId = kind == Kind::DC ? id : 0;
    row->GT_id = kind == Kind::GodownTransfer ? id : 0;
    row->HB_id = kind == Kind::HandBit ? id : 0;
    scannedQRCode.DATA.append(row);
    scannedQRCode.PartyDetails.clear();
    for (auto it = record.cbegin(); it != record.cend(); ++it)
        scannedQRCode.PartyDetails.insert(it.key(), it.value().toString());
    scannedQRCode.QRCodeDC_Deatils.append(record);
    MainQueue::async(this, [this] {
        Q_EMIT stripChanged();
        LastScannedDCCode.clear();
    });
    SystemSounds::shared().playAlertSound(SystemSounds::acceptance);
}

// ---- bills

void qrCodeReaderViewController::lookupBill(const QString &code) {
    // A signed QR code is long: past 800 characters it travels under its own key.
    const QString key =
        code.size() <= 800 ? QStringLiteral("BillCode") : QStringLiteral("SignedQRCode");
    send(QStringLiteral("USP_tblTProdBillSelect"),
         {{QStringLiteral("reqType"), QStringLiteral("BILL_SELECT")},
          {key, code},
          {QStringLiteral("CreatedBy"), master.Users_id}},
         [this](const std::optional<Rows> &rows) {
             if (!rows || rows->isEmpty())
                 return;
             const Row r = rows->first();
             MainQueue::async(this, [this, r] {
                 common::sharedInstance().showAlert(
                     this, RowsReader::text(r, QStringLiteral("BillCode")), billMessage(r));
             });
         });
}

QString qrCodeReaderViewController::billMessage(const Row &bill) {
    auto text = [&bill](const char *key) { return RowsReader::text(bill, QLatin1String(key)); };
    auto line = [&text](const char *key) {
        const QString value = text(key);
        return QLatin1String(key) + QStringLiteral(" - ") +
               (value.isEmpty() ? QStringLiteral("NIL") : value) + QLatin1Char('\n');
    };
    QString m;
    if (bill.contains(QStringLiteral("DeliveryBranch")))
        m += text("DeliveryBranch") + QStringLiteral("\n\n");
    m += line("VehicleNo") + line("DriverName") + line("LRNo");
    if (!text("BillStatus").isEmpty())
        m += QStringLiteral("BillStatus - ") + text("BillStatus") + QStringLiteral("\n\n");
    if (bill.contains(QStringLiteral("IsDespatched")) && bill.contains(QStringLiteral("Status"))) {
        const bool gone = text("IsDespatched") != QLatin1String("N") &&
                          text("Status") == QLatin1String("Approved");
        m += QStringLiteral("Despatch - ") + text("IsDespatched") +
             (gone ? QStringLiteral(" \u2705") : QStringLiteral(" \u274C"));
    }
    return m;
}

// ---- Done

bool qrCodeReaderViewController::checkDirection(segmentCell *segment) {
    int in = 0, out = 0;
    for (const ItemRow &row : std::as_const(scannedQRCode.DATA)) {
        const QString direction = row->QRScanDCDetails.value(QStringLiteral("IsOutDC")).toString();
        if (direction == QLatin1String("Yes") || direction == QLatin1String("OutDCYes"))
            ++in;
        else if (direction == QLatin1String("No"))
            ++out;
    }
    auto refuse = [this](const QString &message) {
        common::sharedInstance().showAlert(this, kAlert, message);
        return false;
    };
    if (AccessFrom == QLatin1String("IN") && out > 0)
        return refuse(
            QStringLiteral("You Are Selected OUT Section DC, Please Select IN Section DC Only"));
    if (AccessFrom == QLatin1String("OUT") && in > 0)
        return refuse(
            QStringLiteral("You Are Selected IN Section DC, Please Select OUT Section DC Only"));
    if (in == 0 && out == 0)
        return refuse(QStringLiteral("Please Scan QR Code"));
    if (in > 0 && out > 0)
        return refuse(QStringLiteral("You Are Scanned Both IN And OUT Section DC"));
    if (segment) {
        segment->setSelectedSegmentIndex(in > 0 ? 0 : 1);
        segment->setEnabled(false);
    }
    return true;
}

void qrCodeReaderViewController::SecurityLogDetail() {
    if (AccessFrom.isEmpty())
        newSecurityLog();
    else
        addToSection();
}

NavigationController *qrCodeReaderViewController::logListStack() const {
    // Up the presenting chain to the stack whose root is the log list (the menu, when the
    // scanner was pushed there, is itself presented over it).
    for (ViewController *vc = presentingViewController(); vc; vc = vc->presentingViewController()) {
        auto *stack = qobject_cast<NavigationController *>(vc);
        if (!stack)
            stack = vc->navigationController();
        if (stack && stack->viewControllerAt<securityLogTVC>(0))
            return stack;
        if (!stack)
            break;
        vc = stack;
    }
    return nullptr;
}

void qrCodeReaderViewController::newSecurityLog() {
    NavigationController *stack = logListStack();
    if (!stack)
        return;
    // The new form waits under the scanner, also when the scans cannot go into it.
    auto *form = new securityLogDetailView();
    stack->pushViewController(form, false);
    if (!checkDirection(form->celllabelSegmentCell))
        return;
    const Row first = scannedQRCode.DATA.first()->QRScanDCDetails;
    auto text = [&first](const char *key) { return RowsReader::text(first, QLatin1String(key)); };
    if (first.contains(QStringLiteral("IssToEmp")))
        form->cellMeetTo->setText(text("IssToEmp"));
    else if (first.contains(QStringLiteral("AcceptBy")))
        form->cellMeetTo->setText(text("AcceptBy"));
    form->setTitle(QStringLiteral("New Security Log"));
    if (first.contains(QStringLiteral("TakenByName")))
        form->header->setName(text("TakenByName"));
    else if (first.contains(QStringLiteral("TackenBy")))
        form->header->setName(text("TackenBy"));
    if (!scannedQRCode.DATA.first()->image.isNull())
        form->header->setPhoto(scannedQRCode.DATA.first()->image);
    fillPerson(form, first);
    placeScans(form, true);
}

void qrCodeReaderViewController::fillPerson(securityLogDetailView *form, const Row &record) {
    auto text = [&record](const char *key) { return RowsReader::text(record, QLatin1String(key)); };
    QString searchBy, searchText;
    if (!text("TakenEmp_id").isEmpty())
        searchBy = QStringLiteral("MobileIOSByQRCode"), searchText = text("TakenEmp_id");
    else if (!text("TackenBy_id").isEmpty())
        searchBy = QStringLiteral("MobileIOSByQRCode"), searchText = text("TackenBy_id");
    else if (!text("HBMobileNo").isEmpty())
        searchBy = QStringLiteral("MobileIOS"), searchText = text("HBMobileNo");
    else
        return;
    QPointer<securityLogDetailView> target = form;
    send(
        QStringLiteral("USP_GetSecurityLogBySearchText"),
        {{QStringLiteral("SearchBy"), searchBy},
         {QStringLiteral("SearchText"), searchText},
         {QStringLiteral("BranchCode"), master.BranchCode}},
        [target](const std::optional<Rows> &rows) {
            if (!target || !rows || rows->isEmpty())
                return;
            const Row p = rows->first();
            auto value = [&p](const char *key) { return RowsReader::text(p, QLatin1String(key)); };
            target->celllabelSegmentCell->setItems({QStringLiteral("IN"), QStringLiteral("OUT")});
            target->cellVehile->setText(value("IOVehicle"));
            target->cellEntryType->setText(value("IOType"));
            target->cellEntryType->identifier = value("IOType_id");
            target->cellEntryType->valueIdentifier = value("IOType_id");
            target->cellPurpose->setText(value("Purpose"));
            target->cellTockenNo->setText(value("TokenNo"));
            PersonDetailsView *header = target->header;
            const bool visitor = p.contains(QStringLiteral("IOMobile"));
            header->setName(visitor ? value("IOPerson") : value("EmpName"));
            header->setMobileNo(visitor ? value("IOMobile") : value("Mobile"));
            header->setAddress(visitor ? value("IOAdd1") : value("TStreet"));
            header->setDesignation(visitor ? value("IODesignation") : value("Designation"));
            header->setImagePath(value("IOImgPath"));
            target->reloadData();
        },
        form); // the new log's, not the scanner's: the scanner may close before the answer
}

void qrCodeReaderViewController::addToSection() {
    securityLogDetailView *form = SectionPlacement::logFormBelow(this);
    if (!form || !checkDirection(form->celllabelSegmentCell) || scannedQRCode.DATA.isEmpty())
        return;
    placeScans(form, false);
}

void qrCodeReaderViewController::placeScans(securityLogDetailView *form, bool newLog) {
    m_processed = 0;
    m_placed = 0;
    m_unloaded.clear();
    // The run ends once every scan was taken up and placed: an entry placed at once must not
    // close the scanner while the items of the next are still on their way.
    m_passing = true;
    QPointer<securityLogDetailView> target = form;
    const QList<ItemRow> scans = scannedQRCode.DATA;
    for (const ItemRow &scan : scans) {
        ++m_processed;
        const Row record = scan->QRScanDCDetails;
        // A godown transfer or hand-bit DC added to a section is placed as the document it is.
        SectionEntry entry = ScannedDocuments::entryFor(record, newLog);
        const auto kind = ScannedDocuments::kindOf(record);
        bool whole = false;
        const int itemCount = RowsReader::text(record, QStringLiteral("ItemCount")).toInt(&whole);
        const bool chosen = !scan->SelecedItems.isEmpty() && (newLog || (whole && itemCount >= 1));
        if (chosen) {
            entry.DATA = scan->SelecedItems;
            placeEntry(form, scan, entry, newLog, ScanItemSource::Chosen);
            continue;
        }
        QString spName;
        QVariantMap data;
        ScanItemSource source = ScanItemSource::DC;
        if (kind == ScannedDocuments::Kind::HandBit) {
            spName = QStringLiteral("USP_OBHandBitYarnCalculation");
            data = {{QStringLiteral("ReqType"), QStringLiteral("HBDC_DETSELECT")},
                    {QStringLiteral("DCCode"), QString::number(entry.HB_id)}};
            source = ScanItemSource::HandBit;
        } else if (kind == ScannedDocuments::Kind::GodownTransfer) {
            spName = QStringLiteral("USP_tblTProdGodownTransfer");
            data = {{QStringLiteral("ReqType"), QStringLiteral("GTDETAILBYSECURITY_SELECT")},
                    {QStringLiteral("GodownTransfer_id"), QString::number(entry.GT_id)}};
            source = ScanItemSource::GodownTransfer;
        } else if (newLog) {
            spName = QStringLiteral("Usp_CommonService");
            data = {{QStringLiteral("SP_Type"), QStringLiteral("Sel_DCD")},
                    {QStringLiteral("ID"), QString::number(entry.DC_id)}};
        } else {
            spName = QStringLiteral("Usp_CommonService");
            data = {{QStringLiteral("spType"), QStringLiteral("Sel_DCD")},
                    {QStringLiteral("branchCode"), master.BranchCode},
                    {QStringLiteral("id"), QString::number(entry.DC_id)}};
        }
        send(spName, data,
             [this, target, scan, entry, newLog, source,
              record](const std::optional<Rows> &rows) mutable {
                 if (!target)
                     return;
                 if (!rows) {
                     // Said when the run ends: the scan stays in the strip for another Done.
                     m_unloaded.append(scan->titleText);
                     finishPlacing(target);
                     return;
                 }
                 if (source == ScanItemSource::HandBit)
                     entry.DATA = ScannedDocuments::handBitRows(*rows);
                 else if (source == ScanItemSource::GodownTransfer) {
                     entry.DATA = ScannedDocuments::godownTransferRows(*rows, record);
                     entry.GodownTransferDeatils = record;
                 } else
                     entry.DATA = ScannedDocuments::positiveBalanceRows(*rows);
                 placeEntry(target, scan, entry, newLog, source);
             });
    }
    m_passing = false;
    --m_placed; // counted again by the check below
    finishPlacing(form);
}

void qrCodeReaderViewController::placeEntry(securityLogDetailView *form, const ItemRow &scan,
                                            SectionEntry entry, bool newLog,
                                            ScanItemSource source) {
    const QString direction = scan->QRScanDCDetails.value(QStringLiteral("IsOutDC")).toString();
    std::optional<bool> intoIn; // nothing: not placed
    if (!newLog) {
        intoIn = AccessFrom == QLatin1String("IN");
        entry.IsOutSideDCReturn = direction == QLatin1String("OutDCYes");
    } else if (direction == QLatin1String("No")) {
        intoIn = false;
    } else if (direction == QLatin1String("Yes")) {
        intoIn = true;
        entry.IsOutSideDCReturn = source == ScanItemSource::HandBit;
    } else if (direction == QLatin1String("OutDCYes") &&
               (source == ScanItemSource::Chosen || source == ScanItemSource::DC)) {
        intoIn = true;
        entry.IsOutSideDCReturn = true;
    }
    if (intoIn) {
        (*intoIn ? form->PartyINSectionCollView : form->PartyOUTSectionCollView).append(entry);
        // Placed: a second Done after a failure does not place it again.
        scannedQRCode.DATA.removeOne(scan);
        Q_EMIT stripChanged();
    }
    finishPlacing(form);
}

void qrCodeReaderViewController::finishPlacing(securityLogDetailView *form) {
    ++m_placed;
    if (m_passing || m_placed != m_processed)
        return;
    QPointer<securityLogDetailView> target = form;
    if (!m_unloaded.isEmpty()) {
        common::sharedInstance().showAlert(
            this, kAlert,
            QStringLiteral("The items of %1 could not be loaded, press Done to try again")
                .arg(m_unloaded.join(QStringLiteral(", "))));
        if (target)
            target->reloadData();
        return;
    }
    MainQueue::async(this, [this, target] {
        dismiss(true);
        if (target)
            target->reloadData();
    });
}
