#include "ramka/zaloga_pojazdu.h"

#include "handler_guard.h"
#include "host_funcs.h"
#include "query.h"

#include <QComboBox>

namespace ramka {

namespace {

int wybraneId(const QComboBox *lista)
{
    return lista && lista->currentIndex() >= 0 ? lista->currentData().toInt() : 0;
}

} // namespace

ZalogaPojazdu::ZalogaPojazdu(QComboBox *pojazdy, QComboBox *kierowcy, QComboBox *pomocnicy, QComboBox *naczepy,
                             QObject *parent)
    : QObject(parent),
      m_listy{pojazdy, kierowcy, pomocnicy, naczepy}
{
    // Only a user's own pick counts as chosen; selections made here never do.
    for (int i = 0; i < Listy; ++i) {
        if (!m_listy[i])
            continue;
        connect(m_listy[i], &QComboBox::activated, this, [this, i] {
            host::guard([&] {
                if (i == Pojazd)
                    wybranoPojazd();
                else if (i == Kierowca)
                    wybranoKierowce();
                else
                    m_wybranaPrzezUzytkownika[i] = true;
            });
        });
    }
}

void ZalogaPojazdu::wczytaj()
{
    db::Query q(host::GetConnection(),
                QStringLiteral("select id, nr_rej, id_dom_naczepa, id_dom_kier, id_pomocnik "
                               "from VListaSamMini where id_u = :id_u "));
    q.parameters().setValue(QStringLiteral("id_u"), host::AktIdU());
    q.open();
    m_zalogi.clear();
    for (q.first(); !q.eof(); q.next())
        m_zalogi.insert(q.value(0).toInt(), {q.value(3).toInt(), q.value(4).toInt(), q.value(2).toInt()});
    m_wczytana = true;
}

void ZalogaPojazdu::ustawDomyslny(Lista lista, int id)
{
    QComboBox *combo = m_listy[lista];
    if (id < 1 || !combo || !combo->isEnabled() || m_wybranaPrzezUzytkownika[lista])
        return;
    const int pozycja = combo->findData(id);
    if (pozycja >= 0)
        combo->setCurrentIndex(pozycja);
}

void ZalogaPojazdu::wybranoPojazd()
{
    m_wybranaPrzezUzytkownika[Pojazd] = true;
    if (!m_wczytana)
        wczytaj();
    const auto zaloga = m_zalogi.constFind(wybraneId(m_listy[Pojazd]));
    if (zaloga == m_zalogi.cend())
        return;
    ustawDomyslny(Kierowca, zaloga->kierowca);
    ustawDomyslny(Pomocnik, zaloga->pomocnik);
    ustawDomyslny(Naczepa, zaloga->naczepa);
}

void ZalogaPojazdu::wybranoKierowce()
{
    if (m_wybranaPrzezUzytkownika[Pojazd])
        return;
    m_wybranaPrzezUzytkownika[Kierowca] = true;
    if (!m_wczytana)
        wczytaj();
    const int kierowca = wybraneId(m_listy[Kierowca]);
    if (kierowca < 1)
        return;
    for (auto it = m_zalogi.cbegin(); it != m_zalogi.cend(); ++it) {
        if (it->kierowca != kierowca)
            continue;
        ustawDomyslny(Pojazd, it.key());
        ustawDomyslny(Pomocnik, it->pomocnik);
        ustawDomyslny(Naczepa, it->naczepa);
        return;
    }
}

void ZalogaPojazdu::zapiszZaloge()
{
    const int pojazd = wybraneId(m_listy[Pojazd]);
    const auto zaloga = m_zalogi.find(pojazd);
    if (!m_wczytana || pojazd < 1 || zaloga == m_zalogi.end())
        return;
    QStringList zmiany;
    QVariantMap wartosci{{QStringLiteral("id_s"), pojazd}};
    const auto porownaj = [&](Lista lista, const char *kolumna, int &domyslny) {
        if (!m_listy[lista])
            return;
        const int wybrany = wybraneId(m_listy[lista]);
        if (wybrany == domyslny)
            return;
        const QString nazwa = QLatin1String(kolumna);
        zmiany << nazwa + QStringLiteral("=:") + nazwa;
        wartosci.insert(nazwa, wybrany > 0 ? QVariant(wybrany) : QVariant());
        domyslny = wybrany;
    };
    porownaj(Kierowca, "dom_kier", zaloga->kierowca);
    porownaj(Pomocnik, "pomocnik", zaloga->pomocnik);
    porownaj(Naczepa, "dom_naczepa", zaloga->naczepa);
    if (zmiany.isEmpty())
        return;
    db::Query update(host::GetConnection(),
                     QStringLiteral("update samochod set ") + zmiany.join(QLatin1Char(','))
                         + QStringLiteral(" where id_s=:id_s"));
    for (auto it = wartosci.cbegin(); it != wartosci.cend(); ++it)
        update.parameters().setValue(it.key(), it.value());
    update.exec();
}

} // namespace ramka
