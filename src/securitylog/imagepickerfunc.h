#pragma once

#include "imagepickercontroller.h"

#include <functional>
#include <QImage>
#include <QObject>
#include <QPointer>

class AlertController;
class ViewController;

// The shared photo pick: asks where the picture comes from, shows the platform picker and hands
// the picture to the caller. Item and bill photos use it; so does the person's photo row.
class ImagePickerFunc : public QObject {
    Q_OBJECT
public:
    using Completion = std::function<void(const QImage &image)>;

    static ImagePickerFunc &shared();

    // Asks over `vc`, then picks. `completion` runs once, on the main queue, with the picture;
    // not at all when the guard cancels or nothing can be shown. A new pick replaces the
    // completion of one still waiting.
    void pick(ViewController *vc, Completion completion);

    // The source question: "Take Picture" and "Camera Roll" call `chosen` with their source,
    // "Cancel" only closes it. Returned unshown.
    static AlertController *
    sourceAlert(std::function<void(ImagePickerController::SourceType)> chosen);
    static QString sourceAlertTitle() {
        return QStringLiteral("Where do you want to pick your image from ?");
    }

    // The picker shown last (null once it closed).
    QPointer<ImagePickerController> picker;
    Completion completion;

private:
    ImagePickerFunc() = default;
    void picked(const QImage &image);
};
