#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QComboBox;

namespace ramka {

// Keeps the pick lists of a vehicle and its crew (driver, co-driver, trailer)
// in step with the vehicles' default crews while a user picks, and writes the
// crew the user chose back to the vehicle, so its defaults follow the latest
// choice. Any list may be absent; each holds the record id as item data.
class ZalogaPojazdu : public QObject
{
    Q_OBJECT
public:
    ZalogaPojazdu(QComboBox *pojazdy, QComboBox *kierowcy, QComboBox *pomocnicy, QComboBox *naczepy,
                  QObject *parent = nullptr);

    void wczytaj();
    void wybranoPojazd();
    void wybranoKierowce();
    // After the owner saved its record; updates only the crew members that changed.
    void zapiszZaloge();

private:
    struct Zaloga
    {
        int kierowca = 0;
        int pomocnik = 0;
        int naczepa = 0;
    };
    enum Lista { Pojazd, Kierowca, Pomocnik, Naczepa, Listy };

    void ustawDomyslny(Lista lista, int id);

    bool m_wczytana = false;
    QPointer<QComboBox> m_listy[Listy];
    bool m_wybranaPrzezUzytkownika[Listy] = {};
    QHash<int, Zaloga> m_zalogi;
};

} // namespace ramka
