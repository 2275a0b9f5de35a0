#include "dokumenty/lista_dokumenty_fr.h"

#include "dokumenty/edycja_dokument_form.h"
#include "ramka/modul.h"

#include "dataset.h"
#include "host_funcs.h"

namespace {

// Owner parameters in the order the statement takes them.
constexpr const char *Wlasciciele[] = {"id_k", "id_s", "id_realiz", "id_f"};

ui::GridColumn kolumna(const char *pole, const char *klucz, int szerokosc, bool widoczna = true)
{
    ui::GridColumn k;
    k.fieldName = QLatin1String(pole);
    k.title = QLatin1String(klucz);
    k.width = szerokosc;
    k.visible = widoczna;
    return k;
}

} // namespace

Tlista_dokumenty_frame::Tlista_dokumenty_frame(QWidget *parent)
    : Tramka_lista_frame(parent, QStringLiteral("lista_dokumenty_frame"))
{
    // An owner's few papers need no date range or filter row.
    if (auto *filtry = findChild<QWidget *>(QStringLiteral("pPanelFiltry")))
        filtry->hide();
    UstawTabele(QStringLiteral("dokument"), QStringLiteral("id_dok"));
    TabelaSlownie = QStringLiteral("dokument");
    SzablonOpisu = partners::tlumacz("Resstrings_IDS_dokumenty_edycja");
    UstawWlasciciela(-1, -1, -1, -1);
    UstawUproszczona(false);
}

void Tlista_dokumenty_frame::UstawWlasciciela(int idKierowcy, int idPojazdu, int idZlecenia, int idFirmy)
{
    m_idKierowcy = idKierowcy;
    m_idPojazdu = idPojazdu;
    m_idZlecenia = idZlecenia;
    m_idFirmy = idFirmy;
    const int ids[] = {idKierowcy, idPojazdu, idZlecenia, idFirmy};
    QString sql = QStringLiteral("select * from vlistadokument where id_jezyka=:id_jezyka ");
    for (int i = 0; i < 4; ++i)
        if (ids[i] != -1)
            sql += QStringLiteral(" and %1 = :%1").arg(QLatin1String(Wlasciciele[i]));
    UstawKwerende(sql);
}

void Tlista_dokumenty_frame::UstawUproszczona(bool uproszczona)
{
    const bool pelna = !uproszczona && !host::CzyWersjaUproszczona();
    UstawKolumny(
        {kolumna("typ_dok", "Resstrings_IDS_Dok_Rodzaj", 180), kolumna("numer", "Resstrings_IDS_Dok_Numer", 110),
         kolumna("wazny_od", "Resstrings_IDS_Dok_Wazny_od", 80), kolumna("wazny_do", "Resstrings_IDS_Dok_Wazny_do", 80),
         kolumna("data_wyd", "Resstrings_IDS_Dok_Data_wyd", 80), kolumna("kto_wyd", "Resstrings_IDS_Dok_Kto_wyd", 120),
         kolumna("status", "Resstrings_IDS_Dok_Status", 80),
         kolumna("nazwisko_imie", "Resstrings_IDS_Dok_Kierowca", 120),
         kolumna("nr_rej", "Resstrings_IDS_Dok_Pojazd", 80),
         kolumna("numer_karty", "Resstrings_IDS_Dok_Karta", 90, pelna),
         kolumna("nr_pelny", "Resstrings_IDS_Dok_Zlecenie", 90, pelna),
         kolumna("numer_del", "Resstrings_IDS_Dok_Delegacja", 90, pelna),
         kolumna("numer_fv", "Resstrings_IDS_Dok_Faktura", 90, pelna),
         kolumna("nazwa_firmy", "Resstrings_IDS_Firma2", 160), kolumna("uwagi_fr", "Resstrings_IDS_ListaPUwagi", 160)});
}

void Tlista_dokumenty_frame::Otworz(const QString &nazwaOkna)
{
    InicjujRamke(partners::PlikModulu, false, nazwaOkna, objectName());
}

void Tlista_dokumenty_frame::ListaBeforeOpen()
{
    Tramka_lista_frame::ListaBeforeOpen();
    db::Parameters &parametry = Lista()->parameters();
    parametry.setValue(QStringLiteral("id_jezyka"), host::GetLanguage());
    const int ids[] = {m_idKierowcy, m_idPojazdu, m_idZlecenia, m_idFirmy};
    for (int i = 0; i < 4; ++i)
        if (ids[i] != -1)
            parametry.setValue(QLatin1String(Wlasciciele[i]), ids[i]);
}

void Tlista_dokumenty_frame::NowyRekord()
{
    uruchomEdytor(Tszablon_edycja_form::Nowy);
}

void Tlista_dokumenty_frame::EdytujRekord(int id, bool kopia)
{
    if (kopia || !GoToId(id))
        return;
    uruchomEdytor(Tszablon_edycja_form::Edycja);
}

void Tlista_dokumenty_frame::uruchomEdytor(int tryb)
{
    Tedycja_dokument_form edytor(this);
    edytor.UstawWlasciciela(m_idKierowcy, m_idPojazdu, m_idZlecenia, m_idFirmy);
    edytor.PokazDlaListy(Lista(), tryb, m_upr != 0 ? 1 : 0);
}
