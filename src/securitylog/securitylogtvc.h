#pragma once

#include "fetchdata.h"
#include "oneshottimer.h"
#include "rows.h"
#include "searchcontroller.h"
#include "tableviewcontroller.h"

#include <memory>
#include <QUrl>

// The first screen: the open logs of this handheld's division, the live search of people and
// logs, the report search, mark OUT and print.
//
// Where it deliberately differs from the handheld it replaces: a search result on screen
// survives a late open-logs reply; the list reloads when the device record arrives after a
// first login; replies for a screen that has closed are dropped; mark OUT removes the row by
// its log number, not by the index it had when the request went out; the rows, the search
// flag and the table always change in one turn.
class securityLogTVC : public TableViewController {
    Q_OBJECT
    Q_PROPERTY(SearchController *searchController READ search NOTIFY searchControllerChanged)
public:
    explicit securityLogTVC(QObject *parent = nullptr);
    ~securityLogTVC() override;

    QString qmlView() const override {
        return QStringLiteral("qrc:/SecLog/securitylog/SecurityLogPage.qml");
    }

    int numberOfRows(int section) const override;
    qreal heightForRow(int section, int row) const override;
    QVariantMap cellForRow(int section, int row) override;
    QList<SwipeAction> trailingSwipeActions(int section, int row) override;
    void didSelectRow(int section, int row) override;
    void scrollViewWillBeginDragging() override;

    // Sends the open-logs request (only with a division in the session).
    void loadOpenLogs();
    // The search field's text changed.
    void updateSearchResults(const QString &text);
    // The keyboard's return key.
    void searchBarSearchButtonClicked();
    void markOut(int row);
    void printLog(int row);
    // The report page of a log.
    static QUrl reportUrl(const QString &secIOLogId);
    // The request for the open logs of this handheld's division.
    static QVariantMap openLogsParameters();
    void showMenu();
    void showScanSheet();

    bool IsHaveUserCredentials = false;
    Rows LoadDATA;
    Rows DATA;
    SearchController *searchController = nullptr;
    QString fromSearch = QStringLiteral("No");
    bool IsReportSearchActive = false;
    std::unique_ptr<OneShotTimer> shouldSearchTimer;
    std::shared_ptr<FetchTask> searchfetcher;

    SearchController *search() const { return searchController; }

Q_SIGNALS:
    void searchControllerChanged();

protected:
    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

private:
    void setUpList();
    void presentLogin();
    void sendSearch(const QString &text);
    bool isSearchRow() const { return fromSearch == QLatin1String("Yes") && !IsReportSearchActive; }
    void removeLog(const QString &secIOLogId);

    // Counts searches sent and clears: a reply from an older one changes nothing.
    quint64 m_searchGeneration = 0;
};
