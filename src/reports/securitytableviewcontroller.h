#pragma once

#include "combobox.h"
#include "fetchdata.h"
#include "securitytableviewcell.h"
#include "tableviewcontroller.h"

#include <memory>
#include <QDate>
#include <QMap>
#include <QVariantList>

// "Summary Report": a division's gate traffic day by day, a section per month, the newest
// first; the next older month loads as the guard scrolls to the bottom. A day opens the
// day's logs by hour.
class securityTableViewController : public TableViewController, public comboBoxDelegate {
    Q_OBJECT
public:
    explicit securityTableViewController(QObject *parent = nullptr);
    ~securityTableViewController() override;

    int numberOfSections() const override;
    int numberOfRows(int section) const override;
    qreal heightForRow(int, int) const override { return 90; }
    QString titleForHeader(int section) const override;
    QVariantMap cellForRow(int section, int row) override;
    void didSelectRow(int section, int row) override;
    void scrollViewDidScroll(qreal contentHeight, qreal frameHeight, qreal offsetY) override;

    void box(comboBox *box, const QString &text, const QString &element,
             const QList<QMap<QString, QString>> &data, const QVariantList &cells) override;
    void box(comboBox *box, const QString &element, int row, const QMap<QString, QString> &data,
             QVariantMap &cell) override;

    // Asks for the month before the last one asked for.
    void requestNextMonth();
    void openDivisionPicker();
    void back();

    // The criteria of month `month` of `year`.
    static QVariantMap monthCriteria(int year, int month, int divisionId, const QString &branch);

    // Today, as the theme's calendar gives it; tests set it.
    static std::function<QDate()> today;

    int currMonth = 0;
    int currYear = 0;
    int secIndex = -1;
    bool fetchable = true;
    int Division_id = 0;
    QMap<QString, QVariantList> THEDATA;

protected:
    void viewDidLoad() override;

private:
    void storeMonth(int index, const QVariantList &days);
    const QVariantMap dayAt(int section, int row) const;

    // Day cells drawn, per section and row; made again when their month reloads.
    QMap<QPair<int, int>, securityTableViewCell *> m_cells;
    std::shared_ptr<FetchTask> m_request;
    int m_generation = 0; // a division picked drops replies to the one before
};
