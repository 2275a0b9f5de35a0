#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

class QWidget;
namespace db {
class Connection;
class StoredProc;
} // namespace db

namespace partners {

// What a saving procedure (PZapFirmeFull, PZapAdres, ...) answered.
struct WynikZapisu
{
    bool wykonano = false; // false: the host has already reported the database error
    QVariant id;           // @id after the call
    int kod = -1;          // @RETURN_VALUE; 0 is success
    QVariant wersja;       // @wersja after the call, of a procedure that keeps a row version
    bool sukces() const { return wykonano && kod == 0; }
};

// Refreshes the procedure's parameters and sets the given ones; the rest stay null.
void ustawParametry(db::StoredProc &proc, const QVariantMap &parametry);

// Runs a saving procedure through the host with named parameters; those not
// given stay null. The connection defaults to the host's.
WynikZapisu wykonajZapis(const QString &procedura, const QVariantMap &parametry, db::Connection *polaczenie = nullptr);

// Tells the user why a saving procedure refused: 101 the record was deleted
// meanwhile, 102 it is being synchronised; other codes are the host's to word.
void zglosKodZapisu(int kod, QWidget *wlasciciel = nullptr);

} // namespace partners
