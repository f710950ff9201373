#pragma once

#include <memory>
#include <optional>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariantList>
#include <QVariantMap>

// One item line of a document with its quantity. The same object is held by the document
// (SectionEntry::DATA) and by whichever screen edits it, so an edit shows everywhere at once.
class itemDetailCell : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString unit READ unit NOTIFY changed)
    Q_PROPERTY(QString quantity READ quantity WRITE setQuantity NOTIFY changed)
    Q_PROPERTY(bool hasQuantityControls READ hasQuantityControls NOTIFY changed)
    Q_PROPERTY(bool buttonsHidden MEMBER buttonsHidden NOTIFY changed)
    Q_PROPERTY(bool quantityEditable READ quantityEditable NOTIFY changed)
    Q_PROPERTY(QUrl imageSource READ imageSource NOTIFY changed)
    Q_PROPERTY(QString badge READ badge NOTIFY changed)
    Q_PROPERTY(bool checkmark MEMBER checkmark NOTIFY changed)
    Q_PROPERTY(QString quantityCaption MEMBER quantityCaption NOTIFY changed)
    Q_PROPERTY(bool interactionEnabled MEMBER interactionEnabled NOTIFY changed)
    Q_PROPERTY(qreal alpha MEMBER alpha NOTIFY changed)
public:
    explicit itemDetailCell(QObject *parent = nullptr);

    // titlelbl: the item's name, carrying the item id.
    QString titleText;
    QString Item_id;
    // subtitlelbl: the unit symbol shown, carrying the unit id.
    QString unitText;
    QString Unit_id;
    // theimage: a picture taken here (to be uploaded), or the server's picture.
    QImage image;
    QUrl imageUrl;
    QString ItemImagePath;

    // textField: made only with the quantity controls; absent text reads as no field.
    std::optional<QString> textField;
    // The quantity field's identifier (a loaded line keeps its saved quantity there).
    QString textFieldIdentifier;
    bool quantityControls = false; // addButton/subButton made
    bool buttonsHidden = false;    // a saved line shows its quantity without plus and minus

    int decimals = 2;
    QString Singular;
    QString Plural;
    double MaxQty = 0;
    double MinQty = 0;
    int DCDId = 0;
    int GT_id = 0;
    int HB_id = 0;
    QString textFieldType;
    // True lets the quantity be edited; false makes it read-only.
    bool makeReadOnly = true;
    QVariantMap QRScanDCDetails;
    // The item rows chosen for a scanned DC in its detail screen.
    QList<std::shared_ptr<itemDetailCell>> SelecedItems;
    // labelImage: the badge over the bottom of the picture (a store PO line's ordered quantity).
    QString labelImage;
    bool labelImageShown = false;
    // Border width around a colour swatch shown as the picture (a white one needs a border).
    int swatchBorder = 0;
    // The row's checkmark accessory (an item chosen in the particulars list).
    bool checkmark = false;
    // The DC detail's quantity label: what was passed, and what is left to come back.
    QString quantityCaption;
    // A disabled row takes no taps or typing; a DC line not chosen before is also faded.
    bool interactionEnabled = true;
    qreal alpha = 1;
    // SecIOLogDet_id of the saved detail line; absent for a line not saved yet.
    std::optional<QString> savedDetailId;

    bool hasSavedDetailId() const { return savedDetailId && !savedDetailId->isEmpty(); }
    bool showsImage() const { return !image.isNull() || imageUrl.isValid(); }

    // Fills the row from an item master search result. A missing key leaves its field empty and a
    // "NoOfDecimal" that is not a whole number from 0 to 6 keeps the default of 2 decimals, so a
    // faulty row still shows and its quantity stays a number.
    void fill(const QVariantMap &result);
    // The quantity field with its minus and plus buttons. The text stays as it is.
    void makeQuantityControls();
    // The quantity text as a decimal number: digits with at most one point, blanks around them
    // allowed; nothing else (no sign, exponent or words).
    static std::optional<double> decimalValue(const QString &text);
    // The quantity a document may carry: a decimal number above 0.
    bool hasValidQuantity() const;

    // The quantity rule. tapButton: tag 1 is plus, any other tag minus.
    Q_INVOKABLE void tapButton(int tag);
    // End of editing: clamps to the limits, prints with `decimals` digits, picks the unit.
    Q_INVOKABLE void endEditing();
    // A number as quantities are shown outside the field: shortest form, always with a point
    // ("12.0", "0.25"); nothing for infinity or NaN.
    static QString decimalText(double value);
    // The leading decimal number of `text`; 0 when it starts with none.
    static double leadingNumber(const QString &text);

    QString title() const { return titleText; }
    QString unit() const { return unitText; }
    QString quantity() const { return textField.value_or(QString()); }
    QString badge() const { return labelImageShown ? labelImage : QString(); }
    void setQuantity(const QString &text);
    bool hasQuantityControls() const { return quantityControls; }
    bool quantityEditable() const { return makeReadOnly; }
    // The server picture's address when there is one, else the in-memory picture served by
    // LocalImages, else an empty URL.
    QUrl imageSource() const;
    // Tells views that fields changed (fields are plain members).
    void notify() { Q_EMIT changed(); }

Q_SIGNALS:
    void changed();

private:
    // Steps 2 to 5 of the end of editing, from the value read in step 1.
    void finishEditing(double v);
};

using ItemRow = std::shared_ptr<itemDetailCell>;
ItemRow makeItemRow();
