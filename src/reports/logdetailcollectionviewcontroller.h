#pragma once

#include "fetchdata.h"
#include "viewcontroller.h"

#include <memory>
#include <optional>
#include <QList>
#include <QSizeF>
#include <QMap>
#include <QStringList>
#include <QVariantList>

// One division's logs of one day as tiles, grouped by the hour of the movement. A tile whose
// log carried documents opens them.
class LogDetailCollectionViewController : public ViewController {
    Q_OBJECT
    Q_PROPERTY(QVariantList sections READ sections NOTIFY reloaded)
public:
    explicit LogDetailCollectionViewController(QObject *parent = nullptr);
    ~LogDetailCollectionViewController() override;

    QString qmlView() const override {
        return QStringLiteral("qrc:/SecLog/reports/LogDetailCollectionPage.qml");
    }

    int numberOfSections() const { return int(FormattedDATAindex.size()); }
    int numberOfItems(int section) const;
    QString titleForHeader(int section) const;
    QVariantMap cellForItem(int section, int item);
    Q_INVOKABLE void didSelectItem(int section, int item);
    // Three tiles across a view `width` wide, each a quarter taller than wide.
    static QSizeF itemSize(qreal width);

    // What the view draws: {"title", "tiles": [tile maps]} per section.
    QVariantList sections();

    QString bartitle;
    QString fetchDate;
    QVariantList THEDATA;
    QMap<QString, QVariantList> FormattedDATA;
    QList<int> FormattedDATAindex;
    QStringList iotypeIndex;
    std::optional<int> Division_id;

Q_SIGNALS:
    void reloaded();

protected:
    void viewDidLoad() override;

private:
    void requestDay();
    void group();
    QVariantMap recordAt(int section, int item) const;

    std::shared_ptr<FetchTask> m_request;
};
