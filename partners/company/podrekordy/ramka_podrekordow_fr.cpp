#include "company/podrekordy/ramka_podrekordow_fr.h"

#include "company/podrekordy/edycja_podrekordu_form.h"
#include "ramka/modul.h"

#include "dataset.h"
#include "host_funcs.h"
#include "prompter.h"

#include <memory>

Tramka_podrekordow_frame::Tramka_podrekordow_frame(QWidget *parent, const QString &name)
    : Tramka_lista_frame(parent, name),
      m_idJezyka(host::GetLanguage())
{
    // A company's few rows need no date range or filter row.
    if (auto *filtry = findChild<QWidget *>(QStringLiteral("pPanelFiltry")))
        filtry->hide();
}

ui::GridColumn Tramka_podrekordow_frame::kolumna(const char *pole, const char *klucz, int szerokosc, bool widoczna,
                                                 bool poleWyboru)
{
    ui::GridColumn k;
    k.fieldName = QLatin1String(pole);
    k.title = QLatin1String(klucz);
    k.width = szerokosc;
    k.visible = widoczna;
    k.checkBox = poleWyboru;
    return k;
}

void Tramka_podrekordow_frame::Otworz(int idFirmy, const QString &nazwaOkna)
{
    UstawFirme(idFirmy);
    InicjujRamke(partners::PlikModulu, TylkoPodglad, nazwaOkna, objectName());
}

void Tramka_podrekordow_frame::ChronDomyslny(const char *kolumna, const char *klucz)
{
    m_kolumnaDomyslna = QLatin1String(kolumna);
    m_kluczDomyslnego = klucz;
}

bool Tramka_podrekordow_frame::PrzedUsunieciem(int id)
{
    // A read-only company keeps its rows too.
    if (m_upr < 1) {
        host::InfoWarning(QStringLiteral("Resstrings_IDS_Brak_Upr_Zmian_Firm"), this);
        return false;
    }
    if (m_kolumnaDomyslna.isEmpty())
        return true;
    // The stored flag, not the list's copy: another window may have moved the default.
    const QString sql = QStringLiteral("select %1 from %2 where %3 = :id").arg(m_kolumnaDomyslna, tabela(), nazwaId());
    if (host::GetIntDB(sql, QString(), nullptr, {{QStringLiteral("id"), id}}) == 0)
        return true;
    host::InfoBox(this, partners::tlumacz(m_kluczDomyslnego), host::mb::IconWarning);
    return false;
}

void Tramka_podrekordow_frame::ListaBeforeOpen()
{
    Tramka_lista_frame::ListaBeforeOpen();
    db::Parameters &parametry = Lista()->parameters();
    parametry.setValue(ParametrFirmy, m_idFirmy);
    if (bazowaKwerenda().contains(QLatin1String(":id_jezyka")))
        parametry.setValue(QStringLiteral("id_jezyka"), m_idJezyka);
}

void Tramka_podrekordow_frame::NowyRekord()
{
    uruchomEdytor(Tszablon_edycja_form::Nowy);
}

void Tramka_podrekordow_frame::EdytujRekord(int id, bool kopia)
{
    if (kopia || !GoToId(id))
        return;
    uruchomEdytor(Tszablon_edycja_form::Edycja);
}

void Tramka_podrekordow_frame::uruchomEdytor(int tryb)
{
    const std::unique_ptr<Tedycja_podrekordu_form> edytor(UtworzEdytorPodrekordu());
    if (!edytor)
        return;
    edytor->UstawFirme(m_idFirmy);
    edytor->PokazDlaListy(Lista(), tryb, m_upr != 0 ? 1 : 0);
}
