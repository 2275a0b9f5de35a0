#pragma once

#include "ramka/import_eksport/szablony_ie.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <memory>

// The companies of the company list, with their accounts, addresses, contact
// persons and phones, as the company document of an export. The rows are
// read in portions of the given ids, one statement per view and portion.
class Texport_firm_form : public Tszablon_export_from
{
    Q_OBJECT
public:
    // The ids the list holds, in its order.
    explicit Texport_firm_form(const QList<int> &idFirm, QObject *parent = nullptr);
    ~Texport_firm_form() override;

    db::DataSet *Lista() override;
    QDomElement WriteRecord(QDomElement &documentElement, int id) override;
    void WriteSubRecords(QDomElement &recordElement, int id) override;

private:
    struct Wiersz
    {
        int id = 0;
        QStringList wartosci;
    };
    void wczytajPorcje(int id);

    QList<int> m_idFirm;
    QHash<int, int> m_pozycja;
    int m_porcja = -1;
    QHash<int, QStringList> m_firmy;
    QHash<int, QList<Wiersz>> m_podrekordy[4];
    std::unique_ptr<db::DataSet> m_lista;
};
