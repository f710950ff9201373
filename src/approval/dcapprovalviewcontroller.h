#pragma once

#include "fetchdata.h"
#include "rows.h"
#include "searchcontroller.h"
#include "tableviewcontroller.h"

#include <memory>
#include <QMap>
#include <QString>
#include <QStringList>

class securityLogDetailView;
class DCDetailViewController;

// The branch's DCs of one kind (pending, approved, rejected, or those that may pass the gate),
// searched as the guard types. Ticked DCs are attached to the IN or OUT section of the open
// log with their item lines; any DC opens in the DC detail.
class DCApprovalViewController : public TableViewController {
    Q_OBJECT
    Q_PROPERTY(SearchController *searchController READ search CONSTANT)
    Q_PROPERTY(bool refreshing READ isRefreshing NOTIFY refreshingChanged)
public:
    explicit DCApprovalViewController(QObject *parent = nullptr);
    ~DCApprovalViewController() override;

    QString qmlView() const override {
        return QStringLiteral("qrc:/SecLog/approval/DCApprovalPage.qml");
    }

    int numberOfRows(int section) const override;
    qreal heightForRow(int, int) const override;
    QVariantMap cellForRow(int section, int row) override;
    QList<SwipeAction> trailingSwipeActions(int section, int row) override;
    void didSelectRow(int section, int row) override;
    void scrollViewWillBeginDragging() override { searchController->resignFirstResponder(); }

    // The screen title of each list kind.
    static const QMap<QString, QString> &viewTypeDict();
    // The list request; also the pull to refresh.
    Q_INVOKABLE void refresh();
    // The rows of a list reply this section shows.
    Rows sectionRows(const Rows &reply) const;
    void searchTextChanged(const QString &text);
    // Done: the ticked DCs' lines are fetched and each DC becomes an entry of the section.
    void Attach();
    void Cancel();
    // "View": the DC in the DC detail, pushed on this stack.
    DCDetailViewController *View(int row);

    SearchController *search() const { return searchController; }
    bool isRefreshing() const { return m_refreshing; }

    Rows DATA;
    Rows TOTALDATA;
    Rows DcDetailsDATA;
    QVariantMap imgDATA;
    SearchController *searchController;
    QString datafield;
    QString DCurlstr;
    QString viewType;
    QString AccessFrom;

Q_SIGNALS:
    void refreshingChanged();

protected:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

private:
    void attachReply(const Row &dc, const std::optional<Rows> &lines);
    void setRefreshing(bool refreshing);

    std::shared_ptr<FetchTask> m_list;
    bool m_refreshing = true;
    // One Done: requests sent, replies handled, and the DCs for which nothing came.
    int m_sent = 0;
    int m_handled = 0;
    QStringList m_notFound;
};
