#include "company/podrekordy/edycja_podrekordu_form.h"

#include "company/slowniki_firmy.h"
#include "company/strony/strona_firmy.h"
#include "ramka/edycja/zapis_procedury.h"
#include "ramka/modul.h"

#include "connection.h"
#include "handler_guard.h"
#include "host_funcs.h"
#include "prompter.h"
#include "stored_proc.h"

#include <QComboBox>
#include <QLabel>

using partners::tlumacz;

Tedycja_podrekordu_form::Tedycja_podrekordu_form(QWidget *parent, const Opis &opis)
    : Tszablon_edycja_form(parent, QLatin1String(opis.nazwa)),
      prefiks_kraju(host::Znajdz_NrKierunkowy()),
      m_parametrId(QLatin1String(opis.parametrId))
{
    naglowek_nowy = tlumacz(opis.kluczNowego);
    naglowek = tlumacz(opis.kluczEdycji);
    spZapisz()->setProcedureName(QLatin1String(opis.procedura));
}

bool Tedycja_podrekordu_form::brakPola(const QLabel *etykieta, QWidget *pole)
{
    QString podpis = etykieta->text();
    podpis.remove(QLatin1Char('&'));
    if (podpis.endsWith(QLatin1Char(':')))
        podpis.chop(1);
    host::InfoBox(this, tlumacz("Resstrings_IDS_prosze_wypelnic_pole").arg(podpis), host::mb::IconWarning);
    pole->setFocus();
    return false;
}

void Tedycja_podrekordu_form::wybierzZeSlownika(QComboBox *lista, const QString &typSlownika)
{
    const int wybrany = partners::SlownikiFirmy::otworzSlownik(this, typSlownika);
    partners::SlownikiFirmy::ladujSlownik(lista, typSlownika, true);
    if (wybrany > 0)
        partners::strony::wybierzId(lista, wybrany);
    lista->setFocus();
}

bool Tedycja_podrekordu_form::ZapiszZmiany(int mode)
{
    db::StoredProc &proc = *spZapisz();
    int kod = 0;
    int id = 0;
    // A database failure is told by the guard; a refusal below.
    host::guard([&] {
        db::Transaction transakcja(*proc.connection());
        ustawParametryZapisu(proc);
        proc.setValue(m_parametrId, mode == 0 ? QVariant() : QVariant(id_rekordu));
        if (host::ExecProc(proc) < 1)
            return;
        kod = proc.returnValue();
        if (kod != 0)
            return;
        const int zapisany = proc.value(m_parametrId).toInt();
        if (!poZapisieWiersza(zapisany))
            return;
        transakcja.commit();
        id = zapisany;
    });
    if (kod != 0)
        partners::zglosKodZapisu(kod, this);
    if (id <= 0)
        return false;
    id_rekordu = id;
    tryb = Edycja;
    oznaczBezZmian();
    odswiezTytul();
    return true;
}

void Tedycja_podrekordu_form::wczytajOkno()
{
    Tszablon_edycja_form::wczytajOkno();
    // A new row untouched is nothing to save or to ask about.
    oznaczBezZmian();
    odswiezTytul();
    if (QWidget *pole = pierwszePole(); pole && pole->isEnabled())
        pole->setFocus();
}

void Tedycja_podrekordu_form::odswiezTytul()
{
    ustawPodpis(tryb == Edycja && id_rekordu > 0 ? naglowek : naglowek_nowy);
}
