#pragma once

#include "dataset.h"

#include <QHash>
#include <QString>

namespace db {
class Connection;
}

namespace partners {

// nazwa_grupy of every company, built once per open of Lista, so that no row
// of the list scans the group rows.
class NazwyGrupFirm
{
public:
    // Each company's groups in grupa order joined with ", ": a group's
    // translation or, without one, its wartosc. A non-zero tag reads one
    // company. Throws db::DbError.
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
