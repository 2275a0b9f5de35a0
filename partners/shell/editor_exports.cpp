
#include "partners_api.h"
#include "ramka/modul.h"

#include "company/edycja_firmy_form.h"
#include "company/podrekordy/adresy_firmy_fr.h"
#include "company/podrekordy/edycja_adresu_form.h"
#include "lists/lista_firm_fr.h"

#include "dataset.h"
#include "handler_guard.h"
#include "host_funcs.h"
#include "lista_grid.h"

#include <QToolButton>
#include <exception>
#include <memory>

namespace {

// The editor of one call: the module's pointer names it while it lives.
class EdytorWywolania
{
public:
    EdytorWywolania() { partners::windows().edycja_firmy_form = &m_edytor; }
    ~EdytorWywolania() { partners::windows().edycja_firmy_form = nullptr; }
    EdytorWywolania(const EdytorWywolania &) = delete;
    EdytorWywolania &operator=(const EdytorWywolania &) = delete;

    Tedycja_firmy_form *operator->() { return &m_edytor; }

    // Called from within an order, a company may not add another order.
    void ustawZZlecenia(bool zZlecenia)
    {
        m_edytor.ZZlecenia = zZlecenia;
        if (QToolButton *dodaj = m_edytor.dodaj_zlec())
            dodaj->setEnabled(!zZlecenia);
    }

private:
    Tedycja_firmy_form m_edytor;
};

int mozeZapisac()
{
    return host::SprawdzUpr(partners::PlikModulu) >= 1 ? 1 : 0;
}

struct OpcjeEdycji
{
    QString zakladka; // objectName of the first page; empty: the editor's own
    bool zZlecenia = false;
};

int edytuj(int id, int idJezyka, const OpcjeEdycji &opcje,
           const std::source_location &where = std::source_location::current())
{
    host::guard(
        [&] {
            EdytorWywolania edytor;
            edytor.ustawZZlecenia(opcje.zZlecenia);
            edytor->UstawRekord(id, idJezyka);
            if (!opcje.zakladka.isEmpty())
                edytor->UstawZakladkeStartowa(opcje.zakladka);
            edytor->WywolanieZewnetrzne = true;
            // An order must be able to keep the company it has just corrected.
            edytor->PokazRekord(id, Tszablon_edycja_form::Edycja, opcje.zZlecenia ? 1 : mozeZapisac());
            edytor->WywolanieZewnetrzne = false;
        },
        where);
    return id;
}

constexpr int BezGrupy = -1;
// What NewRecord answers in the restricted list, where companies are not created.
constexpr int NewRecordOgraniczona = -5;

int nowa(int grupa, bool zZlecenia, const std::source_location &where = std::source_location::current())
{
    return host::guard(
        0,
        [&] {
            EdytorWywolania edytor;
            edytor.ustawZZlecenia(zZlecenia);
            if (!zZlecenia)
                edytor->UstawGrupeNowej(grupa);
            edytor->PokazRekord(0, Tszablon_edycja_form::Nowy, 1);
            return edytor->IdRekordu();
        },
        where);
}

// Without a list window the stand-alone frame exists only for the call.
std::unique_ptr<Tlista_firm_frame> ramkaSamodzielna()
{
    auto ramka = std::make_unique<Tlista_firm_frame>();
    partners::windows().lista_firm_frame = ramka.get();
    ramka->Uprawnienia = host::SprawdzUpr(partners::PlikModulu);
    host::Podepnij_kwerendy(ramka.get());
    ramka->OtworzListe();
    return ramka;
}

} // namespace

int _EditRecord(void *, void *, int id, int idJezyka)
{
    return edytuj(id, idJezyka, {});
}

int _EditRecordZakladka(int id, int idJezyka, QString tab)
{
    return edytuj(id, idJezyka, {tab, false});
}

int _Firma_EditRecord_Zlec(void *, void *, int id, int idJezyka)
{
    return edytuj(id, idJezyka, {QString(), true});
}

int _NewRecord()
{
    if (host::CzyWersjaOgraniczona())
        return NewRecordOgraniczona;
    return nowa(BezGrupy, false);
}

int _NewRecordPar(void *, int group)
{
    return nowa(group, false);
}

int _Firma_NewRecord_Zlec()
{
    return nowa(BezGrupy, true);
}

void _EdytujFirme(int id)
{
    host::guard([id] {
        std::unique_ptr<Tlista_firm_frame> wlasna;
        auto *ramka = qobject_cast<Tlista_firm_frame *>(partners::windows().lista_firm_frame.data());
        if (!ramka) {
            wlasna = ramkaSamodzielna();
            ramka = wlasna.get();
        }
        if (ramka->Lista()->isActive() && ramka->Lista()->locate(QStringLiteral("id"), id)) {
            const bool zZewnatrz = ramka->EdycjaZZewnatrz;
            const bool modalna = ramka->EdycjaModalna;
            ramka->EdycjaZZewnatrz = true;
            ramka->EdycjaModalna = true;
            // The edit action takes the selection first; only the located row is meant.
            ramka->ListaGrid()->uncheckAll();
            ramka->edycjaClick();
            ramka->EdycjaZZewnatrz = zZewnatrz;
            ramka->EdycjaModalna = modalna;
        }
        if (wlasna) {
            wlasna->Lista()->close();
            wlasna.reset();
            partners::windows().lista_firm_frame = nullptr;
        }
    });
}

int _NewRecordFirmaAdres(QObject *, int **params)
{
    return host::guard(int(QDialog::Rejected), [params] {
        if (!params || !*params)
            return int(QDialog::Rejected);
        int *wartosci = *params;
        Tadresy_firmy_frame ramka;
        Tedycja_adresu_form edytor;
        partners::windows().adresy_firmy_frame = &ramka;
        partners::windows().edycja_adresu_form = &edytor;
        ramka.Otworz(wartosci[0], edytor.objectName());
        edytor.UstawFirme(wartosci[0]);
        const bool nowy = wartosci[1] <= 0;
        if (!nowy && !ramka.GoToId(wartosci[1]))
            return int(QDialog::Rejected);
        const int wynik =
            edytor.PokazDlaListy(ramka.Lista(), nowy ? Tszablon_edycja_form::Nowy : Tszablon_edycja_form::Edycja,
                                 host::SprawdzUpr(partners::PlikModulu) != 0 ? 1 : 0);
        if (wynik == QDialog::Accepted)
            wartosci[1] = edytor.IdRekordu();
        return wynik;
    });
}
