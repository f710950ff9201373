#include "securitytableviewcontroller.h"

#include "access.h"
#include "common.h"
#include "commonclass.h"
#include "datatask.h"
#include "dateformats.h"
#include "dbconnection.h"
#include "logdetailcollectionviewcontroller.h"
#include "mainqueue.h"
#include "navigationcontroller.h"

namespace {
const QString kDivision = QStringLiteral("Division");

// The reply as day records: a list whose every element is a record, or nothing.
std::optional<QVariantList> dayRecords(const QVariant &reply) {
    if (reply.typeId() != QMetaType::QString)
        return std::nullopt;
    const QVariant decoded = datatask::decode(reply.toString().toUtf8());
    if (decoded.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    const QVariantList list = decoded.toList();
    for (const QVariant &day : list)
        if (day.typeId() != QMetaType::QVariantMap)
            return std::nullopt;
    return list;
}
} // namespace

std::function<QDate()> securityTableViewController::today = [] { return QDate::currentDate(); };

securityTableViewController::securityTableViewController(QObject *parent)
    : TableViewController(false, parent) {}

securityTableViewController::~securityTableViewController() {
    if (m_request)
        m_request->cancel();
}

void securityTableViewController::viewDidLoad() {
    const auto &theme = CommonClass::shared();
    setTitle(QStringLiteral("Summary Report"));
    setBackgroundColor(theme.darkGray);
    setSectionHeaderStyle(30, theme.Gray, Qt::white);
    setLeftBarButtonItem(BarButtonItem::titled(
        QStringLiteral("Back"), false, [this] { back(); }, this));
    setRightBarButtonItem(BarButtonItem::system(
        QStringLiteral("action"), [this] { openDivisionPicker(); }, this));
    const QDate now = today();
    // One month ahead: the first request steps back to this month.
    currMonth = now.month() + 1;
    currYear = now.year();
    bool ok = false;
    const int division = master.Division_id.toInt(&ok);
    Division_id = ok ? division : 0;
}

QVariantMap securityTableViewController::monthCriteria(int year, int month, int divisionId,
                                                       const QString &branch) {
    const int days = QDate(year, month, 1).daysInMonth();
    return {{QStringLiteral("FromDate"),
             QStringLiteral("%1-%2-01").arg(year).arg(month, 2, 10, QLatin1Char('0'))},
            {QStringLiteral("NoDays"), QString::number(days - 1)},
            {QStringLiteral("Division_id"), QString::number(divisionId)},
            {QStringLiteral("BranchCode"), branch},
            {QStringLiteral("GetType"), QStringLiteral("Summary")}};
}

void securityTableViewController::requestNextMonth() {
    --currMonth;
    ++secIndex;
    if (currMonth < 1) {
        currMonth = 12;
        --currYear;
    }
    const int index = secIndex;
    const QVariantMap criteria = monthCriteria(currYear, currMonth, Division_id, master.BranchCode);
    const QMap<QString, QString> parameters{
        {QStringLiteral("SP_Name"), QStringLiteral("USP_GetSecurityLogSummaryReport")},
        {QStringLiteral("SecurityReport"), datatask::sharedInstance().toJSONText(criteria)},
        {QStringLiteral("CommonKeyValue"), QStringLiteral("ID")}};
    const int generation = m_generation;
    m_request =
        fetchDATA::DataTask(this, DCdatabase + QStringLiteral("/GetCommonNestedData"), parameters,
                            QStringLiteral("N"), [this, index, generation](const QVariant &reply) {
                                if (generation != m_generation)
                                    return; // asked for a division no longer shown
                                const auto days = dayRecords(reply);
                                MainQueue::async(this, [this, index, days] {
                                    // A month that came back unreadable still takes its section,
                                    // empty, so the months after it stay in their own sections.
                                    storeMonth(index, days.value_or(QVariantList()));
                                    fetchable = true;
                                });
                            });
}

void securityTableViewController::storeMonth(int index, const QVariantList &days) {
    THEDATA.insert(QString::number(index), days);
    for (auto it = m_cells.begin(); it != m_cells.end();) {
        if (it.key().first == index) {
            it.value()->deleteLater();
            it = m_cells.erase(it);
        } else {
            ++it;
        }
    }
    if (index == 0)
        reloadData();
    else
        insertSection(index);
}

void securityTableViewController::scrollViewDidScroll(qreal contentHeight, qreal frameHeight,
                                                      qreal offsetY) {
    if (contentHeight - frameHeight - offsetY <= 50.0 && fetchable) {
        fetchable = false;
        requestNextMonth();
    }
}

// ---- the table

int securityTableViewController::numberOfSections() const {
    return int(THEDATA.size());
}

int securityTableViewController::numberOfRows(int section) const {
    return int(THEDATA.value(QString::number(section)).size());
}

const QVariantMap securityTableViewController::dayAt(int section, int row) const {
    return THEDATA.value(QString::number(section)).value(row).toMap();
}

QString securityTableViewController::titleForHeader(int section) const {
    const auto month = common::sharedInstance().convertDateText(
        17, 16, dayAt(section, 0).value(QStringLiteral("Dt")).toString());
    return month ? QStringLiteral("  ") + *month : QString();
}

QVariantMap securityTableViewController::cellForRow(int section, int row) {
    if (row < 0 || row >= numberOfRows(section))
        return {};
    securityTableViewCell *&cell = m_cells[{section, row}];
    if (!cell)
        cell = new securityTableViewCell(dayAt(section, row), this);
    const auto &theme = CommonClass::shared();
    QVariantMap drawn = objectRow(QStringLiteral("securityTableViewCell"), cell);
    drawn.insert(QStringLiteral("background"), theme.darkGray);
    return drawn;
}

void securityTableViewController::didSelectRow(int section, int row) {
    if (row < 0 || row >= numberOfRows(section))
        return;
    fetchable = false;
    const QVariantMap day = dayAt(section, row);
    const QString dt = day.value(QStringLiteral("Dt")).toString();
    auto *summary = new LogDetailCollectionViewController();
    // The day's own year: the month last asked for may be of the year before.
    const auto date = dateFormats::parse(dt, dateFormats::pattern(17));
    const int year = date ? date->date().year() : currYear;
    summary->bartitle = securityTableViewCell(day).title + QLatin1Char(' ') + QString::number(year);
    summary->fetchDate = dt;
    summary->Division_id = Division_id;
    if (NavigationController *nav = navigationController())
        nav->pushViewController(summary, true);
    else
        delete summary;
}

void securityTableViewController::back() {
    fetchable = false;
    if (NavigationController *nav = navigationController())
        nav->popViewController(true);
}

// ---- the division picker

void securityTableViewController::openDivisionPicker() {
    fetchable = false;
    comboBox::ListOptions options;
    options.title = kDivision;
    options.element = kDivision;
    options.parameters = {{QStringLiteral("SPName"), QStringLiteral("Usp_CommonService")},
                          {QStringLiteral("JSONData"),
                           datatask::sharedInstance().toJSONText(
                               QVariantMap{{QStringLiteral("SP_Type"), QStringLiteral("Sel_Div")},
                                           {QStringLiteral("BranchCode"), master.BranchCode}})}};
    options.loadtype = QStringLiteral("1");
    options.valueField = QStringLiteral("Division_id");
    options.dataFields = {QStringLiteral("DivisionName")};
    options.searchField = QStringLiteral("DivisionName");
    options.reuseIdentifier = QStringLiteral("comboCell");
    auto *picker = new comboBox(options);
    picker->setDelegate(this, this);
    CommonClass::shared().style(QStringLiteral("comboboxcolor"), picker);
    if (!picker->show(this))
        delete picker;
}

void securityTableViewController::box(comboBox *, const QString &element, int,
                                      const QMap<QString, QString> &data, QVariantMap &cell) {
    if (element != kDivision)
        return;
    CommonClass::shared().style(QStringLiteral("comboxtableviewcell"), cell);
    cell.insert(QStringLiteral("text"), data.value(QStringLiteral("DivisionName")));
    cell.insert(QStringLiteral("detail"), QString());
    cell.insert(QStringLiteral("checked"),
                data.value(QStringLiteral("Division_id")) == QString::number(Division_id));
}

void securityTableViewController::box(comboBox *, const QString &, const QString &element,
                                      const QList<QMap<QString, QString>> &data,
                                      const QVariantList &) {
    if (element != kDivision || data.isEmpty())
        return;
    bool ok = false;
    const int division = data.first().value(QStringLiteral("Division_id")).toInt(&ok);
    if (!ok)
        return;
    const QDate now = today();
    currYear = now.year();
    currMonth = now.month() + 1;
    secIndex = -1;
    Division_id = division;
    THEDATA.clear();
    for (securityTableViewCell *cell : std::as_const(m_cells))
        cell->deleteLater();
    m_cells.clear();
    ++m_generation;
    if (m_request)
        m_request->cancel();
    reloadData();
    requestNextMonth();
}
