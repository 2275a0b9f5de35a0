#include "lists/szybkie_szukanie.h"

#include "dataset.h"
#include "text_collation.h"

#include <Qt>
#include <algorithm>
#include <cstring>
#include <string_view>

namespace partners {

const QStringList &SzybkieSzukanieFirm::polaWpisu()
{
    static const QStringList pola = {QStringLiteral("nazwa"),  QStringLiteral("nip"),        QStringLiteral("skrot"),
                                     QStringLiteral("miasto"), QStringLiteral("wlasciciel"), QStringLiteral("e_mail")};
    return pola;
}

QString SzybkieSzukanieFirm::tekstWpisu(const QStringList &wartosci)
{
    QString tekst;
    for (int i = 0; i < polaWpisu().size(); ++i) {
        if (i > 0)
            tekst += QString(i + 1, QLatin1Char(';'));
        tekst += wartosci.value(i);
    }
    return tekst;
}

void SzybkieSzukanieFirm::wyczysc()
{
    m_lista = nullptr;
    m_pola.clear();
    m_poleId = -1;
    m_wiersze.clear();
    m_zlozone.clear();
    m_poczatki.assign(1, 0);
    m_zwinietePola = 0;
}

void SzybkieSzukanieFirm::zbuduj(const db::DataSet &lista)
{
    zacznij(lista);
    dokoncz();
}

void SzybkieSzukanieFirm::zacznij(const db::DataSet &lista)
{
    wyczysc();
    if (!lista.isActive())
        return;
    m_lista = &lista;
    for (const QString &pole : polaWpisu())
        m_pola << lista.fieldIndex(pole);
    m_poleId = lista.fieldIndex(QStringLiteral("id"));
    const int ile = lista.recordCount();
    m_wiersze.reserve(size_t(ile));
    for (int i = 0; i < ile; ++i)
        m_wiersze.push_back(lista.bookmarkAt(i));
    m_poczatki.reserve(size_t(ile) + 1);
}

bool SzybkieSzukanieFirm::dobuduj(int ile)
{
    if (zbudowany())
        return true;
    if (!m_lista) {
        wyczysc();
        return true;
    }
    // Folding a column of a million rows takes a step of its own.
    if (m_zwinietePola < m_pola.size()) {
        if (const int pole = m_pola[m_zwinietePola++]; pole >= 0)
            m_lista->foldedTexts(pole);
        return false;
    }
    // Folding is per letter, so the folded text is the folded fields joined
    // by separators, ";;" before the second and one more before each next.
    // The columns are taken whole: a million rows read cell by cell cost
    // more in calls than in copying. Taken again at each step, as an edit
    // of the list in between folds them anew.
    std::vector<db::DataSet::FoldedTexts> kolumny;
    for (int pole : m_pola)
        kolumny.push_back(pole < 0 ? db::DataSet::FoldedTexts{} : m_lista->foldedTexts(pole));
    const qsizetype separatory = m_pola.size() * (m_pola.size() + 1) / 2 - 1;
    if (m_zlozone.isEmpty()) {
        // Every fetched row's text: as much as the entries take, or more.
        qsizetype rozmiar = separatory * liczba();
        for (const db::DataSet::FoldedTexts &kolumna : kolumny)
            if (kolumna.text)
                rozmiar += kolumna.start[m_lista->totalRowCount()];
        m_zlozone.resize(rozmiar);
    }
    qsizetype koniec = m_poczatki.back();
    char *zlozone = m_zlozone.data();
    const size_t od = m_poczatki.size() - 1;
    for (size_t i = od; i < std::min(m_wiersze.size(), od + size_t(std::max(ile, 0))); ++i) {
        const db::Bookmark wiersz = m_wiersze[i];
        qsizetype dlugosc = separatory;
        for (const db::DataSet::FoldedTexts &kolumna : kolumny)
            if (kolumna.text)
                dlugosc += kolumna.start[wiersz + 1] - kolumna.start[wiersz];
        if (koniec + dlugosc > m_zlozone.size()) {
            // An edit in between made the texts longer.
            m_zlozone.resize(std::max(2 * m_zlozone.size(), koniec + dlugosc));
            zlozone = m_zlozone.data();
        }
        for (size_t p = 0; p < kolumny.size(); ++p) {
            if (p > 0)
                koniec = std::fill_n(zlozone + koniec, p + 1, ';') - zlozone;
            if (const db::DataSet::FoldedTexts &kolumna = kolumny[p]; kolumna.text) {
                const std::uint32_t poczatek = kolumna.start[wiersz];
                const std::uint32_t ileBajtow = kolumna.start[wiersz + 1] - poczatek;
                std::memcpy(zlozone + koniec, kolumna.text + poczatek, ileBajtow);
                koniec += ileBajtow;
            }
        }
        m_poczatki.push_back(std::uint32_t(koniec));
    }
    if (!zbudowany())
        return false;
    m_zlozone.resize(koniec);
    // Rows a filter hides leave room behind worth giving back.
    if (m_zlozone.capacity() > 2 * m_zlozone.size())
        m_zlozone.squeeze();
    return true;
}

void SzybkieSzukanieFirm::dokoncz()
{
    while (!dobuduj(liczba()))
        continue;
}

QString SzybkieSzukanieFirm::tekst(int pozycja) const
{
    if (!m_lista || pozycja < 0 || pozycja >= liczba())
        return {};
    QStringList wartosci;
    for (int pole : m_pola)
        wartosci << (pole < 0 ? QString() : m_lista->valueAt(m_wiersze[size_t(pozycja)], pole).toString());
    return tekstWpisu(wartosci);
}

int SzybkieSzukanieFirm::id(int pozycja) const
{
    if (!m_lista || m_poleId < 0 || pozycja < 0 || pozycja >= liczba())
        return 0;
    return m_lista->valueAt(m_wiersze[size_t(pozycja)], m_poleId).toInt();
}

QList<int> SzybkieSzukanieFirm::znajdz(const QString &fraza, int najwiecej) const
{
    QList<int> wynik;
    if (fraza.isEmpty())
        return wynik;
    QByteArray szukana;
    db::collation::appendFolded(fraza, szukana);
    const std::string_view tekst(m_zlozone.constData(), size_t(m_zlozone.size()));
    const std::string_view igla(szukana.constData(), size_t(szukana.size()));
    size_t wpis = 0;
    for (size_t at = tekst.find(igla); at != std::string_view::npos; at = tekst.find(igla, at)) {
        if (wynik.size() == najwiecej)
            break;
        while (m_poczatki[wpis + 1] <= at)
            ++wpis;
        const size_t koniec = m_poczatki[wpis + 1];
        if (at + igla.size() <= koniec) {
            wynik << int(wpis);
            at = koniec;
        } else {
            ++at;
        }
    }
    return wynik;
}

QStringList kolumnyWpisu(const QString &tekst)
{
    return tekst.split(QLatin1Char(';'), Qt::KeepEmptyParts);
}

ZakresTrafienia zakresTrafienia(const QString &kolumna, const QString &fraza)
{
    if (fraza.isEmpty())
        return {};
    const int poczatek = int(kolumna.indexOf(fraza, 0, Qt::CaseInsensitive));
    if (poczatek < 0)
        return {};
    return {poczatek, int(fraza.size())};
}

AkcjaKlawisza akcjaKlawisza(int key, bool jestPodswietlony)
{
    switch (key) {
    case Qt::Key_Escape:
        return AkcjaKlawisza::Ukryj;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Without a highlight Enter belongs to the phrase search; the list goes.
        return jestPodswietlony ? AkcjaKlawisza::Wybierz : AkcjaKlawisza::Ukryj;
    case Qt::Key_Down:
        return AkcjaKlawisza::Dol;
    case Qt::Key_Up:
        return AkcjaKlawisza::Gora;
    case Qt::Key_F2:
        return AkcjaKlawisza::Nic;
    default:
        return AkcjaKlawisza::Szukaj;
    }
}

int przesunPodswietlenie(int biezacy, int krok, int liczba)
{
    if (liczba <= 0)
        return -1;
    if (biezacy < 0)
        return krok > 0 ? 0 : -1;
    return std::clamp(biezacy + krok, 0, liczba - 1);
}

} // namespace partners
