#include "persondetailsview.h"

#include "imageloading.h"

void PersonDetailsView::setImagePath(const QString &path) {
    m_imagePath = path;
    m_imageUrl = KingfisherWrapper::convertToSource(path);
    Q_EMIT changed();
}

void PersonDetailsView::setPhotoBackground(const QColor &c) {
    m_photoBackground = c;
    Q_EMIT changed();
}
