#pragma once

#include "qrdecoder.h"
#include "rows.h"
#include "sectionentry.h"
#include "viewcontroller.h"

#include <memory>
#include <QPointer>
#include <QRectF>
#include <QStringList>
#include <QVariantMap>
#include <QVideoSink>

class Camera;
class NavigationController;
class QrScanWorker;
class securityLogDetailView;
class segmentCell;

enum class ScanItemSource { Chosen, DC, HandBit, GodownTransfer };

// The scanner: the camera with the code in view framed, codes typed by hand, each code
// classified and looked up, the accepted documents gathered in a strip; in bill mode each
// bill's dispatch summary is shown instead.
class qrCodeReaderViewController : public ViewController {
    Q_OBJECT
    Q_PROPERTY(QVideoSink *videoSink READ videoSink WRITE setVideoSink NOTIFY videoSinkChanged)
    Q_PROPERTY(QSizeF previewSize READ previewSize WRITE setPreviewSize NOTIFY codeFrameChanged)
    Q_PROPERTY(QRectF codeFrame READ codeFrame NOTIFY codeFrameChanged)
    Q_PROPERTY(bool cameraReady READ cameraReady NOTIFY cameraReadyChanged)
    Q_PROPERTY(QVariantMap strip READ strip NOTIFY stripChanged)
public:
    explicit qrCodeReaderViewController(QObject *parent = nullptr);
    ~qrCodeReaderViewController() override;

    QString qmlView() const override {
        return QStringLiteral("qrc:/SecLog/scan/QRCodeReaderPage.qml");
    }

    // Actions of the bar buttons and the back button.
    void barAddAction();
    void SecurityLogDetail();
    void QRCodeCancel();
    Q_INVOKABLE void dismissVC();

    // A code read by the camera or typed: which document it names, then its lookup.
    void classify(const QString &code);
    // What the camera reported for one frame: a code, or none (the frame goes).
    void metadataOutput(const std::optional<QrCode> &code);

    // The IN/OUT check of Done: turns `segment` (the target form's IN/OUT switch) to the
    // direction of the scans and fixes it, or says why the scans cannot go; false then.
    bool checkDirection(segmentCell *segment);

    // Done, opened from the menu or the log list: a new log from the scans.
    void newSecurityLog();
    // Done, opened from a section of a log: the scans join that section.
    void addToSection();
    // The stack that shows the log list, where a new log goes.
    NavigationController *logListStack() const;

    // The four lookups.
    void lookupDC(const QString &code);
    void lookupGodownTransfer(const QString &code);
    void lookupHandBit(const QString &code);
    void lookupBill(const QString &code);
    // A bill's dispatch summary as the alert shows it.
    static QString billMessage(const Row &bill);

    QVideoSink *videoSink() const { return m_sink; }
    void setVideoSink(QVideoSink *sink);
    QSizeF previewSize() const { return m_previewSize; }
    void setPreviewSize(const QSizeF &size);
    QRectF codeFrame() const;
    bool cameraReady() const { return m_camera != nullptr; }
    QVariantMap strip() const;
    // The strip's tiles: one tap opens a DC's detail to choose its items, two remove the scan.
    Q_INVOKABLE void itemTapped(int section, int row, int item);
    Q_INVOKABLE void itemDoubleTapped(int section, int row, int item);
    // Redraws the strip after a scan's record changed (its item count).
    void refreshStrip() { Q_EMIT stripChanged(); }

    SectionEntry scannedQRCode;
    QString LastScannedDCCode;
    QString AccessFrom;
    QString ScanViewType;
    // The Add button's hint: "BILLAdd" in bill mode, else "DCAdd".
    QString addButtonHint;

Q_SIGNALS:
    void videoSinkChanged();
    void codeFrameChanged();
    void cameraReadyChanged();
    void stripChanged();

protected:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

private:
    enum class Kind { DC, GodownTransfer, HandBit };
    // The lookup's answer as rows, on the main queue, while `context` (the scanner by default)
    // is alive.
    void send(const QString &spName, const QVariantMap &data,
              std::function<void(const std::optional<Rows> &)> done, QObject *context = nullptr);
    void addScanRow(const QString &title, const Row &record, const QString &imagePath, Kind kind,
                    int id, const std::optional<QColor> &swatch = std::nullopt);
    void reject();
    // One Done run: each scan row's entry, placed once its items are known.
    void placeScans(securityLogDetailView *form, bool newLog);
    void placeEntry(securityLogDetailView *form, const ItemRow &scan, SectionEntry entry,
                    bool newLog, ScanItemSource source);
    void finishPlacing(securityLogDetailView *form);
    void fillPerson(securityLogDetailView *form, const Row &record);

    std::unique_ptr<Camera> m_camera;
    QrScanWorker *m_worker = nullptr;
    QPointer<QVideoSink> m_sink;
    QSizeF m_previewSize;
    std::optional<QrCode> m_code;
    // The counts of the Done run going on.
    int m_processed = 0;
    int m_placed = 0;
    bool m_passing = false;
    QStringList m_unloaded;
};
