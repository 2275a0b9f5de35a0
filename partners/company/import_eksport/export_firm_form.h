#pragma once

#include "ramka/import_eksport/szablony_ie.h"

#include "query.h"

#include <QHash>
#include <QList>
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
    void wczytajPorcje(int id);

    QList<int> m_idFirm;
    QHash<int, int> m_pozycja;
    int m_porcja = -1;
    // The rows of the portion: the companies, then the four kinds of dependent rows.
    std::unique_ptr<db::Query> m_zrodla[5];
    QList<int> m_kolumnyFirmy, m_kolumnyCzasow, m_kolumnyPodrekordow[4];
    QHash<int, db::Bookmark> m_wierszFirmy;
    // Each company's dependent rows of a kind, first and past the last; the
    // rows come ordered by company.
    QHash<int, std::pair<db::Bookmark, db::Bookmark>> m_wierszePodrekordow[4];
    std::unique_ptr<db::DataSet> m_lista;
};
