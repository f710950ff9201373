#include "securityaddnewperson.h"

#include "common.h"
#include "commonclass.h"
#include "navigationcontroller.h"
#include "securitylogdetailview.h"
#include "securitylogpicker.h"

#include <QRegularExpression>

namespace {
const QString kDesignation = QStringLiteral("Designation");

// Every blank-separated word with a capital first letter and the rest in small letters.
QString capitalized(const QString &text) {
    QString out = text.toLower();
    bool wordStart = true;
    for (QChar &c : out) {
        if (c.isSpace()) {
            wordStart = true;
        } else if (wordStart) {
            c = c.toUpper();
            wordStart = false;
        }
    }
    return out;
}
} // namespace

securityAddNewPerson::securityAddNewPerson(QObject *parent)
    : TableViewController(false, parent), cMobileNo(new textFieldCell(this)),
      cPerson(new textFieldCell(this)), cAddress(new textFieldCell(this)),
      cDesignation(new labelCell(this)), cPersonImage(new secPersonImageCell(this)) {}

void securityAddNewPerson::viewDidLoad() {
    const auto &theme = CommonClass::shared();
    setTitle(QStringLiteral("Person Details"));
    setRightBarButtonItem(BarButtonItem::system(
        QStringLiteral("done"), [this] { AddPersonDetails(); }, this));
    cMobileNo->setTitle(QStringLiteral("Mobile No"));
    cMobileNo->numberPad = true;
    cPerson->setTitle(QStringLiteral("Person"));
    // A name the opener put here (a search text) is shown as a name is written.
    if (!cPerson->text().isNull())
        cPerson->setText(capitalized(cPerson->text()));
    cAddress->setTitle(QStringLiteral("Address"));
    cDesignation->setTitle(kDesignation);
    setBackgroundColor(theme.viewBC);
    setBarTintColor(theme.rowSelColor);
    for (textFieldCell *cell : {cMobileNo, cPerson, cAddress})
        theme.style(QStringLiteral("textbox"), cell);
    theme.style(QStringLiteral("label"), cDesignation);
}

int securityAddNewPerson::numberOfRows(int) const {
    return RowCount;
}

qreal securityAddNewPerson::heightForRow(int section, int row) const {
    return row == PhotoRow ? 200 : TableViewController::heightForRow(section, row);
}

QVariantMap securityAddNewPerson::cellForRow(int, int row) {
    FormCell *cell = nullptr;
    switch (row) {
    case PhotoRow:
        cell = cPersonImage;
        break;
    case MobileRow:
        cell = cMobileNo;
        break;
    case PersonRow:
        cell = cPerson;
        break;
    case AddressRow:
        cell = cAddress;
        break;
    case DesignationRow:
        cell = cDesignation;
        break;
    default:
        Q_ASSERT_X(false, "securityAddNewPerson", "row out of range");
        return {};
    }
    return {{QStringLiteral("cellClass"), cell->cellClass()},
            {QStringLiteral("cell"), QVariant::fromValue<QObject *>(cell)}};
}

void securityAddNewPerson::didSelectRow(int, int row) {
    if (row == DesignationRow)
        openDesignationPicker();
}

void securityAddNewPerson::openDesignationPicker() {
    comboBox::ListOptions options;
    options.title = kDesignation;
    options.element = kDesignation;
    options.valueField = kDesignation;
    options.dataFields = {kDesignation};
    options.returnCustomText = true;
    openSecurityLogPicker(
        this, this, this, options,
        QVariantMap{{QStringLiteral("SearchBy"), QStringLiteral("Sec_Designation")}});
}

void securityAddNewPerson::box(comboBox *, const QString &text, const QString &element,
                               const QList<QMap<QString, QString>> &data, const QVariantList &) {
    if (element != kDesignation)
        return;
    // A designation the list does not have is taken as typed.
    if (!data.isEmpty() || !text.isEmpty())
        cDesignation->setText(text);
}

QString securityAddNewPerson::validationMessage() const {
    static const QRegularExpression mobile(QStringLiteral("^[0-9+\\- ]+$"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (cMobileNo->text().isEmpty())
        return QStringLiteral("Enter Mobile No");
    if (!mobile.match(cMobileNo->text()).hasMatch())
        return QStringLiteral("Enter Vaild Mobile No");
    if (cPerson->text().isEmpty())
        return QStringLiteral("Enter Person Name");
    if (!cPersonImage->hasImage())
        return QStringLiteral("Take Photo");
    return QString();
}

securityLogDetailView *securityAddNewPerson::receivingForm() {
    NavigationController *nav = navigationController();
    if (!nav)
        return nullptr;
    const int index = int(nav->viewControllers().indexOf(this));
    if (auto *form = nav->viewControllerAt<securityLogDetailView>(index - 1))
        return form;
    // Opened from the list: the person starts a new log.
    auto *form = new securityLogDetailView();
    form->setTitle(QStringLiteral("New Security Log"));
    nav->insertViewController(form, index);
    return form;
}

void securityAddNewPerson::AddPersonDetails() {
    const QString refusal = validationMessage();
    if (!refusal.isEmpty()) {
        common::sharedInstance().showAlert(this, QStringLiteral("Alert !"), refusal);
        return;
    }
    securityLogDetailView *form = receivingForm();
    if (!form)
        return;
    PersonDetailsView *header = form->header;
    header->setName(cPerson->text());
    header->setMobileNo(cMobileNo->text());
    header->setAddress(cAddress->text());
    header->setDesignation(cDesignation->text());
    header->setPhoto(cPersonImage->theimage());
    form->PersonImage = cPersonImage->theimage();
    // The stored photo was replaced: the save must upload the new one.
    if (cPersonImage->IsPickedImage == QLatin1String("Yes"))
        header->clearStoredPhotoPath();
    form->celllabelSegmentCell->setItems({QStringLiteral("IN"), QStringLiteral("OUT")});
    navigationController()->popViewController(true);
}

void openPersonScreen(securityLogDetailView *form) {
    if (!form)
        return;
    ViewController *top = common::sharedInstance().topViewController();
    NavigationController *nav = top ? top->navigationController() : nullptr;
    if (!nav)
        return;
    const PersonDetailsView *header = form->header;
    auto *screen = new securityAddNewPerson();
    screen->cPersonImage->setTheimage(header->photo());
    if (header->PersonimgPath().isEmpty())
        screen->cPersonImage->setImageBackgroundColor(secPersonImageCell::emptyPhotoBackground());
    else
        screen->cPersonImage->setStoredImagePath(header->PersonimgPath());
    screen->cMobileNo->setText(header->mobileNo());
    screen->cPerson->setText(header->name());
    screen->cDesignation->setText(header->designation());
    screen->cAddress->setText(header->address());
    nav->pushViewController(screen, true);
}
