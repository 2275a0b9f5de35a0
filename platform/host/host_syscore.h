#pragma once

#include "host_export.h"

#include <QList>
#include <QObject>
#include <QString>

namespace host {

// Change notifications of the host. Windows and tests connect to these
// signals; each is also delivered to the main window as a HostMessageEvent.
class MALVO_HOST_EXPORT Notifier : public QObject
{
    Q_OBJECT
public:
    static Notifier *instance();

    struct Record
    {
        enum Kind { Companies, Dictionary, ActiveCompany, SystemCompany } kind;
        int code = 0;
        int param = 0;
        QString name;
    };
    // Every notification since the last clearRecords() (for tests and the command line).
    const QList<Record> &records() const { return m_records; }
    void addRecord(const Record &record) { m_records.append(record); }
    void clearRecords() { m_records.clear(); }

signals:
    void companiesChanged(int code, int param);
    void dictionaryChanged(const QString &name);
    void activeCompanyChanged(int companyId);
    void systemCompanyChanged(int companyId);
    // Every message sent or posted to the main window.
    void mainWindowMessage(int message, qintptr wParam, qintptr lParam, bool posted);

private:
    explicit Notifier(QObject *parent = nullptr);
    QList<Record> m_records;
};

inline Notifier *notifier()
{
    return Notifier::instance();
}

// Company data changed: other windows refresh (code 0; 19 after a save in the editor).
MALVO_HOST_EXPORT void OdswiezFirmy_main(int code, int param = 0);
// A dictionary changed (after deletions from a list).
MALVO_HOST_EXPORT void OdswiezFirmySlownik_main(const QString &name);
// The system company id the company editor works for; kept by the host.
MALVO_HOST_EXPORT void NEW_SysFirmaId(int companyId);
MALVO_HOST_EXPORT int SysFirmaId();

} // namespace host
