#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace db {
class DataSet;
}

namespace partners {

// The quick-find list of the company list (application-context option 136).
class SzybkieSzukanieFirm
{
public:
    // Indexes the visible rows of Lista in list order without moving its
    // current row. The texts shown are read from Lista when asked for.
    void zbuduj(const db::DataSet &lista);
    // The same in steps: the entries are the rows visible now, their texts
    // come in by dobuduj(). The list must not be reopened meanwhile.
    void zacznij(const db::DataSet &lista);
    // One step: folds one more field's column, or adds the texts of at
    // most `ile` more entries; true once all are in.
    bool dobuduj(int ile);
    void dokoncz();
    bool zbudowany() const { return m_poczatki.size() == m_wiersze.size() + 1; }
    void wyczysc();

    int liczba() const { return int(m_wiersze.size()); }
    // nazwa;;nip;;;skrot;;;;miasto;;;;;wlasciciel;;;;;;e_mail
    QString tekst(int pozycja) const;
    int id(int pozycja) const;
    // Positions of the entries whose text contains the phrase, ignoring
    // letter case (Polish letters included), in list order, at most
    // `najwiecej` (all when negative). None for an empty phrase. Only the
    // entries built so far are searched.
    QList<int> znajdz(const QString &fraza, int najwiecej = -1) const;

    // The search text of one row: null values are empty, each separator is
    // a run of its own length so that columns keep their place.
    static QString tekstWpisu(const QStringList &wartosci);
    static const QStringList &polaWpisu();

private:
    QPointer<const db::DataSet> m_lista;
    QList<int> m_pola;
    int m_poleId = -1;
    qsizetype m_zwinietePola = 0;             // fields whose columns dobuduj() has folded
    std::vector<int> m_wiersze;               // bookmarks in list order
    QByteArray m_zlozone;                     // the case-folded texts, one after another
    std::vector<std::uint32_t> m_poczatki{0}; // built entry i is [m_poczatki[i], m_poczatki[i + 1])
};

// A shown entry's columns: the text split at every ";", empty parts kept so a
// field is always in the same column.
QStringList kolumnyWpisu(const QString &tekst);

// The part of a column that matches the phrase (ignoring case), drawn bold on
// light green; length 0 when none.
struct ZakresTrafienia
{
    int poczatek = 0;
    int dlugosc = 0;
};
ZakresTrafienia zakresTrafienia(const QString &kolumna, const QString &fraza);

// What a key in szukany_tekst does to the quick-find list.
enum class AkcjaKlawisza { Ukryj, Wybierz, Dol, Gora, Nic, Szukaj };
// key: a Qt::Key; Enter picks only when an entry is highlighted.
AkcjaKlawisza akcjaKlawisza(int key, bool jestPodswietlony);
// The highlight after Down (+1) or Up (-1) among `liczba` entries; -1 when none.
int przesunPodswietlenie(int biezacy, int krok, int liczba);

} // namespace partners
