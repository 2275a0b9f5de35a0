#include "ramka/pliki/powiaz_pliki_form.h"

#include "ramka/modul.h"
#include "ramka/pliki/ramka_powiaz_pliki_fr.h"

#include "host_funcs.h"
#include "prompter.h"

#include <QVBoxLayout>

Tpowiaz_pliki_form::Tpowiaz_pliki_form(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("powiaz_pliki_form"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowTitle(partners::tlumacz("Resstrings_IDS_dokument__ramka_dokumenty_frame_unit__tsPliki"));
    auto *uklad = new QVBoxLayout(this);
    m_ramka = new Tramka_powiaz_pliki_frame(this);
    uklad->addWidget(m_ramka);
    resize(900, 600);
    host::UstawKoloryFormy(this);
}

void Tpowiaz_pliki_form::Init(const QString &tabela_slownie, int recordId, int upr)
{
    m_ramka->Init(tabela_slownie, recordId, upr);
}

void Tpowiaz_pliki_form::InitOwnerDocuments(int vehicleId, int companyId, int driverId, int upr)
{
    m_ramka->InitOwnerDocuments(vehicleId, companyId, driverId, upr);
}

void Tpowiaz_pliki_form::pokaz(QWidget *parent, const QString &tabela_slownie, int recordId, int upr)
{
    Tpowiaz_pliki_form okno(parent);
    okno.Init(tabela_slownie, recordId, upr);
    host::prompter().runModal(&okno);
}
