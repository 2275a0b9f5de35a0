#include "lists/lista_firm_reguly.h"

#include "host_variables.h"

#include <QVariant>

namespace partners {

QString blokadaUsuwaniaFirm(const QList<int> &zaznaczone, int aktywnaFirma)
{
    if (aktywnaFirma > 0 && zaznaczone.contains(aktywnaFirma))
        return QString::fromLatin1(KluczNieMoznaUsunacAktywnej);
    return {};
}

StanMenuKontekstowego stanMenuKontekstowego(bool listaOtwarta, bool listaOtwierana, int liczbaZaznaczonych)
{
    StanMenuKontekstowego stan;
    stan.zmien = listaOtwarta && !listaOtwierana;
    if (!stan.zmien)
        return stan;
    const bool jeden = liczbaZaznaczonych == 1;
    stan.menu = {jeden, jeden, jeden};
    return stan;
}

bool moznaPokazacPowiazanePliki(bool jestBiezacyWiersz, const QVariant &id)
{
    return jestBiezacyWiersz && id.isValid() && !id.isNull();
}

MultiakcjeFirm widoczneMultiakcje(int uprZlecenia, int pokazWydrukPotwZlecenia, int uprFaktury)
{
    MultiakcjeFirm m;
    m.szablonRealizacji = uprZlecenia == 1;
    m.warunkiPotwierdzeniaZlecenia = m.szablonRealizacji && pokazWydrukPotwZlecenia != 0;
    m.domyslneUwagiDodatkowe = uprFaktury == 1;
    return m;
}

QString szablonZakladkiEdycji(const QString &tekstEdycja)
{
    return tekstEdycja + QStringLiteral(" %skrot");
}

QString podpisZakladkiEdycji(const QString &szablon, const QString &skrot)
{
    QString podpis = szablon;
    return podpis.replace(QLatin1String("%skrot"), skrot);
}

FiltryListyFirm wczytajFiltryListyFirm()
{
    return {host::var::ListaFirmTylkoWlasne.get(), host::var::ListaFirmUkryjZalRoz.get(),
            host::var::ListaFirmDokumentyWygasaja.get(), host::var::ListaFirmDniWygasania.get()};
}

void zapiszFiltryListyFirm(const FiltryListyFirm &filtry)
{
    host::var::ListaFirmTylkoWlasne.set(filtry.tylkoWlasneFirmy);
    host::var::ListaFirmUkryjZalRoz.set(filtry.ukryjFirmyZalRoz);
    host::var::ListaFirmDokumentyWygasaja.set(filtry.dokumentyWygasaja);
    host::var::ListaFirmDniWygasania.set(filtry.dniWygasania);
}

} // namespace partners
