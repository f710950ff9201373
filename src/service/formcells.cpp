#include "formcells.h"

FormCell::FormCell(QObject *parent) : QObject(parent) {}

#define SECLOG_SETTER(Class, name, member, Type)                                                   \
    void Class::name(Type value) {                                                                 \
        if (member == value)                                                                       \
            return;                                                                                \
        member = value;                                                                            \
        Q_EMIT changed();                                                                          \
    }

SECLOG_SETTER(FormCell, setTitle, m_title, const QString &)
SECLOG_SETTER(FormCell, setBackgroundColor, m_background, const QColor &)
SECLOG_SETTER(FormCell, setTitleColor, m_titleColor, const QColor &)
SECLOG_SETTER(FormCell, setTitleFont, m_titleFont, const QFont &)
SECLOG_SETTER(FormCell, setTextColor, m_textColor, const QColor &)
SECLOG_SETTER(FormCell, setTextFont, m_textFont, const QFont &)
SECLOG_SETTER(FormCell, setEnabled, m_enabled, bool)
SECLOG_SETTER(labelCell, setText, m_text, const QString &)
SECLOG_SETTER(textFieldCell, setPlaceholder, m_placeholder, const QString &)
SECLOG_SETTER(textFieldCell, setSecureTextEntry, m_secure, bool)
SECLOG_SETTER(textFieldCell, setLeftViewAlwaysShown, m_leftView, bool)
SECLOG_SETTER(segmentCell, setItems, m_items, const QStringList &)
SECLOG_SETTER(imageLabelCell, setImageUrl, m_imageUrl, const QUrl &)
SECLOG_SETTER(imageLabelCell, setText, m_text, const QString &)
SECLOG_SETTER(defaultCell, setDetail, m_detail, const QString &)

#undef SECLOG_SETTER

// Null and empty differ here: an untouched field has no text at all.
void textFieldCell::setText(const QString &t) {
    if (m_text == t && m_text.isNull() == t.isNull())
        return;
    m_text = t;
    Q_EMIT changed();
}

segmentCell::segmentCell(const QStringList &items, const QString &valueField, QObject *parent)
    : FormCell(parent), m_items(items), m_valueField(valueField) {}

void segmentCell::setSelectedSegmentIndex(int index) {
    if (index < -1 || index >= m_items.size() || index == m_selected)
        return;
    m_selected = index;
    Q_EMIT changed();
}

void segmentCell::select(int index) {
    if (index < 0 || index >= m_items.size())
        return;
    setSelectedSegmentIndex(index);
    Q_EMIT valueChanged(index);
}
