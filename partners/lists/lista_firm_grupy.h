#pragma once

#include "dataset.h"

#include <QHash>
#include <QString>

namespace db {
class Connection;
}

namespace partners {

// nazwa_grupy of every company, built once per open of Lista from the rows of
// lista_grup_firm, so that no row of the list scans the group rows.
class NazwyGrupFirm
{
public:
    // Rows in the statement's order (id_f, grupa): each company's groups
    // joined with ", ", a group's tresc or, without a translation, its wartosc.
    void wczytaj(const db::DataSet &listaGrup);
    // Runs lista_grup_firm (narrowed by a non-zero tag) and reads it. Throws db::DbError.
    void wczytaj(db::Connection &polaczenie, int idJezyka, int tag = 0);
    void wyczysc() { m_nazwy.clear(); }

    // Empty for a company without groups.
    QString nazwy(int idF) const { return m_nazwy.value(idF); }
    int liczbaFirm() const { return int(m_nazwy.size()); }

    // ListaCalcFields: fills nazwa_grupy from the company's id. The object
    // must outlive the data set's use of it.
    db::DataSet::CalcFieldsFn obliczanie() const;

private:
    QHash<int, QString> m_nazwy;
};

} // namespace partners
