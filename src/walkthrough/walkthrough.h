#pragma once

#include <functional>
#include <memory>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

// Drives the running client through a guard's day without a person at the screen: log in, the
// open logs, a search, mark a log OUT, find it in the report search from the menu, print it;
// then a new person with a photo from the camera, a new log through every picker, saved and
// printed with a party entry of an item from the master and a new item with its photo and unit;
// an open log with IN and OUT documents, given a store PO in its OUT section and saved; and a log
// past its update time; the monthly summary down to a log's documents, and an employee's
// punches; DCs scanned and chosen line by line, attached from the DC list, and the DC lists of
// each state.
// Each step waits for what the guard would see, saves a screenshot and prints one line; the
// run ends with exit status 0 only when every step worked. It logs the guard out and closes a
// real log, so it is only started once the server is known to be the stand-in.
class securityLogDetailView;

class Walkthrough : public QObject {
    Q_OBJECT
public:
    struct Step {
        QString name;
        std::function<void()> action;
        std::function<bool()> done;
        int settleMs = 0; // time for the view to draw what arrived (a PDF renders on its own)
    };

    Walkthrough(QString outputFolder, std::function<QImage()> grab, QObject *parent = nullptr);
    void start();

Q_SIGNALS:
    void finished(int exitStatus);

private:
    void buildSteps();
    void addNewLogSteps();
    void addExistingLogSteps();
    void addPartySteps();
    void addStorePOSteps(std::shared_ptr<QString> documentsLog);
    void addReportSteps();
    void addScanSteps();
    void addDCListSteps();
    void addDCStateSteps();
    void runStep();
    void poll();
    void finishStep();
    void fail(const QString &why);

    QString m_folder;
    std::function<QImage()> m_grab;
    QList<Step> m_steps;
    int m_index = 0;
    int m_waitedMs = 0;
    bool m_failed = false;
    QTimer m_poll;
    QString m_markedOut;
    QString m_markedOutPerson;
    QString m_savedLog;
    QPointer<securityLogDetailView> m_form; // the new log's form while it is filled
};
