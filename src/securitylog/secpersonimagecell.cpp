#include "secpersonimagecell.h"

#include "alertcontroller.h"
#include "commonclass.h"
#include "imageloading.h"
#include "imagepickerfunc.h"
#include "localimages.h"
#include "navigationcontroller.h"
#include "securityaddnewperson.h"
#include "window.h"

namespace {

NavigationController *rootStack() {
    Window *window = Window::keyWindow();
    return window ? qobject_cast<NavigationController *>(window->rootViewController()) : nullptr;
}

// Over what the root stack presents, else over its top screen.
ViewController *presentationTarget() {
    NavigationController *nav = rootStack();
    if (!nav)
        return nullptr;
    if (ViewController *presented = nav->presentedViewController())
        return presented;
    return nav->topViewController();
}

} // namespace

void secPersonImageCell::setTheimage(const QImage &image) {
    m_image = image;
    Q_EMIT changed();
}

void secPersonImageCell::setStoredImagePath(const QString &path) {
    m_storedPath = path;
    Q_EMIT changed();
}

QUrl secPersonImageCell::imageUrl() const {
    return m_image.isNull() ? KingfisherWrapper::convertToSource(m_storedPath)
                            : LocalImages::shared().urlFor(m_image);
}

void secPersonImageCell::setImageBackgroundColor(const QColor &color) {
    m_imageBackground = color;
    Q_EMIT changed();
}

void secPersonImageCell::theimageTAP() {
    NavigationController *nav = rootStack();
    if (!nav)
        return;
    if (auto *screen = qobject_cast<securityAddNewPerson *>(nav->topViewController())) {
        screen->cPerson->resignFirstResponder();
        screen->cAddress->resignFirstResponder();
    }
    ViewController *host = presentationTarget();
    if (!host)
        return;
    const QPointer<secPersonImageCell> self(this);
    auto *alert = ImagePickerFunc::sourceAlert([self](ImagePickerController::SourceType source) {
        if (self)
            self->showPicker(source);
    });
    if (!host->present(alert, true))
        delete alert;
}

void secPersonImageCell::showPicker(ImagePickerController::SourceType source) {
    ViewController *host = presentationTarget();
    if (!host)
        return;
    const QPointer<secPersonImageCell> self(this);
    picker = ImagePickerController::present(host, source, [self](const QImage &image) {
        if (self)
            self->picked(image);
    });
}

void secPersonImageCell::picked(const QImage &image) {
    // A cancelled picker (or no camera) leaves the photo as it was.
    if (image.isNull())
        return;
    m_image = image;
    imageChanged = true;
    IsPickedImage = QStringLiteral("Yes");
    m_imageBackground = CommonClass::shared().tableViewRowBC;
    Q_EMIT changed();
}
