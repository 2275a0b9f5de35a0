#pragma once

#include <QList>
#include <QString>

namespace db {
class Connection;
}

namespace settings_ui {

// A company of the 'firma_wlasna' type: one the settings window offers as
// the active company.
struct FirmaWlasna
{
    int id = 0;
    QString nazwa;
    bool operator==(const FirmaWlasna &) const = default;
};

// The own companies by name.
QList<FirmaWlasna> czytajFirmyWlasne(db::Connection &polaczenie);

// The list the settings window offers, as last read while the module is loaded.
const QList<FirmaWlasna> &firmyWlasne();

// What _OdswiezFirmy does: re-reads the list through the host's connection
// and posts msg::OwnCompaniesReloaded to the host's main window. False
// without a connection; a failed read throws db::DbError and keeps the old list.
bool odswiezFirmy();

} // namespace settings_ui
