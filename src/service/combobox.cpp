#include "combobox.h"

#include "common.h"
#include "datatask.h"
#include "dateformats.h"
#include "dbconnection.h"
#include "imageloading.h"
#include "navigationcontroller.h"

namespace {
QMap<QString, QString> textMap(const Row &row) {
    QMap<QString, QString> map;
    for (auto it = row.cbegin(); it != row.cend(); ++it)
        map.insert(it.key(), it.value().toString());
    return map;
}
} // namespace

comboBox::comboBox(const ListOptions &options, QObject *parent)
    : TableViewController(false, parent), m_list(options) {
    setTitle(options.title);
}

comboBox::comboBox(const DateOptions &options, QObject *parent)
    : TableViewController(false, parent), m_date(options), m_dateMode(true) {
    setTitle(options.title);
}

QString comboBox::qmlView() const {
    return QStringLiteral("qrc:/SecLog/service/PickerPage.qml");
}

void comboBox::setDelegate(comboBoxDelegate *delegate, QObject *owner) {
    m_delegate = delegate;
    m_delegateOwner = owner;
}

bool comboBox::show(ViewController *vc) {
    auto *nav = new NavigationController(this);
    if (!vc || !vc->present(nav, true)) {
        // The container took the picker; hand it back to the caller's ownership rules.
        nav->deleteLater();
        return false;
    }
    return true;
}

void comboBox::viewDidLoad() {
    setLeftBarButtonItem(BarButtonItem::system(
        QStringLiteral("cancel"), [this] { dismiss(true); }, this));
    if (m_dateMode)
        return;
    if (m_list.allowMultiSelect || m_list.returnCustomText)
        setRightBarButtonItem(BarButtonItem::titled(
            QStringLiteral("Done"), true, [this] { done(); }, this));
    load();
}

void comboBox::load() {
    QVariantMap request = m_list.parameters;
    // Pickers send their arguments as JSON text.
    const QVariant json = request.value(QStringLiteral("JSONData"));
    if (json.typeId() == QMetaType::QVariantMap || json.typeId() == QMetaType::QVariantList)
        request.insert(QStringLiteral("JSONData"), datatask::sharedInstance().toJSONText(json));
    m_loading = true;
    Q_EMIT loadingChanged();
    m_task = fetchDATA::nodefetchD(
        request,
        [this](const QVariant &reply) {
            m_rows = RowsReader::textRows(reply);
            m_ticked.clear();
            m_loading = false;
            Q_EMIT loadingChanged();
            filter();
        },
        this, m_list.url.isEmpty() ? nodedb2 + QStringLiteral("/sp") : m_list.url);
}

QString comboBox::value(const Row &row) const {
    return RowsReader::text(row, m_list.valueField);
}

void comboBox::setSearchText(const QString &text) {
    if (text == m_search)
        return;
    m_search = text;
    Q_EMIT searchTextChanged();
    filter();
}

void comboBox::filter() {
    const QString needle = m_search.trimmed();
    const QString field = m_list.searchField.isEmpty() ? m_list.valueField : m_list.searchField;
    // A search field that names a request argument ("SearchText", "LikeStr") is no column of
    // the rows: the typed text is then looked for in what each row shows, or typing would
    // empty the list.
    auto matches = [&](const Row &row) {
        if (row.contains(field))
            return RowsReader::text(row, field).contains(needle, Qt::CaseInsensitive);
        QStringList shown{value(row)};
        for (const QString &column : m_list.dataFields)
            shown.append(RowsReader::text(row, column));
        return shown.join(QLatin1Char(' ')).contains(needle, Qt::CaseInsensitive);
    };
    m_shown.clear();
    for (const Row &row : m_rows)
        if (needle.isEmpty() || matches(row))
            m_shown.append(row);
    reloadData();
}

// The typed text is offered as a first row when it is allowed and no row has exactly it.
bool comboBox::offersCustomText() const {
    const QString typed = m_search.trimmed();
    if (!m_list.returnCustomText || typed.isEmpty())
        return false;
    for (const Row &row : m_shown)
        if (value(row).compare(typed, Qt::CaseInsensitive) == 0)
            return false;
    return true;
}

int comboBox::numberOfRows(int) const {
    return m_dateMode ? 0 : int(m_shown.size()) + (offersCustomText() ? 1 : 0);
}

qreal comboBox::heightForRow(int, int) const {
    return m_list.dataFields.isEmpty() ? 44 : 60;
}

QVariantMap comboBox::cellForRow(int, int row) {
    const bool custom = offersCustomText();
    if (custom && row == 0)
        return {{QStringLiteral("cellClass"), m_list.cellClass},
                {QStringLiteral("text"), m_search.trimmed()},
                {QStringLiteral("detail"), QStringLiteral("New entry")},
                {QStringLiteral("checked"), false}};
    const int index = row - (custom ? 1 : 0);
    if (index < 0 || index >= m_shown.size())
        return {};
    const Row &data = m_shown.at(index);
    QStringList details;
    for (const QString &field : m_list.dataFields)
        if (!RowsReader::text(data, field).isEmpty())
            details.append(RowsReader::text(data, field));
    QVariantMap cell{{QStringLiteral("cellClass"), m_list.cellClass},
                     {QStringLiteral("text"), value(data)},
                     {QStringLiteral("detail"), details.join(QStringLiteral(" | "))},
                     {QStringLiteral("checked"), m_ticked.contains(int(m_rows.indexOf(data)))}};
    if (!m_list.imageField.isEmpty())
        cell.insert(QStringLiteral("imageUrl"),
                    KingfisherWrapper::convertToSource(RowsReader::text(data, m_list.imageField)));
    if (m_delegate && m_delegateOwner)
        m_delegate->box(this, m_list.element, row, textMap(data), cell);
    return cell;
}

void comboBox::didSelectRow(int, int row) {
    const bool custom = offersCustomText();
    if (custom && row == 0) {
        report(m_search.trimmed(), {});
        return;
    }
    const int index = row - (custom ? 1 : 0);
    if (index < 0 || index >= m_shown.size())
        return;
    const Row &data = m_shown.at(index);
    if (m_list.allowMultiSelect) {
        const int at = int(m_rows.indexOf(data));
        if (m_ticked.contains(at))
            m_ticked.remove(at);
        else
            m_ticked.insert(at);
        reloadData();
        return;
    }
    report(value(data), {data});
}

void comboBox::done() {
    if (m_list.allowMultiSelect && !m_ticked.isEmpty()) {
        QList<int> order(m_ticked.cbegin(), m_ticked.cend());
        std::sort(order.begin(), order.end());
        Rows chosen;
        QStringList texts;
        for (int i : order) {
            chosen.append(m_rows.at(i));
            texts.append(value(m_rows.at(i)));
        }
        // Several choices travel as one text, joined like every identifier list.
        report(texts.join(QLatin1Char(',')), chosen);
        return;
    }
    if (offersCustomText()) {
        report(m_search.trimmed(), {});
        return;
    }
    dismiss(true);
}

QDate comboBox::initialDate() const {
    const auto parsed =
        dateFormats::parse(m_date.initialdate, dateFormats::pattern(m_date.indateformat));
    return parsed ? parsed->date() : QDate::currentDate();
}

void comboBox::chooseDate(const QDate &date) {
    if (!m_dateMode || !date.isValid())
        return;
    if ((m_date.mindate.isValid() && date < m_date.mindate) ||
        (m_date.maxdate.isValid() && date > m_date.maxdate))
        return;
    const QString text =
        dateFormats::format(date.startOfDay(), dateFormats::pattern(m_date.outdateformat));
    Row row{{m_date.valueField.isEmpty() ? QStringLiteral("date") : m_date.valueField, text}};
    report(text, {row});
}

void comboBox::report(const QString &text, const Rows &rows) {
    if (m_reported)
        return;
    m_reported = true;
    QList<QMap<QString, QString>> data;
    QVariantList cells;
    for (const Row &row : rows) {
        data.append(textMap(row));
        cells.append(row);
    }
    const QString element = m_dateMode ? m_date.element : m_list.element;
    if (m_delegate && m_delegateOwner)
        m_delegate->box(this, text, element, data, cells);
    dismiss(true);
}
