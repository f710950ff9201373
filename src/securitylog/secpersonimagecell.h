#pragma once

#include "formcells.h"
#include "imagepickercontroller.h"

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QUrl>

// The photo row of the person screen: the person's photo, and a tap on it to take or choose
// another.
class secPersonImageCell : public FormCell {
    Q_OBJECT
    Q_PROPERTY(QUrl imageUrl READ imageUrl NOTIFY changed)
    Q_PROPERTY(QColor imageBackgroundColor READ imageBackgroundColor NOTIFY changed)
    Q_PROPERTY(qreal offSetX MEMBER offSetX CONSTANT)
public:
    using FormCell::FormCell;
    QString cellClass() const override { return QStringLiteral("secPersonImageCell"); }

    // The light grey of a photo frame with no stored photo behind it.
    static QColor emptyPhotoBackground() { return QColor::fromRgbF(0.95f, 0.95f, 0.95f, 1.0f); }

    // The photo taken or chosen on this handheld (null when there is none).
    QImage theimage() const { return m_image; }
    void setTheimage(const QImage &image);
    // The server path of a photo already stored there, shown while no new one replaces it.
    QString storedImagePath() const { return m_storedPath; }
    void setStoredImagePath(const QString &path);
    bool hasImage() const { return !m_image.isNull() || !m_storedPath.isEmpty(); }
    // What the view shows.
    QUrl imageUrl() const;
    QColor imageBackgroundColor() const { return m_imageBackground; }
    void setImageBackgroundColor(const QColor &color);

    // The tap on the photo: asks for the source, then shows the picker.
    Q_INVOKABLE void theimageTAP();

    qreal offSetX = 10;
    QPointer<ImagePickerController> picker;
    bool imageChanged = false;
    QString IsPickedImage = QStringLiteral("No");

private:
    void showPicker(ImagePickerController::SourceType source);
    void picked(const QImage &image);

    QImage m_image;
    QString m_storedPath;
    QColor m_imageBackground;
};
