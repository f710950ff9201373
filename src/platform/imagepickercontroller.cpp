#include "imagepickercontroller.h"

#include "alertcontroller.h"
#include "mainqueue.h"
#include "navigationcontroller.h"
#include "offthread.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QStandardPaths>

namespace {

// Completes later on the main queue, and not at all once `context` is gone.
void completeLater(QObject *context, ImagePickerController::Completion completion) {
    if (!completion)
        return;
    MainQueue::async(context ? context : QCoreApplication::instance(),
                     [completion] { completion(QImage()); });
}

QImage readPicture(const QString &path) {
    QImageReader reader(path);
    reader.setAutoTransform(true); // upright, as the phone showed it
    return reader.read();
}

} // namespace

ImagePickerController::ImagePickerController(SourceType sourceType, std::unique_ptr<Camera> camera,
                                             QObject *parent)
    : ViewController(parent), m_sourceType(sourceType), m_camera(std::move(camera)) {
    setTitle(sourceType == SourceType::Camera ? QStringLiteral("Take Picture")
                                              : QStringLiteral("Camera Roll"));
    if (!m_camera)
        return;
    connect(m_camera.get(), &Camera::frameAvailable, this, [this](const QVideoFrame &frame) {
        if (m_sink)
            m_sink->setVideoFrame(frame);
    });
    connect(m_camera.get(), &Camera::stillCaptured, this,
            [this](const QImage &image) { finish(image); });
    connect(m_camera.get(), &Camera::errorOccurred, this,
            [this](const QString &message) { setState(false, message); });
}

ImagePickerController::~ImagePickerController() {
    // Closed from outside (its presenter went away first): a presenter still there is told.
    if (!m_finished && m_context)
        completeLater(m_context, std::move(m_completion));
}

ImagePickerController *ImagePickerController::present(ViewController *vc, SourceType sourceType,
                                                      Completion completion) {
    std::unique_ptr<Camera> camera;
    if (sourceType == SourceType::Camera) {
        camera = Camera::create();
        if (!camera) {
            auto *alert = new AlertController(noCameraTitle(), noCameraMessage());
            alert->addAction(QStringLiteral("OK"), AlertAction::Style::Default);
            if (!vc || !vc->present(alert, true))
                delete alert;
            completeLater(vc, std::move(completion));
            return nullptr;
        }
    }
    auto *picker = new ImagePickerController(sourceType, std::move(camera));
    auto *nav = new NavigationController(picker);
    if (!vc || !vc->present(nav, true)) {
        delete nav;
        completeLater(vc, std::move(completion));
        return nullptr;
    }
    picker->m_completion = std::move(completion);
    picker->m_context = vc;
    return picker;
}

QString ImagePickerController::sourceTypeName() const {
    return m_sourceType == SourceType::Camera ? QStringLiteral("camera")
                                              : QStringLiteral("photoLibrary");
}

void ImagePickerController::setVideoSink(QVideoSink *sink) {
    if (m_sink == sink)
        return;
    m_sink = sink;
    Q_EMIT videoSinkChanged();
}

QStringList ImagePickerController::nameFilters() const {
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        patterns.append(QStringLiteral("*.") + QString::fromLatin1(format));
    return {QStringLiteral("Pictures (%1)").arg(patterns.join(QLatin1Char(' ')))};
}

QUrl ImagePickerController::picturesFolder() const {
    return QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
}

void ImagePickerController::viewDidLoad() {
    setLeftBarButtonItem(BarButtonItem::titled(
        QStringLiteral("Cancel"), false, [this] { cancel(); }, this));
}

void ImagePickerController::viewWillAppear(bool) {
    if (m_camera && !m_finished)
        m_camera->start();
}

void ImagePickerController::viewDidDisappear(bool) {
    if (m_camera)
        m_camera->stop();
}

void ImagePickerController::takePicture() {
    if (!m_camera || m_busy || m_finished)
        return;
    setState(true, QString());
    m_camera->captureStill();
}

void ImagePickerController::choosePhoto(const QUrl &file) {
    if (m_busy || m_finished)
        return;
    setState(true, QString());
    // A phone photo is several megabytes: decoding it here would freeze the screen.
    OffThread::run(
        this, [path = file.toLocalFile()] { return readPicture(path); },
        [this](const QImage &image) {
            if (image.isNull())
                setState(false, tr("This picture cannot be opened. Choose another one."));
            else
                finish(image);
        });
}

void ImagePickerController::cancel() {
    finish(QImage());
}

void ImagePickerController::setState(bool busy, const QString &errorText) {
    m_busy = busy;
    m_errorText = errorText;
    Q_EMIT stateChanged();
}

void ImagePickerController::finish(const QImage &image) {
    if (m_finished)
        return;
    m_finished = true;
    setState(false, QString());
    if (m_camera)
        m_camera->stop();
    Completion completion = std::move(m_completion);
    const QPointer<QObject> context = m_context;
    // Closed first, so that the completion may present the next screen over the same one.
    if (presentingViewController())
        dismiss(true);
    if (completion && context)
        completion(image);
}
