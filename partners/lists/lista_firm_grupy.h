#pragma once

#include "dataset.h"

#include <QHash>
#include <QString>

namespace db {
class Connection;
}

namespace partners {

// nazwa_grupy of the list's rows: each row carries its kinds' ids, which are
// named from the dictionary read once per open of Lista.
class NazwyGrupFirm
{
public:
    // Reads the kinds' names in the language: a kind's translation or,
    // without one, its wartosc. Throws db::DbError.
    void wczytaj(db::Connection &polaczenie, int idJezyka);

    // The names of the kinds whose ids are joined by commas, in id order,
    // joined with ", "; empty for none.
    QString nazwy(const QString &idGrup) const;

    // ListaCalcFields: fills nazwa_grupy from PoleIdGrup. The object must
    // outlive the data set's use of it.
    db::DataSet::CalcFieldsFn obliczanie() const;

private:
    QHash<int, QString> m_nazwyRodzajow;
    // The few distinct sets of kinds of a large register, each named once.
    mutable QHash<QString, QString> m_nazwyZestawow;
};

} // namespace partners
