// The walkthrough's DC list: from the new log's IN section the DCs that may come in, searched,
// two ticked and attached; one opened in the DC detail; then the pending, approved and rejected
// lists with a DC of each opened.

#include "walkthrough.h"

#include "common.h"
#include "commonclass.h"
#include "dcapprovalviewcontroller.h"
#include "dcdetailviewcontroller.h"
#include "navigationcontroller.h"
#include "securitylogdetailview.h"

#include <QAbstractItemModel>

namespace {
template <typename T> T *shown() {
    auto *vc = qobject_cast<T *>(common::sharedInstance().topViewController());
    return vc && vc->isViewLoaded() ? vc : nullptr;
}

// A list whose drawn rows have caught up with what it holds, and hold `rows` rows.
bool drawn(TableViewController *table, qsizetype rows) {
    auto *model = table ? qobject_cast<QAbstractItemModel *>(table->tableModel()) : nullptr;
    return model && model->rowCount() == rows;
}

// A DC detail whose lines have come.
DCDetailViewController *loadedDetail() {
    auto *detail = shown<DCDetailViewController>();
    return detail && !detail->itemsCells.isEmpty() ? detail : nullptr;
}

int rowOfCode(const DCApprovalViewController *list, const QString &code) {
    for (int r = 0; r < list->DATA.size(); ++r)
        if (list->DATA.at(r).value(QStringLiteral("DCCode")).toString() == code)
            return r;
    return -1;
}

// The DCs coming in at Spinning: one from Processing, one from Weaving.
const QString kFromProcessing = QStringLiteral("DC/PRC/26-27/0065");
const QString kFromWeaving = QStringLiteral("DC/WVG/26-27/0083");
} // namespace

void Walkthrough::addDCListSteps() {
    auto list = [] { return shown<DCApprovalViewController>(); };
    m_steps.append({
        {QStringLiteral("dc-list-in"),
         [this] {
             const int addRow = m_form->numberOfRows(securityLogDetailView::INSection) - 1;
             m_form->performSwipeAction(securityLogDetailView::INSection, addRow, 0); // "Att DC"
         },
         [list] {
             return list() && list()->DATA.size() >= 2 && drawn(list(), list()->DATA.size());
         },
         500},
        {QStringLiteral("dc-list-search"),
         [list] { list()->searchController->setText(QStringLiteral("processing")); },
         [list] { return list() && list()->DATA.size() == 1 && drawn(list(), 1); }},
        {QStringLiteral("dc-list-ticked"),
         [list] {
             list()->searchController->clear();
             for (const QString &code : {kFromProcessing, kFromWeaving})
                 list()->didSelectRow(0, rowOfCode(list(), code));
         },
         [list] {
             int ticked = 0;
             for (const auto &dc : std::as_const(list()->DATA))
                 ticked += dc.value(QStringLiteral("DCSelected")) == QLatin1String("Yes");
             return ticked == 2;
         },
         300},
        {QStringLiteral("dc-list-attached"), [list] { list()->Attach(); },
         [this] {
             return m_form && shown<securityLogDetailView>() == m_form &&
                    m_form->PartyINSectionCollView.size() == 3;
         },
         800},
        {QStringLiteral("dc-row-detail"),
         [this] { m_form->didSelectRow(securityLogDetailView::INSection, 1); },
         [] { return loadedDetail() != nullptr; }, 800},
        {QStringLiteral("dc-row-detail-closed"), [] { loadedDetail()->DCViewCancel(); },
         [this] { return m_form && shown<securityLogDetailView>() == m_form; }},
    });
}

void Walkthrough::addDCStateSteps() {
    auto list = [] { return shown<DCApprovalViewController>(); };
    for (const QString &kind :
         {QStringLiteral("Sel_DCP"), QStringLiteral("Sel_DCA"), QStringLiteral("Sel_DCR")}) {
        const QString name = QStringLiteral("dc-list-") + kind.mid(4).toLower();
        m_steps.append({
            {name,
             [kind] {
                 auto *screen = new DCApprovalViewController();
                 screen->viewType = kind;
                 auto *stack = new NavigationController(screen);
                 CommonClass::shared().styleNavigation(stack);
                 ViewController *over = common::sharedInstance().topViewController();
                 if (!over->present(stack, true))
                     delete stack;
             },
             [list, kind] {
                 return list() && list()->viewType == kind && !list()->DATA.isEmpty() &&
                        drawn(list(), list()->DATA.size());
             },
             500},
            {name + QStringLiteral("-detail"), [list] { list()->View(0); },
             [] { return loadedDetail() != nullptr; }, 800},
            {name + QStringLiteral("-closed"),
             [] {
                 loadedDetail()->navigationController()->popViewController(false);
                 if (auto *screen = shown<DCApprovalViewController>())
                     screen->Cancel();
             },
             [] { return shown<DCApprovalViewController>() == nullptr; }},
        });
    }
}
