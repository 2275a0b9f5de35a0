#pragma once

#include <QStringList>
#include <QVariant>
#include <optional>

namespace cities {

// A city of the dictionary with its postal codes. The commune, district,
// voivodeship and post-office links are carried so a save keeps them.
struct Miasto
{
    int id = 0; // 0 for a new city
    QString nazwa;
    int idPanstwa = 0; // 0: none
    QStringList kody;
    QVariant widoczne = 1;
    QVariant idMPoczty, idMGminy, idWpp, idWpw;
};

// Poland, the country of a city created without one being named.
int domyslnePanstwo();
// The country named by its registration code, ISO code or name in any
// language; 0 when nothing matches.
int panstwoWgNazwy(const QString &tekst);

// Null when there is no such city.
std::optional<Miasto> wczytajMiasto(int id);
// Writes the city and makes its postal codes exactly the given ones, in one
// transaction. Returns the city id, 0 when the save failed (reported).
int zapiszMiasto(const Miasto &miasto);

} // namespace cities
