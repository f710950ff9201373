// The walkthrough's documents: a party entry with an item from the master and a new one with
// its photo and unit, and a store PO attached to an open log's OUT section.

#include "walkthrough.h"

#include "alertcontroller.h"
#include "combobox.h"
#include "common.h"
#include "imagepickercontroller.h"
#include "imagepickerfunc.h"
#include "securityaddparticulars.h"
#include "securityaddpartydetails.h"
#include "securityaddpo.h"
#include "securitylogdetailview.h"
#include "uomdetails.h"

#include <QAbstractItemModel>

namespace {
template <typename T> T *shown() {
    auto *vc = qobject_cast<T *>(common::sharedInstance().topViewController());
    return vc && vc->isViewLoaded() ? vc : nullptr;
}

AlertController *alertSaying(const QString &message) {
    auto *alert = shown<AlertController>();
    return alert && alert->message() == message ? alert : nullptr;
}

// A list whose drawn rows have caught up with what it holds, and hold something.
bool drawn(TableViewController *table, qsizetype rows) {
    auto *model = table ? qobject_cast<QAbstractItemModel *>(table->tableModel()) : nullptr;
    return model && rows > 0 && model->rowCount() == rows;
}

int addRow(securityLogDetailView *form, int section) {
    return form->numberOfRows(section) - 1;
}
} // namespace

void Walkthrough::addPartySteps() {
    static const QString newItem = QStringLiteral("Loom Brush Set");
    auto party = [] { return shown<securityAddPartyDetails>(); };
    auto particulars = [] { return shown<securityAddParticulars>(); };
    m_steps.append({
        {QStringLiteral("party-screen"),
         [this] {
             m_form->didSelectRow(securityLogDetailView::INSection,
                                  addRow(m_form, securityLogDetailView::INSection));
         },
         [party] { return party() != nullptr; }},
        {QStringLiteral("party-picker"), [party] { party()->didSelectRow(0, 0); },
         [] {
             auto *picker = shown<comboBox>();
             return picker && !picker->isLoading() && !picker->shownRows().isEmpty();
         }},
        {QStringLiteral("particulars"),
         [party] {
             shown<comboBox>()->didSelectRow(0, 0);
             party()->cellBillNo->setText(QStringLiteral("INV-2291"));
             party()->didSelectRow(1, 0); // "Add Particulars"
         },
         [particulars] { return particulars() != nullptr; }},
        {QStringLiteral("item-search"),
         [particulars] { particulars()->searchController->setText(QStringLiteral("yarn")); },
         [particulars] {
             return particulars() && drawn(particulars(), particulars()->DATA.size());
         }},
        {QStringLiteral("item-chosen"), [particulars] { particulars()->didSelectRow(0, 0); },
         [particulars] { return particulars() && particulars()->collView.DATA.size() == 1; }, 300},
        {QStringLiteral("add-item-question"),
         [particulars] {
             particulars()->searchController->setText(newItem);
             particulars()->searchButtonClicked();
         },
         [] { return alertSaying(QStringLiteral("Add Item ?")) != nullptr; }},
        {QStringLiteral("item-photo-camera"),
         [] {
             shown<AlertController>()->tap(QStringLiteral("Yes"));
             if (auto *source = shown<AlertController>();
                 source && source->title() == ImagePickerFunc::sourceAlertTitle())
                 source->tap(QStringLiteral("Take Picture"));
         },
         [] {
             auto *picker = shown<ImagePickerController>();
             return picker && picker->camera() && picker->camera()->isActive();
         },
         800},
        {QStringLiteral("uom-screen"), [] { shown<ImagePickerController>()->takePicture(); },
         [] {
             auto *units = shown<UOMDetails>();
             return units && drawn(units, units->DATA.size());
         }},
        {QStringLiteral("new-item-chosen"),
         [] {
             UOMDetails *units = shown<UOMDetails>();
             int row = 0;
             for (int r = 0; r < units->DATA.size(); ++r)
                 if (RowsReader::text(units->DATA.at(r), QStringLiteral("UnitName")) ==
                     QLatin1String("Set"))
                     row = r;
             units->didSelectRow(0, row);
         },
         [particulars] { return particulars() && particulars()->collView.DATA.size() == 2; }, 300},
        {QStringLiteral("party-items"), [particulars] { particulars()->Done(); },
         [party] { return party() && party()->cellItems.size() == 2; }},
        {QStringLiteral("party-counted"),
         [party] {
             party()->cellItems.at(0)->setQuantity(QStringLiteral("24.5"));
             party()->cellItems.at(0)->endEditing();
             party()->cellItems.at(1)->tapButton(1);
         },
         [party] {
             return party() && party()->cellItems.at(1)->quantity() == QLatin1String("2.00");
         }},
        {QStringLiteral("party-in-log"), [party] { party()->Validation(); },
         [this] {
             return m_form && shown<securityLogDetailView>() == m_form &&
                    m_form->PartyINSectionCollView.size() == 1;
         }},
    });
}

void Walkthrough::addStorePOSteps(std::shared_ptr<QString> documentsLog) {
    auto po = [] { return shown<securityAddPO>(); };
    auto form = [documentsLog] {
        auto *shownForm = shown<securityLogDetailView>();
        return shownForm && shownForm->SecIOLog_id == *documentsLog ? shownForm : nullptr;
    };
    auto outCount = std::make_shared<qsizetype>(0);
    m_steps.append({
        {QStringLiteral("store-po-screen"),
         [form, outCount] {
             securityLogDetailView *log = form();
             *outCount = log->PartyOUTSectionCollView.size();
             const int row = addRow(log, securityLogDetailView::OUTSection);
             log->performSwipeAction(securityLogDetailView::OUTSection, row, 2); // "Att PO"
         },
         [po] { return po() != nullptr; }},
        {QStringLiteral("store-po-search"),
         [po] { po()->searchController->setText(QStringLiteral("SPO")); },
         [po] { return po() && drawn(po(), po()->DATA.size()); }},
        {QStringLiteral("store-po-party"), [po] { po()->didSelectRow(0, 0); },
         [] {
             auto *party = shown<securityAddPartyDetails>();
             return party && !party->cellItems.isEmpty();
         },
         300},
        {QStringLiteral("store-po-bill-question"),
         [] {
             auto *party = shown<securityAddPartyDetails>();
             for (const ItemRow &item : party->cellItems) {
                 item->setQuantity(item->labelImage);
                 item->endEditing();
             }
             party->Validation(); // no bill number yet: the guard is asked
         },
         [] {
             auto *alert = shown<AlertController>();
             return alert && alert->message().startsWith(QStringLiteral("• Bill No not Entered"));
         }},
        {QStringLiteral("store-po-attached"),
         [] { shown<AlertController>()->tap(QStringLiteral("Yes")); },
         [form, outCount] {
             return form() && form()->PartyOUTSectionCollView.size() == *outCount + 1;
         }},
        {QStringLiteral("store-po-save-sheet"), [form] { form()->SaveSecurityLog(); },
         [] {
             auto *sheet = shown<AlertController>();
             return sheet && sheet->title() == QLatin1String("More");
         }},
        {QStringLiteral("store-po-saved"),
         [] { shown<AlertController>()->tap(QStringLiteral("Save")); },
         [] {
             auto *alert = shown<AlertController>();
             return alert && alert->title() == QLatin1String("Alert");
         }},
    });
}
