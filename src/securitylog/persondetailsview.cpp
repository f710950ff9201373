#include "persondetailsview.h"

#include "imageloading.h"
#include "localimages.h"

void PersonDetailsView::setImagePath(const QString &path) {
    m_imagePath = path;
    m_imageUrl = KingfisherWrapper::convertToSource(path);
    Q_EMIT changed();
}

void PersonDetailsView::setPhotoBackground(const QColor &c) {
    m_photoBackground = c;
    Q_EMIT changed();
}

void PersonDetailsView::setPhoto(const QImage &photo) {
    m_photo = photo;
    Q_EMIT changed();
}

QUrl PersonDetailsView::photoUrl() const {
    return m_photo.isNull() ? m_imageUrl : LocalImages::shared().urlFor(m_photo);
}
