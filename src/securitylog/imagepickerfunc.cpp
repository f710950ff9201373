#include "imagepickerfunc.h"

#include "alertcontroller.h"
#include "mainqueue.h"

ImagePickerFunc &ImagePickerFunc::shared() {
    static ImagePickerFunc instance;
    return instance;
}

AlertController *
ImagePickerFunc::sourceAlert(std::function<void(ImagePickerController::SourceType)> chosen) {
    auto *alert = new AlertController(sourceAlertTitle(), QString());
    alert->addAction(QStringLiteral("Take Picture"), AlertAction::Style::Default,
                     [chosen](AlertController *) {
                         if (chosen)
                             chosen(ImagePickerController::SourceType::Camera);
                     });
    alert->addAction(QStringLiteral("Camera Roll"), AlertAction::Style::Default,
                     [chosen](AlertController *) {
                         if (chosen)
                             chosen(ImagePickerController::SourceType::PhotoLibrary);
                     });
    alert->addAction(QStringLiteral("Cancel"), AlertAction::Style::Cancel);
    return alert;
}

void ImagePickerFunc::pick(ViewController *vc, Completion done) {
    completion = std::move(done);
    if (!vc)
        return;
    const QPointer<ViewController> presenter(vc);
    auto *alert = sourceAlert([this, presenter](ImagePickerController::SourceType source) {
        if (!presenter)
            return;
        picker = ImagePickerController::present(presenter, source,
                                                [this](const QImage &image) { picked(image); });
    });
    if (!vc->present(alert, true))
        delete alert;
}

void ImagePickerFunc::picked(const QImage &image) {
    // Cancelled, or no camera: the caller hears nothing.
    if (image.isNull())
        return;
    MainQueue::async(this, [this, image] {
        // Taken out first: a completion that starts another pick keeps the new one.
        Completion done = std::move(completion);
        completion = nullptr;
        if (done)
            done(image);
    });
}
