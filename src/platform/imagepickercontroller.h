#pragma once

#include "camera.h"
#include "viewcontroller.h"

#include <functional>
#include <memory>
#include <QImage>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QVideoSink>

// The platform's photo picker: a live camera screen with a capture button ("Take Picture"), or
// the system's file dialog for pictures ("Camera Roll"). It is presented in a container of its
// own and hands back one picture.
class ImagePickerController : public ViewController {
    Q_OBJECT
    Q_PROPERTY(QString sourceType READ sourceTypeName CONSTANT)
    // The sink of the view's VideoOutput; the picker feeds it the camera's frames.
    Q_PROPERTY(QVideoSink *videoSink READ videoSink WRITE setVideoSink NOTIFY videoSinkChanged)
    Q_PROPERTY(bool busy READ isBusy NOTIFY stateChanged)
    Q_PROPERTY(QString errorText READ errorText NOTIFY stateChanged)
    Q_PROPERTY(QStringList nameFilters READ nameFilters CONSTANT)
    Q_PROPERTY(QUrl picturesFolder READ picturesFolder CONSTANT)
public:
    enum class SourceType { Camera, PhotoLibrary };
    // Runs once, on the main thread: with the picture, or with a null image when nothing was
    // picked (cancelled, no camera). Never runs once the presenting screen is gone.
    using Completion = std::function<void(const QImage &image)>;

    // `camera` is needed for the camera source only.
    ImagePickerController(SourceType sourceType, std::unique_ptr<Camera> camera,
                          QObject *parent = nullptr);
    ~ImagePickerController() override;

    // Presents a picker over `vc`. Without a camera (Camera::create() gives none) the "Take
    // Picture" source shows an alert instead, and the completion gets a null image; so it
    // does when `vc` cannot present. Returns the picker shown, or null.
    static ImagePickerController *present(ViewController *vc, SourceType sourceType,
                                          Completion completion);
    static QString noCameraTitle() { return QStringLiteral("Error"); }
    static QString noCameraMessage() { return QStringLiteral("No camera on this device"); }

    QString qmlView() const override {
        return QStringLiteral("qrc:/SecLog/platform/ImagePickerPage.qml");
    }

    SourceType sourceType() const { return m_sourceType; }
    QString sourceTypeName() const;
    Camera *camera() const { return m_camera.get(); }
    QVideoSink *videoSink() const { return m_sink; }
    void setVideoSink(QVideoSink *sink);
    bool isBusy() const { return m_busy; }
    QString errorText() const { return m_errorText; }
    QStringList nameFilters() const;
    QUrl picturesFolder() const;

    // The capture button.
    Q_INVOKABLE void takePicture();
    // The file dialog's choice; the file is read on a worker thread.
    Q_INVOKABLE void choosePhoto(const QUrl &file);
    // The Cancel button, and the file dialog closed without a choice.
    Q_INVOKABLE void cancel();

Q_SIGNALS:
    void videoSinkChanged();
    void stateChanged();

protected:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidDisappear(bool animated) override;

private:
    void setState(bool busy, const QString &errorText);
    void finish(const QImage &image);

    SourceType m_sourceType;
    std::unique_ptr<Camera> m_camera;
    QPointer<QVideoSink> m_sink;
    bool m_busy = false;
    QString m_errorText;
    Completion m_completion;
    QPointer<QObject> m_context;
    bool m_finished = false;
};
