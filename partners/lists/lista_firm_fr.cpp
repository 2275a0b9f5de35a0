#include "lists/lista_firm_fr.h"

#include "company/dane_firmy.h"
#include "company/edycja_firmy_form.h"
#include "company/import_eksport/export_firm_form.h"
#include "company/import_eksport/import_firm_form.h"
#include "lists/kolor_statusu.h"
#include "lists/lista_firm_kolumny.h"
#include "lists/lista_firm_reguly.h"
#include "lists/lista_firm_zapytanie.h"
#include "lists/multiakcje_firm.h"
#include "lists/multiakcje_form.h"
#include "lists/szybkie_szukanie_kontroler.h"
#include "ramka/import_eksport/import_eksport.h"
#include "ramka/modul.h"
#include "ramka/pliki/powiaz_pliki_form.h"

#include "connection.h"
#include "dataset.h"
#include "db_error.h"
#include "handler_guard.h"
#include "host_context.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "lista_grid.h"
#include "prompter.h"
#include "siblings.h"
#include "window_messages.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolBar>
#include <memory>

namespace {

std::vector<ui::GridColumn> kolumnySiatki()
{
    partners::OpcjeKolumnListyFirm opcje;
    opcje.kodJezyka = host::GetKeyLang();
    opcje.wersjaOgraniczona = host::CzyWersjaOgraniczona();
    opcje.opcjaAktywna = host::appContext().isOptionOn(host::option::ListaFirmAktywna);
    const QStringList checkBoxy = partners::kolumnyCheckBox();
    const QStringList czasy = partners::polaCzasu();
    std::vector<ui::GridColumn> kolumny;
    for (const TUstKolumna &u : partners::kolumnyListyFirm(opcje)) {
        ui::GridColumn k;
        k.fieldName = u.pole;
        k.title = u.napis;
        k.width = u.szerokosc;
        k.visible = u.widoczna;
        k.alignment = ui::alignmentFromCode(u.wyrownanie);
        k.checkBox = checkBoxy.contains(u.pole, Qt::CaseInsensitive);
        // Qt's "HH:mm": hours and minutes of the day, 24-hour.
        if (czasy.contains(u.pole, Qt::CaseInsensitive))
            k.displayFormat = QStringLiteral("HH:mm");
        kolumny.push_back(k);
    }
    return kolumny;
}

} // namespace

Tlista_firm_frame::Tlista_firm_frame(QWidget *parent, const QString &name)
    : Tramka_lista_frame(parent, name),
      m_idJezyka(host::GetLanguage()),
      m_koloryWgStatusu(host::var::CzyKoloryListaFirm.get()),
      m_kolorDomyslny(host::var::ListaKolorCzcionka.get())
{
    // The command depends on the filter boxes and the engine: built in ListaBeforeOpen.
    UstawKolumny(kolumnySiatki());
    UstawTabele(QStringLiteral("firma"), QStringLiteral("id_f"));
    // Companies are told apart by their short names, also on edit tabs and editor captions.
    SzablonOpisu = partners::szablonZakladkiEdycji(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Edycja")));
    KolumnyWyszukiwania = {QStringLiteral("nazwa"), QStringLiteral("skrot"), QStringLiteral("nip"),
                           QStringLiteral("miasto")};

    // The first screen of a large register shows before the rest is read.
    Lista()->setFetchInChunks(true);
    // Group names come from one read per open, not one statement per row.
    Lista()->addCalculatedField(QString::fromLatin1(partners::PoleNazwaGrupy), QMetaType::QString);
    Lista()->setBaseSort(QString::fromLatin1(partners::PorzadekListyFirm));
    Lista()->setOnCalcFields(m_grupy.obliczanie());

    const partners::FiltryListyFirm filtry = partners::wczytajFiltryListyFirm();
    m_tylkoWlasne = new QCheckBox(QStringLiteral("Tylko własne firmy"), this);
    m_tylkoWlasne->setObjectName(QStringLiteral("TylkoWlasneFirmyCheck"));
    m_tylkoWlasne->setChecked(filtry.tylkoWlasneFirmy);
    m_ukryjZalRoz = new QCheckBox(QStringLiteral("Ukryj firmy załadunkowo\\rozładunkowe"), this);
    m_ukryjZalRoz->setObjectName(QStringLiteral("cbUkryjFirmyZalRoz"));
    m_ukryjZalRoz->setChecked(filtry.ukryjFirmyZalRoz);
    ToolBarDodatkowy()->addWidget(m_tylkoWlasne);
    QAction *zalRoz = ToolBarDodatkowy()->addWidget(m_ukryjZalRoz);
    if (!partners::czyPolski(host::GetKeyLang())) {
        zalRoz->setVisible(false);
        m_tylkoWlasne->setText(host::LoadResstrings(QStringLiteral("Resstrings_IDS_pokaz_tylko_firmy_wlasne")));
    }
    // Whose papers run out soon: the office's first question every morning.
    m_dokumentyWygasaja = new QCheckBox(partners::tlumacz("Resstrings_IDS_Dokumenty_wygasajace"), this);
    m_dokumentyWygasaja->setObjectName(QStringLiteral("cbDokumentyWygasaja"));
    m_dokumentyWygasaja->setChecked(filtry.dokumentyWygasaja);
    m_dniWygasania = new QSpinBox(this);
    m_dniWygasania->setObjectName(QStringLiteral("seDniWygasania"));
    m_dniWygasania->setRange(0, 3650);
    m_dniWygasania->setValue(filtry.dniWygasania);
    m_dniWygasania->setSuffix(QLatin1Char(' ') + partners::tlumacz("Resstrings_IDS_Dni"));
    // Refresh once the number is entered, not on every digit typed.
    m_dniWygasania->setKeyboardTracking(false);
    ToolBarDodatkowy()->addWidget(m_dokumentyWygasaja);
    ToolBarDodatkowy()->addWidget(m_dniWygasania);
    for (QCheckBox *box : {m_tylkoWlasne, m_ukryjZalRoz, m_dokumentyWygasaja})
        connect(box, &QCheckBox::clicked, this, [this] { odswiezClick(); });
    connect(m_dniWygasania, &QSpinBox::valueChanged, this, [this] {
        if (m_dokumentyWygasaja->isChecked())
            odswiezClick();
    });

    // The guard must run before the generic delete, so both delete actions lead here.
    // In the restricted list the delete entries do nothing at all.
    for (const char *nazwa : {"usun", "pusun"}) {
        QAction *a = akcja(QLatin1String(nazwa));
        disconnect(a, &QAction::triggered, this, nullptr);
        if (!host::CzyWersjaOgraniczona())
            connect(a, &QAction::triggered, this, [this] { usunFirmyClick(); });
    }
    for (const char *nazwa : {"nkopiowanie", "pKopiowanie", "tbImportZPliku", "tbExportDoPliku"})
        akcja(QLatin1String(nazwa))->setVisible(true);
    akcja(QStringLiteral("tbImportZPliku"))->setToolTip(QStringLiteral("Import firm"));
    akcja(QStringLiteral("tbExportDoPliku"))->setToolTip(QStringLiteral("Eksport firm"));
    connect(akcja(QStringLiteral("tbImportZPliku")), &QAction::triggered, this, &Tlista_firm_frame::ImportZPlikuClick);
    connect(akcja(QStringLiteral("tbExportDoPliku")), &QAction::triggered, this,
            &Tlista_firm_frame::ExportDoPlikuClick);
    dodajMenuKontekstowe();
    if (host::appContext().isOptionOn(host::option::ListaFirmSzybkieSzukanie))
        m_szybkieSzukanie = new partners::SzybkieSzukanieKontroler(
            szukany_tekst(), ListaGrid(), [this](int id) { GoToId(id); }, this);
    ListaGrid()->setRowTextColor([this](int row) { return kolorWiersza(row); });
    ukryjZakresDat();
    if (!partners::czyPolski(host::GetKeyLang()))
        tlumaczNapisy();
}

Tlista_firm_frame::~Tlista_firm_frame()
{
    partners::zapiszFiltryListyFirm({m_tylkoWlasne->isChecked(), m_ukryjZalRoz->isChecked(),
                                     m_dokumentyWygasaja->isChecked(), m_dniWygasania->value()});
}

void Tlista_firm_frame::dodajMenuKontekstowe()
{
    QMenu *menu = dostosuj_popup();
    const auto dodaj = [&](const char *nazwa, const char *napis) {
        auto *a = new QAction(QString::fromUtf8(napis), this);
        a->setObjectName(QLatin1String(nazwa));
        menu->addAction(a);
        return a;
    };
    QAction *separator = menu->addSeparator();
    separator->setParent(this);
    separator->setObjectName(QStringLiteral("N_zlecenie"));
    // Orders are added by the orders module; the entry only keeps its place here.
    dodaj("pDodajZlecenie", "Dodaj zlecenie")->setVisible(false);
    connect(dodaj("pUstawAktywnaFirme", "Ustaw jako aktywną firmę"), &QAction::triggered, this,
            &Tlista_firm_frame::UstawAktywnaFirmeClick);
    connect(dodaj("pPodgladPowiazanychPlikow", "Podgląd powiązanych plików"), &QAction::triggered, this,
            &Tlista_firm_frame::PodgladPowiazanychPlikowClick);

    auto *zmien = new QMenu(QStringLiteral("Zmień dane dla zaznaczonych rekordów"), this);
    menu->addMenu(zmien)->setObjectName(QStringLiteral("pZmienDane"));
    const partners::MultiakcjeFirm widoczne = partners::widoczneMultiakcje(
        host::SprawdzUpr(QStringLiteral("orders.dll")), host::var::PokazWydrukPotwZlecenia.get(),
        host::SprawdzUpr(QStringLiteral("sales_invoices.dll")));
    const struct
    {
        const char *nazwa, *napis;
        bool widoczny;
    } wpisy[] = {
        {"miGrupa", "Grupa", true},
        {"Kodanalitykiustawjakoskrtfirmy1", "Kod analityki ustaw jako skrót firmy",
         partners::czyPolski(host::GetKeyLang())},
        {"miSzablonRealizacji", "Szablon Realizacji", widoczne.szablonRealizacji},
        {"miSzablonPotZlec", "Warunki realizacji potwierdzenia zlecenia", widoczne.warunkiPotwierdzeniaZlecenia},
        {"miDomUwagDod", "Domyślne uwagi dodatkowe", widoczne.domyslneUwagiDodatkowe}};
    for (const auto &wpis : wpisy) {
        auto *a = new QAction(QString::fromUtf8(wpis.napis), this);
        a->setObjectName(QLatin1String(wpis.nazwa));
        a->setVisible(wpis.widoczny);
        zmien->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] { Multiakcje_funk(a); });
    }
    connect(menu, &QMenu::aboutToShow, this, &Tlista_firm_frame::menuKontekstoweOtwierane);
}

void Tlista_firm_frame::menuKontekstoweOtwierane()
{
    const partners::StanMenuKontekstowego stan = partners::stanMenuKontekstowego(
        Lista()->isActive(), odswiezanieTrwa(), int(ListaGrid()->keysForAction().size()));
    if (!stan.zmien)
        return;
    akcja(QStringLiteral("pUstawAktywnaFirme"))->setEnabled(stan.menu.ustawAktywnaFirme);
    akcja(QStringLiteral("pDodajZlecenie"))->setEnabled(stan.menu.dodajZlecenie);
    akcja(QStringLiteral("pPodgladPowiazanychPlikow"))->setEnabled(stan.menu.podgladPowiazanychPlikow);
}

void Tlista_firm_frame::tlumaczNapisy()
{
    const auto napis = [](const char *klucz) { return host::LoadResstrings(QLatin1String(klucz)); };
    akcja(QStringLiteral("pUstawAktywnaFirme"))->setText(napis("Resstrings_IDS_Ustaw_aktywna_firme"));
    akcja(QStringLiteral("pPodgladPowiazanychPlikow"))->setText(napis("Resstrings_IDS_podglad_pow_plik"));
    findChild<QAction *>(QStringLiteral("pZmienDane"))->setText(napis("Resstrings_IDS_Zmien_dane_dla_zaz_rek"));
    akcja(QStringLiteral("miGrupa"))->setText(napis("Resstrings_IDS_Grupa"));
    akcja(QStringLiteral("miSzablonRealizacji"))
        ->setText(napis("Resstrings_IDS_SP_rdsz__raport_druk_zlec_unit__LWarunki_realiz"));
    akcja(QStringLiteral("miSzablonPotZlec"))
        ->setText(napis("Resstrings_IDS_Warunki_realizacji_potwierdzenia_zlecenia"));
    akcja(QStringLiteral("miDomUwagDod"))->setText(napis("Resstrings_IDS_Domyslne_uwagi_dod"));
    akcja(QStringLiteral("tbImportZPliku"))
        ->setToolTip(napis("Resstrings_IDS_firmy__import_firm_unit__import_firm_form"));
    akcja(QStringLiteral("tbExportDoPliku"))
        ->setToolTip(napis("Resstrings_IDS_firmy__export_firm_unit__export_firm_form"));
}

QColor Tlista_firm_frame::kolorWiersza(int row) const
{
    const db::DataSet *lista = Lista();
    if (!m_koloryWgStatusu || m_poleStatusKolor < 0 || !lista->isActive())
        return partners::kolorZBGR(m_kolorDomyslny);
    const ui::ListPalette &paleta = ListaGrid()->listPalette();
    return partners::kolorWierszaFirmy(lista->valueAt(lista->bookmarkAt(row), m_poleStatusKolor), true, m_kolorDomyslny,
                                       {paleta.oddRowBackground, paleta.evenRowBackground});
}

void Tlista_firm_frame::UstawAktywnaFirmeClick()
{
    host::guard([&] {
        const qint64 id = idBiezacegoWiersza();
        if (id <= 0)
            return;
        host::UstawAktKontroleFirme(int(id), this, false, false, true);
        host::postToMainWindow(partners::KomunikatAktywnaFirma, partners::KomunikatAktywnaFirmaParam1,
                               partners::KomunikatAktywnaFirmaParam2);
    });
}

void Tlista_firm_frame::PodgladPowiazanychPlikowClick()
{
    host::guard([&] {
        const qint64 id = idBiezacegoWiersza();
        if (id > 0)
            Tpowiaz_pliki_form::pokaz(this, QStringLiteral("firma"), int(id), Uprawnienia != 0 ? 1 : 0);
    });
}

bool Tlista_firm_frame::zmianyDozwolone(const QList<int> &ids)
{
    const char *brak = nullptr;
    if (Uprawnienia < 1)
        brak = "Resstrings_IDS_Brak_Upr_Zmian_Firm";
    else if (!host::var::UprawnieniaZapisFirmyWlasne.get() && partners::zawieraFirmeWlasna(ids))
        brak = "Resstrings_IDS_BrakUprawnienZapisFirmyWlasne";
    if (brak)
        host::InfoWarning(QLatin1String(brak), this);
    return !brak;
}

void Tlista_firm_frame::ImportZPlikuClick()
{
    host::guard([&] {
        if (Zajety())
            return;
        if (!zmianyDozwolone({}))
            return;
        const QScopedValueRollback trwa(m_plikTrwa, true);
        auto zadanie = CreateImport(std::make_unique<Timport_firm_form>(), 0, QString());
        if (!zadanie)
            return;
        zadanie->Run();
        odswiezClick();
    });
}

void Tlista_firm_frame::ExportDoPlikuClick()
{
    host::guard([&] {
        if (Zajety())
            return;
        odswiezClick();
        const QScopedValueRollback trwa(m_plikTrwa, true);
        db::DataSet *lista = Lista();
        if (!lista->isActive())
            return;
        // The rows as shown, filters and phrase applied: never the filter text spliced into SQL.
        QList<int> ids;
        const int poleId = lista->fieldIndex(QStringLiteral("id"));
        for (int i = 0; i < lista->recordCount(); ++i)
            ids << lista->valueAt(lista->bookmarkAt(i), poleId).toInt();
        if (auto zadanie = CreateExport(std::make_unique<Texport_firm_form>(ids), 0, QString()))
            zadanie->Run();
    });
}

void Tlista_firm_frame::Multiakcje_funk(QAction *wpis)
{
    host::guard([&] {
        db::Connection *polaczenie = Lista()->connection();
        if (!wpis || !polaczenie || !Lista()->isActive() || Zajety())
            return;
        QList<int> ids;
        for (const ui::RowKey &k : ListaGrid()->keysForAction())
            ids << int(k.id);
        if (ids.isEmpty() || !zmianyDozwolone(ids))
            return;
        const QScopedValueRollback trwa(m_multiakcjaTrwa, true);
        const QString nazwa = wpis->objectName();
        int wybor = 0;
        if (nazwa != QLatin1String("Kodanalitykiustawjakoskrtfirmy1")) {
            Tmultiakcje_form dialog(this);
            dialog.setWindowTitle(wpis->text());
            const partners::KomendaSql lista = partners::wyborMultiakcji(nazwa, m_idJezyka, polaczenie->dialect());
            dialog.WypelnijListe(polaczenie, lista.tekst, lista.parametry);
            dialog.lOpis->setText(host::LoadResstrings(
                nazwa == QLatin1String("miGrupa") ? QStringLiteral("Resstrings_IDS_Multiakcje_pusta_grupa")
                                                  : QStringLiteral("Resstrings_IDS_Multiakcje_pusta_wartosc")));
            if (host::prompter().runModal(&dialog) != 1)
                return;
            wybor = dialog.Wynik();
        }
        bool odswiez = true;
        try {
            if (nazwa == QLatin1String("miGrupa"))
                partners::ustawGrupeFirm(*polaczenie, ids, wybor);
            else if (nazwa == QLatin1String("miDomUwagDod"))
                odswiez = partners::ustawUwagiDodatkoweFirm(*polaczenie, ids, wybor);
            else if (nazwa == QLatin1String("Kodanalitykiustawjakoskrtfirmy1"))
                partners::ustawKodAnalitykiFirm(*polaczenie, ids);
            else
                partners::zapiszUstawienieFirm(nazwa == QLatin1String("miSzablonRealizacji")
                                                   ? QStringLiteral("szablon_zlecenia")
                                                   : QStringLiteral("szablon_zlecenia_potwierdzenie"),
                                               ids, wybor);
        } catch (const db::DbError &blad) {
            host::InfoBox(this, blad.message(), host::mb::Ok | host::mb::IconError, wpis->text());
        }
        if (odswiez)
            odswiezClick();
    });
}

void Tlista_firm_frame::ListaAfterOpen()
{
    m_poleStatusKolor = Lista()->fieldIndex(QStringLiteral("status_kolor"));
    Tramka_lista_frame::ListaAfterOpen();
}

void Tlista_firm_frame::ListaFetchComplete()
{
    Tramka_lista_frame::ListaFetchComplete();
    if (m_szybkieSzukanie)
        m_szybkieSzukanie->przebuduj(*Lista());
}

bool Tlista_firm_frame::PoUsunieciu(int)
{
    return host::callSibling<void()>(QStringLiteral("settings_ui.dll"), "_OdswiezFirmy");
}

void Tlista_firm_frame::ListaBeforeOpen()
{
    db::DataSet *lista = Lista();
    partners::StanZapytaniaListyFirm stan;
    stan.idJezyka = m_idJezyka;
    stan.tag = lista->property("Tag").toInt();
    stan.tylkoWlasneFirmy = m_tylkoWlasne->isChecked();
    stan.ukryjFirmyZalRozWidoczne = partners::czyPolski(host::GetKeyLang());
    stan.ukryjFirmyZalRoz = m_ukryjZalRoz->isChecked();
    if (m_dokumentyWygasaja->isChecked())
        stan.dokumentyWygasajaDo = QDate::currentDate().addDays(m_dniWygasania->value());
    if (lista->fetchInChunks())
        stan.wierszePierwszegoEkranu = lista->firstChunkRows();
    if (db::Connection *polaczenie = lista->connection()) {
        const partners::KomendaSql komenda = partners::komendaListyFirm(stan, polaczenie->dialect());
        UstawKwerende(komenda.tekst);
        lista->setFirstRowsCommand(komenda.pierwszeWiersze, QStringLiteral("id"));
        lista->setJoinedColumns(komenda.kolumnyDolaczane, QStringLiteral("id"));
        for (auto it = komenda.parametry.cbegin(); it != komenda.parametry.cend(); ++it)
            lista->parameters().setValue(it.key(), it.value());
        m_grupy.wczytaj(*polaczenie, m_idJezyka);
    }
    Tramka_lista_frame::ListaBeforeOpen();
}

void Tlista_firm_frame::usunFirmyClick()
{
    host::guard([&] {
        if (!Lista()->isActive())
            return;
        QList<int> ids;
        for (const ui::RowKey &k : ListaGrid()->keysForAction())
            ids << int(k.id);
        if (ids.isEmpty() || !zmianyDozwolone(ids))
            return;
        const QString blokada = partners::blokadaUsuwaniaFirm(ids, host::var::AktywnaFirma.get());
        if (!blokada.isEmpty()) {
            host::InfoBox(this, blokada, host::mb::Ok | host::mb::IconWarning);
            return;
        }
        usunClick();
        // Only companies that are really gone stop being anyone's active company.
        for (int id : ids) {
            if (host::CzyIstniejeRekordDB(QStringLiteral("select id_f from firma where id_f = :id"), nullptr,
                                          {{QStringLiteral("id"), id}}))
                continue;
            const partners::KomendaSql komenda = partners::komendaZapomnijAktywnaFirme(id);
            host::ExecQuery(komenda.tekst, nullptr, 0, komenda.parametry);
        }
    });
}

// ---- the company editor ----------------------------------------------------------------------

Tszablon_edycja_form *Tlista_firm_frame::UtworzEdytor()
{
    // Parented for its lifetime only; a modal editor is still a window of its own.
    auto *edytor = new Tedycja_firmy_form(this);
    partners::windows().edycja_firmy_form = edytor;
    return edytor;
}

QTabWidget *Tlista_firm_frame::ZakladkiEdytorow()
{
    return EdycjaModalna ? nullptr : Tramka_lista_frame::ZakladkiEdytorow();
}

bool Tlista_firm_frame::pokazWZakladce(Tszablon_edycja_form *edytor, int tryb)
{
    QTabWidget *zakladki = ZakladkiEdytorow();
    if (!zakladki)
        return false;
    // Parented into the tab widget the editor docks; the generic frame then adds its tab.
    edytor->setParent(zakladki);
    edytor->PokazDlaListy(Lista(), tryb, Uprawnienia != 0 ? 1 : 0);
    return true;
}

void Tlista_firm_frame::InicjujEdytorNowy(Tszablon_edycja_form *edytor)
{
    m_trybEdytora = Tszablon_edycja_form::Nowy;
    pokazWZakladce(edytor, m_trybEdytora);
}

void Tlista_firm_frame::WczytajDoEdytora(Tszablon_edycja_form *edytor, int id, bool kopia)
{
    m_trybEdytora = kopia ? Tszablon_edycja_form::Kopia : Tszablon_edycja_form::Edycja;
    if (auto *firma = qobject_cast<Tedycja_firmy_form *>(edytor)) {
        firma->WywolanieZewnetrzne = EdycjaZZewnatrz;
        // A docked editor outlives this call, so it is told its company rather than relying on the current row.
        if (!kopia && ZakladkiEdytorow())
            firma->UstawRekord(id, m_idJezyka);
    }
    pokazWZakladce(edytor, m_trybEdytora);
}

void Tlista_firm_frame::PokazEdytor(Tszablon_edycja_form *edytor)
{
    std::unique_ptr<Tszablon_edycja_form> okno(edytor);
    okno->PokazDlaListy(Lista(), m_trybEdytora, Uprawnienia != 0 ? 1 : 0);
}

Tszablon_edycja_form *Tlista_firm_frame::OtwartyEdytor(int id)
{
    QTabWidget *zakladki = ZakladkiEdytorow();
    if (!zakladki)
        return nullptr;
    for (auto *edytor : zakladki->findChildren<Tedycja_firmy_form *>())
        if (edytor->TrybEdycji() == Tszablon_edycja_form::Edycja && edytor->IdRekordu() == id)
            return edytor;
    return nullptr;
}
