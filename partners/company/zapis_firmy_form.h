#pragma once

#include "company/miasto_firmy.h"
#include "company/rekord_szybki.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QSet>

// Creates a company from a quick-create record without showing a window:
// resolves the address to ids (creating a missing city through the cities
// sibling), generates the short name, stores the company with its kind and
// default address. It never changes an existing company.
class Tzapis_firmy_form : public QObject
{
    Q_OBJECT
public:
    // Reads the type and kind dictionaries, the default currency, the
    // unique-short-name switch and the countries.
    explicit Tzapis_firmy_form(QObject *parent = nullptr);

    // Stores the record as a new company and returns its id, also written to
    // r.id_wynik; 0 when nothing was stored, *powod saying why. Shows no
    // window. The record's short name, currency and address ids are filled in.
    int ZapiszSzybko(partners::RekordFirmySzybki &r, QString *powod = nullptr);

    // The kinds that the last store checked.
    const QSet<int> &zaznaczoneRodzaje() const { return m_zaznaczone; }

private:
    int idTypuFirmy(bool wlasna) const;
    void zapisz(partners::RekordFirmySzybki &r);
    void zapiszRodzaje(int idFirmy);
    void zapiszAdres(const partners::RekordFirmySzybki &r);

    QList<QPair<int, QString>> m_typy;
    QList<int> m_rodzaje;
    QSet<int> m_zaznaczone;
    QString m_domyslnaWaluta;
    bool m_unikalneSkroty = false;
    partners::PanstwaFirmy m_panstwa;
};
