#pragma once

#include "lists/lista_firm_zapytanie.h"

#include <QList>
#include <QString>

namespace db {
class Connection;
class Dialect;
} // namespace db

// Bulk changes to the companies selected in the list. Ids are always bound,
// never written into the statement.
namespace partners {

// The choices the dialog of a menu entry offers, as columns id and nazwa.
KomendaSql wyborMultiakcji(const QString &wpis, int idJezyka, const db::Dialect &dialekt);

// Group 0 takes every group from the companies; any other is added where missing, none removed.
void ustawGrupeFirm(db::Connection &polaczenie, const QList<int> &ids, int grupa);
// Each company's analytic code (import binding 15) becomes its short name.
void ustawKodAnalitykiFirm(db::Connection &polaczenie, const QList<int> &ids);
// firma.id_fv_ud (0: none) of the companies that carry another one; true when any changed.
bool ustawUwagiDodatkoweFirm(db::Connection &polaczenie, const QList<int> &ids, int idUwag);
// A per-company setting of the module, stored by the data module; false when that is missing.
bool zapiszUstawienieFirm(const QString &klucz, const QList<int> &ids, int wartosc);

} // namespace partners
