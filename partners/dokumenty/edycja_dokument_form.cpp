#include "dokumenty/edycja_dokument_form.h"

#include "dokumenty/ramka_dokumenty_fr.h"
#include "dokumenty/ramka_koszty_fr.h"
#include "ramka/modul.h"
#include "ramka/pliki/ramka_powiaz_pliki_fr.h"

#include "host_funcs.h"
#include "prompter.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

using partners::tlumacz;

Tedycja_dokument_form::Tedycja_dokument_form(QWidget *parent)
    : Tszablon_edycja_form(parent, QStringLiteral("edycja_dokument_form")),
      m_strony(new QTabWidget(PanelWnetrza())),
      m_ramkaDok(new Tramka_dokumenty_frame),
      m_pliki(new Tramka_powiaz_pliki_frame),
      m_aktywnaFirma(host::var::AktywnaFirma.get())
{
    nazwa_dll = QStringLiteral("documents.dll");
    naglowek = tlumacz("Resstrings_IDS_dokumenty_edycja");
    naglowek_nowy = tlumacz("Resstrings_IDS_dokumenty_nowy");
    m_strony->setObjectName(QStringLiteral("PageControl"));
    auto *dokument = new QWidget(m_strony);
    dokument->setObjectName(QStringLiteral("tsDokument"));
    (new QVBoxLayout(dokument))->addWidget(m_ramkaDok);
    auto *pliki = new QWidget(m_strony);
    pliki->setObjectName(QStringLiteral("tsPliki"));
    (new QVBoxLayout(pliki))->addWidget(m_pliki);
    auto *koszt = new QWidget(m_strony);
    koszt->setObjectName(QStringLiteral("tsKoszt"));
    (new QVBoxLayout(koszt))->addWidget(m_ramkaDok->Koszt());
    m_strony->addTab(dokument, tlumacz("Resstrings_IDS_Dok_Dokument"));
    m_strony->addTab(pliki, tlumacz("Resstrings_IDS_Dok_Powiazane_pliki"));
    m_strony->addTab(koszt, tlumacz("Resstrings_IDS_Dok_Koszt"));
    auto *uklad = new QVBoxLayout(PanelWnetrza());
    uklad->setContentsMargins(4, 4, 4, 4);
    uklad->addWidget(m_strony);
    for (QWidget *pole : m_ramkaDok->pola())
        podepnijPole(pole, pole != static_cast<QWidget *>(m_ramkaDok->d_uwagi()));
    for (QWidget *pole : m_ramkaDok->Koszt()->pola())
        podepnijPole(pole);
    resize(560, 720);
}

void Tedycja_dokument_form::UstawWlasciciela(int idKierowcy, int idPojazdu, int idZlecenia, int idFirmy)
{
    m_idKierowcy = idKierowcy;
    m_idPojazdu = idPojazdu;
    m_idZlecenia = idZlecenia;
    m_idFirmy = idFirmy;
}

void Tedycja_dokument_form::Wypelnij_Listy()
{
    m_ramkaDok->WypelnijListy(m_idFirmy);
    // The owners of a new document are chosen from the lists just filled.
    if (tryb == Nowy)
        Wyczysc_Pola();
}

void Tedycja_dokument_form::Wyczysc_Pola()
{
    m_ramkaDok->Wyczysc(m_idKierowcy, m_idPojazdu, m_idFirmy);
    pokazPliki();
}

void Tedycja_dokument_form::Wypelnij_Pola()
{
    Tszablon_edycja_form::Wypelnij_Pola();
    m_ramkaDok->Wczytaj(tryb == Kopia ? id_zrodla : id_rekordu);
    pokazPliki();
}

void Tedycja_dokument_form::pokazPliki()
{
    // A document gets files once it is saved: a link needs the document's id.
    const int id = tryb == Edycja ? id_rekordu : 0;
    m_pliki->Init(QStringLiteral("dokument"), id, upr);
    m_strony->setTabEnabled(m_strony->indexOf(m_pliki->parentWidget()), id > 0);
}

bool Tedycja_dokument_form::sprawdzPoprawnosc()
{
    if (m_ramkaDok->rodzaj_dok()->currentIndex() >= 1)
        return true;
    host::InfoBox(this, tlumacz("Resstrings_IDS_prosze_wypelnic_pole").arg(tlumacz("Resstrings_IDS_Dok_Rodzaj")),
                  host::mb::IconWarning);
    m_ramkaDok->rodzaj_dok()->setFocus();
    return false;
}

bool Tedycja_dokument_form::ZapiszZmiany(int mode)
{
    int id = id_rekordu;
    if (!m_ramkaDok->Zapisz(mode, id))
        return false;
    id_rekordu = id;
    tryb = Edycja;
    pokazPliki();
    do_odswiezenia = !odswiez_od_razu;
    odswiezTytul();
    oznaczBezZmian();
    return true;
}

void Tedycja_dokument_form::odswiezTytul()
{
    ustawPodpis(tryb == Edycja && id_rekordu > 0 ? naglowek : naglowek_nowy);
}
