#include "lists/szybkie_szukanie.h"

#include "dataset.h"

#include <Qt>
#include <algorithm>

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
    m_wpisy.clear();
    m_zlozone.clear();
}

void SzybkieSzukanieFirm::zbuduj(const db::DataSet &lista)
{
    wyczysc();
    if (!lista.isActive())
        return;
    QList<int> indeksy;
    for (const QString &pole : polaWpisu())
        indeksy << lista.fieldIndex(pole);
    const int poleId = lista.fieldIndex(QStringLiteral("id"));
    const int ile = lista.recordCount();
    m_wpisy.reserve(ile);
    m_zlozone.reserve(ile);
    QStringList wartosci;
    for (int i = 0; i < ile; ++i) {
        const db::Bookmark wiersz = lista.bookmarkAt(i);
        wartosci.clear();
        for (int pole : indeksy)
            wartosci << (pole < 0 ? QString() : lista.valueAt(wiersz, pole).toString());
        Wpis wpis;
        wpis.tekst = tekstWpisu(wartosci);
        wpis.id = poleId < 0 ? 0 : lista.valueAt(wiersz, poleId).toInt();
        m_zlozone << wpis.tekst.toCaseFolded();
        m_wpisy << std::move(wpis);
    }
}

QList<int> SzybkieSzukanieFirm::znajdz(const QString &fraza) const
{
    QList<int> wynik;
    if (fraza.isEmpty())
        return wynik;
    const QString szukana = fraza.toCaseFolded();
    for (int i = 0; i < m_zlozone.size(); ++i)
        if (m_zlozone[i].contains(szukana))
            wynik << i;
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
