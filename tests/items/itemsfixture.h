#pragma once

#include "alertcontroller.h"
#include "navigationcontroller.h"
#include "securityaddpartydetails.h"
#include "securitylogdetailview.h"
#include "securitylogtvc.h"
#include "sessionfixture.h"
#include "shownscreen.h"
#include "window.h"

#include <QPointer>

// A new log open in the form over the log list, as the guard reaches it, with the screens the
// form's sections open on top.
class ItemsTest : public SessionTest {
protected:
    ItemsTest() {
        logIn();
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        processEvents();
        net->replyRaw(0, "[]"); // the list's open logs
        processEvents();
        root->pushViewController(form, false);
        processEvents();
        net->sent.clear();
    }
    // The topmost screen: the last one presented, or the top of a presented stack.
    ViewController *top() const { return topmostScreen(root); }
    template <typename T> T *topAs() const { return qobject_cast<T *>(top()); }
    AlertController *alert() const { return topAs<AlertController>(); }
    // Taps a row of the IN (2) or OUT (3) section; the add row when `row` is -1.
    securityAddPartyDetails *openParty(int section, int row = -1) {
        form->selectRow(section, row < 0 ? form->numberOfRows(section) - 1 : row);
        processEvents();
        return topAs<securityAddPartyDetails>();
    }
    static ItemRow item(const QString &title, const std::optional<QString> &quantity,
                        const QString &itemId = {}) {
        ItemRow row = makeItemRow();
        row->titleText = title;
        row->Item_id = itemId;
        row->textField = quantity;
        return row;
    }
    static SectionEntry entry(const QString &party, QList<ItemRow> items) {
        SectionEntry e;
        e.PartyDetails = {{"PartyName", party},
                          {"Party_id", "5"},
                          {"City", "Erode"},
                          {"BillNo", "B-" + party},
                          {"BillDate", "05/12/2026"}};
        e.DATA = std::move(items);
        return e;
    }

    Window window;
    securityLogTVC *list = new securityLogTVC();
    NavigationController *root = new NavigationController(list);
    QPointer<securityLogDetailView> form = new securityLogDetailView();
};
