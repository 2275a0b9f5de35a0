#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>
#include <optional>

namespace partners {

// A company to be created from a few values, without the editor. What the
// caller does not give keeps the defaults below.
struct RekordFirmySzybki
{
    QString nazwa;
    QString skrot;             // always replaced by the generated one
    bool firma_wlasna = false; // own company, else a general one
    QString wlasciciel;
    QString e_mail;
    QString nr_gg;
    QString skype;
    QString nr_trans;
    int apd_id = 0;
    QString apd_token;
    QString www;
    QString nip;
    QString regon;
    QString krs;
    QDateTime nocne_od{QDate(2004, 11, 16), QTime(22, 0)};
    QDateTime nocne_do = nocne_od.addSecs(8 * 3600);
    QDateTime swieta_od{QDate(2004, 11, 16), QTime(6, 0)};
    QTime pora_nocna_od{0, 0};
    QTime pora_nocna_do{4, 0};
    int limit_nadh = 260;
    int dodatkowe_wolne = 7;
    QString uwagi;
    QString waluta; // empty: the host's default currency
    QString ulica;
    QString nr_domu;
    QString nr_m;
    int id_m = 0;
    int id_kodu = 0;
    QString miasto;
    QString kod;
    QString grupa;    // id of a firma_rodzaj entry, as text
    QString panstwo;  // domain, ISO or registration code
    int id_wynik = 0; // the stored id_f
};

// The record an imported order describes, by position: 1 name, 2 country,
// 3 postal code, 4 city, 5 street, 6 flat number; 7 the group when the list
// has 8 entries or more; 8 and 9 the city and postal-code ids when it has 10
// or more. Entry 0 (the binding id) is not read. The ids must be whole
// numbers: otherwise there is no record and *powod says why.
std::optional<RekordFirmySzybki> rekordZListy(const QStringList &lista, QString *powod = nullptr);

} // namespace partners
