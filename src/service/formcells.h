#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

// The framework's form rows. Screens hold them as members and hand them to the table; the QML
// delegate named by cellClass() draws one and writes the user's edits back.
class FormCell : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString cellClass READ cellClass CONSTANT)
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY changed)
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor NOTIFY changed)
    Q_PROPERTY(QColor titleColor READ titleColor WRITE setTitleColor NOTIFY changed)
    Q_PROPERTY(QFont titleFont READ titleFont WRITE setTitleFont NOTIFY changed)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor NOTIFY changed)
    Q_PROPERTY(QFont textFont READ textFont WRITE setTextFont NOTIFY changed)
    Q_PROPERTY(bool enabled READ isEnabled WRITE setEnabled NOTIFY changed)
public:
    explicit FormCell(QObject *parent = nullptr);
    virtual QString cellClass() const = 0;

    QString title() const { return m_title; }
    void setTitle(const QString &t);
    QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor &c);
    QColor titleColor() const { return m_titleColor; }
    void setTitleColor(const QColor &c);
    QFont titleFont() const { return m_titleFont; }
    void setTitleFont(const QFont &f);
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor &c);
    QFont textFont() const { return m_textFont; }
    void setTextFont(const QFont &f);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool e);

Q_SIGNALS:
    void changed();

private:
    QString m_title;
    QColor m_background;
    QColor m_titleColor;
    QFont m_titleFont;
    QColor m_textColor;
    QFont m_textFont;
    bool m_enabled = true;
};

// A title over a value label.
class labelCell : public FormCell {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY changed)
public:
    using FormCell::FormCell;
    QString cellClass() const override { return QStringLiteral("labelCell"); }
    QString text() const { return m_text; }
    void setText(const QString &t);
    // The id a picker stores with its choice: on the value label, or on the row itself.
    QString valueIdentifier;
    QString identifier;
    // The value label's alignment: left unless the row says otherwise.
    Q_PROPERTY(bool valueRightAligned MEMBER valueRightAligned NOTIFY changed)
    bool valueRightAligned = false;

private:
    QString m_text;
};

// A title over a text field. `text` is absent (null) until something was typed.
class textFieldCell : public FormCell {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY changed)
    Q_PROPERTY(QString placeholder READ placeholder WRITE setPlaceholder NOTIFY changed)
    Q_PROPERTY(bool secureTextEntry READ secureTextEntry WRITE setSecureTextEntry NOTIFY changed)
    Q_PROPERTY(bool leftViewAlwaysShown READ leftViewAlwaysShown WRITE setLeftViewAlwaysShown NOTIFY
                   changed)
public:
    using FormCell::FormCell;
    QString cellClass() const override { return QStringLiteral("textFieldCell"); }
    QString text() const { return m_text; }
    void setText(const QString &t);
    QString placeholder() const { return m_placeholder; }
    void setPlaceholder(const QString &p);
    bool secureTextEntry() const { return m_secure; }
    void setSecureTextEntry(bool s);
    bool leftViewAlwaysShown() const { return m_leftView; }
    void setLeftViewAlwaysShown(bool s);
    // Takes the keyboard away from the field.
    void resignFirstResponder() { Q_EMIT keyboardDismissed(); }
    // The number-pad keyboard (digits only).
    Q_PROPERTY(bool numberPad MEMBER numberPad NOTIFY changed)
    bool numberPad = false;

Q_SIGNALS:
    void keyboardDismissed();

private:
    QString m_text;
    QString m_placeholder;
    bool m_secure = false;
    bool m_leftView = false;
};

// A segmented control. A change by the user (or select()) emits valueChanged.
class segmentCell : public FormCell {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems NOTIFY changed)
    Q_PROPERTY(int selectedSegmentIndex READ selectedSegmentIndex NOTIFY changed)
public:
    segmentCell(const QStringList &items, const QString &valueField, QObject *parent = nullptr);
    QString cellClass() const override { return QStringLiteral("segmentCell"); }
    QStringList items() const { return m_items; }
    void setItems(const QStringList &items);
    QString valueField() const { return m_valueField; }
    int selectedSegmentIndex() const { return m_selected; }
    // Selects without sending valueChanged (as setting the control in code does).
    void setSelectedSegmentIndex(int index);
    // The user taps a segment.
    Q_INVOKABLE void select(int index);

Q_SIGNALS:
    void valueChanged(int index);

private:
    QStringList m_items;
    QString m_valueField;
    int m_selected = -1;
};

// A title beside an image.
class imageLabelCell : public FormCell {
    Q_OBJECT
    Q_PROPERTY(QUrl imageUrl READ imageUrl WRITE setImageUrl NOTIFY changed)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY changed)
public:
    using FormCell::FormCell;
    QString cellClass() const override { return QStringLiteral("imageLabelCell"); }
    QUrl imageUrl() const { return m_imageUrl; }
    void setImageUrl(const QUrl &u);
    QString text() const { return m_text; }
    void setText(const QString &t);

private:
    QUrl m_imageUrl;
    QString m_text;
};

// A plain row: a text and a detail text.
class defaultCell : public FormCell {
    Q_OBJECT
    Q_PROPERTY(QString detail READ detail WRITE setDetail NOTIFY changed)
public:
    using FormCell::FormCell;
    QString cellClass() const override { return QStringLiteral("defaultCell"); }
    QString detail() const { return m_detail; }
    void setDetail(const QString &d);

private:
    QString m_detail;
};
