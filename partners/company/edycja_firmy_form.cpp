#include "company/edycja_firmy_form.h"

#include "ramka/modul.h"

#include "company/edycja_firmy_kontrolki.h"
#include "company/miasto_firmy.h"
#include "company/okresy/generator_okresow.h"
#include "company/szablony_uwag.h"
#include "company/walidacja_firmy.h"
#include "company/zapis_firmy.h"

#include "global_settings.h"
#include "host_funcs.h"
#include "host_variables.h"
#include "query.h"
#include "siblings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <utility>

using partners::tlumacz;

namespace partners::edycja_firmy {} // namespace partners::edycja_firmy

using partners::edycja_firmy::Wypelnianie;

namespace {

QString bezAmpersandu(QString tekst)
{
    return tekst.remove(QLatin1Char('&'));
}

int idZCombo(const QComboBox *c)
{
    return c->currentIndex() < 0 ? 0 : c->currentData().toInt();
}

void wybierzId(QComboBox *c, int id)
{
    c->setCurrentIndex(id > 0 ? c->findData(id) : (c->count() > 0 && c->itemData(0).toInt() == 0 ? 0 : -1));
}

QTime czasLubPolnoc(const QTime &t)
{
    return t.isValid() ? t : QTime(0, 0);
}

} // namespace

Tedycja_firmy_form::Tedycja_firmy_form(QWidget *parent)
    : Tszablon_edycja_form(parent, QStringLiteral("edycja_firmy_form")),
      k(std::make_unique<Kontrolki>())
{
    nazwa_dll = QStringLiteral("partners.dll");
    // tabela_slownie stays empty (no linked-files button) until the linked-files window exists.
    naglowek_nowy = tlumacz("Resstrings_IDS_EdFirmy_Nowa_firma");
    m_limitSkrotu = host::var::CzySkrotFirma20.get() ? 20 : 30;
    m_unikalneSkroty = host::var::UnikalneSkrotyFirm.get();
    m_prawaFv = host::SprawdzUpr(QStringLiteral("sales_invoices.dll")) >= 0;
    zbudujWidok();
    if (m_limitSkrotu == 20)
        k->skrot->setMaxLength(20);
    podepnijZdarzenia();
}

Tedycja_firmy_form::~Tedycja_firmy_form()
{
    // The edits outlive this part of the object and lose their focus while dying.
    delete k->filtrNazwy;
    delete k->filtrSkrotu;
}

// ---- the opener's settings --------------------------------------------------------------------

void Tedycja_firmy_form::UstawRekord(int idFirmy, int idJezyka)
{
    id_rekordu = idFirmy;
    m_idJezyka = idJezyka;
    if (idJezyka > 0)
        id_jezyka = idJezyka;
}

void Tedycja_firmy_form::UstawZakladkeStartowa(const QString &nazwaStrony)
{
    m_zakladkaStartowa = nazwaStrony;
}

void Tedycja_firmy_form::UstawGrupeNowej(int grupa)
{
    m_grupaNowej = grupa;
}

void Tedycja_firmy_form::UstawWartosciPoczatkowe(const partners::WartosciPoczatkoweFirmy &wartosci)
{
    m_poczatkowe = wartosci;
    m_sajPoczatkowe = true;
}

QTabWidget *Tedycja_firmy_form::PageControl() const
{
    return k->strony;
}

QToolButton *Tedycja_firmy_form::dodaj_zlec() const
{
    return k->dodajZlec;
}

const partners::DaneFirmy &Tedycja_firmy_form::Dane() const
{
    zbierzDane();
    return m_dane;
}

// ---- lists ----------------------------------------------------------------------------------------

void Tedycja_firmy_form::Wypelnij_Listy()
{
    // The first load has just filled them for the defaults.
    if (std::exchange(m_listyWczytane, false))
        return;
    Wypelnianie w(m_wypelnianie);
    if (m_idJezyka > 0)
        id_jezyka = m_idJezyka;
    const QVariantMap slownik = {{QStringLiteral("id_jezyka"), host::GetLanguage()}};
    const QString zSlownika = QStringLiteral(
        "select s1.id as id, s1.wartosc as wartosc from VListaPozSlownika s1 where s1.typ_slownika=:typ_slownika"
        " and s1.id_jezyka=:id_jezyka and s1.nazwa_parametru='nazwa' order by s1.wartosc");
    auto zTypem = [&](const char *typ) {
        QVariantMap p = slownik;
        p.insert(QStringLiteral("typ_slownika"), QLatin1String(typ));
        return p;
    };
    host::Laduj_DB_FlatCombo(k->typ, zSlownika, QStringLiteral("id"), QStringLiteral("wartosc"), false, nullptr,
                             zTypem("typ_firmy"));
    ladujRodzaje();
    host::Laduj_DB_FlatCombo(k->status, zSlownika, QStringLiteral("id"), QStringLiteral("wartosc"), true, nullptr,
                             zTypem("klient_rodzaj"));
    ladujCentrale();
    ladujMiasta();

    // Period lengths live in the shared store's global settings.
    const int okres = idZCombo(k->okresRoz);
    k->okresRoz->clear();
    k->okresRoz->addItem(QString(), 0);
    {
        host::SiblingLibrary biblioteka(QStringLiteral("shared_store.dll"));
        auto *pobierz = biblioteka.resolve<shared_store::GlobalSettings *()>("_GetGlobalSettings");
        if (const shared_store::GlobalSettings *ustawienia = pobierz ? pobierz() : nullptr)
            for (const shared_store::DlugoscOkresu &d : ustawienia->dlugosc_okresu)
                k->okresRoz->addItem(d.nazwa, d.kod);
    }
    wybierzId(k->okresRoz, okres);

    const QString waluta = k->waluta->currentText();
    k->waluta->clear();
    k->waluta->addItem(QString());
    k->waluta->addItems(host::GetListaStringDB(
        QStringLiteral("select distinct waluta from panstwo where aktywny=1 and waluta is not null order by waluta")));
    k->waluta->setCurrentIndex(qMax(0, k->waluta->findText(waluta)));
    const QString prefiks = k->prefiks->currentText();
    k->prefiks->clear();
    k->prefiks->addItem(QString());
    k->prefiks->addItems(host::GetListaStringDB(
        QStringLiteral("select distinct NIP from panstwo where aktywny=1 and NIP is not null order by NIP")));
    ustawPrefiks(prefiks);

    if (k->dodatkoweWolne->count() == 0) {
        const QLocale jezyk(host::GetKeyLang());
        for (int dzien = 1; dzien <= 7; ++dzien)
            k->dodatkoweWolne->addItem(jezyk.dayName(dzien), dzien);
    }

    host::Laduj_DB_FlatCombo(
        k->termin,
        QStringLiteral("select cast(wartosc as int) as ile from VListaPozSlownika where id_jezyka=:id_jezyka"
                       " and typ_slownika='dni_do_zaplaty' order by cast(wartosc as int)"),
        QStringLiteral("ile"), QStringLiteral("ile"), false, nullptr, slownik);
    host::Laduj_DB_FlatCombo(
        k->sposob,
        QStringLiteral(
            "select s1.id as kod, s1.wartosc as wartosc from VListaPozSlownika s1 join VListaPozSlownika s2"
            " on s1.grupa = s2.grupa and s1.typ_slownika = s2.typ_slownika and s1.typ_slownika='platnosc_rodzaj'"
            " and s1.id_jezyka = s2.id_jezyka and s1.id_jezyka=:id_jezyka and s1.nazwa_parametru <> s2.nazwa_parametru"
            " and s1.nazwa_parametru='nazwa' order by s1.system desc, s1.wartosc"),
        QStringLiteral("kod"), QStringLiteral("wartosc"), true, nullptr, slownik);
    ladujSzablonyZlecen();
    partners::szablony_uwag::Laduj(k->uwagiDod);
    ladujKonta();
}

void Tedycja_firmy_form::ladujRodzaje()
{
    QList<int> zaznaczone;
    for (int i = 0; i < k->rodzaje->count(); ++i)
        if (k->rodzaje->item(i)->checkState() == Qt::Checked)
            zaznaczone << k->rodzaje->item(i)->data(Qt::UserRole).toInt();
    host::Laduj_DB_CheckListBox(
        k->rodzaje,
        QStringLiteral(
            "select s1.id as id, s1.wartosc as wartosc from VListaPozSlownika s1 where s1.typ_slownika='firma_rodzaj'"
            " and s1.id_jezyka=:id_jezyka and s1.nazwa_parametru='nazwa' order by s1.wartosc"),
        QStringLiteral("id"), QStringLiteral("wartosc"), nullptr, {{QStringLiteral("id_jezyka"), host::GetLanguage()}});
    for (int i = 0; i < k->rodzaje->count(); ++i)
        if (zaznaczone.contains(k->rodzaje->item(i)->data(Qt::UserRole).toInt()))
            k->rodzaje->item(i)->setCheckState(Qt::Checked);
}

void Tedycja_firmy_form::ladujCentrale()
{
    host::Laduj_DB_FlatCombo(
        k->centrale,
        QStringLiteral("select id_f as id, nazwa from firma where id_centrali is null and id_f<>:id_f order by nazwa"),
        QStringLiteral("id"), QStringLiteral("nazwa"), false, nullptr, {{QStringLiteral("id_f"), qMax(0, id_rekordu)}});
}

void Tedycja_firmy_form::ladujMiasta()
{
    const int idM = k->miasto->currentData().toInt();
    const int idKodu = k->miasto->currentData(Qt::UserRole + 1).toInt();
    const QString tekst = k->miasto->currentText();
    host::Laduj_DB_FlatComboMiasto(k->miasto);
    ustawMiasto(idM, idKodu, tekst);
}

void Tedycja_firmy_form::ustawMiasto(int idM, int idKodu, const QString &tekst)
{
    if (idM <= 0) {
        k->miasto->setCurrentIndex(-1);
        return;
    }
    int kandydat = -1;
    for (int i = 0; i < k->miasto->count(); ++i) {
        if (k->miasto->itemData(i).toInt() != idM)
            continue;
        if (k->miasto->itemData(i, Qt::UserRole + 1).toInt() == idKodu) {
            kandydat = i;
            break;
        }
        if (kandydat < 0 && idKodu <= 0)
            kandydat = i;
    }
    if (kandydat < 0) {
        // A city hidden from pick lists still shows as the company's own.
        k->miasto->addItem(tekst, idM);
        kandydat = k->miasto->count() - 1;
        k->miasto->setItemData(kandydat, qMax(0, idKodu), Qt::UserRole + 1);
    }
    k->miasto->setCurrentIndex(kandydat);
}

void Tedycja_firmy_form::ladujKonta()
{
    const int wybrane = idZCombo(k->konto);
    db::Query q(
        host::GetConnection(),
        QStringLiteral(
            "select id_konta, bank, nr_konta, aktywne from konto where id_ = :id_f and tabela = 7 order by id_konta"));
    q.parameters().setValue(QStringLiteral("id_f"), host::var::AktywnaFirma.get());
    k->konto->clear();
    k->konto->addItem(QString(), 0);
    if (host::OpenQuery(q) == 1) {
        for (q.first(); !q.eof(); q.next()) {
            const int id = q.value(QStringLiteral("id_konta")).toInt();
            // The company's current account stays on offer even when no longer active.
            if (m_tylkoAktywneKonta && !q.value(QStringLiteral("aktywne")).toBool() && id != wybrane
                && id != m_dane.idKontaRozl)
                continue;
            k->konto->addItem(q.value(QStringLiteral("bank")).toString() + QLatin1Char(' ')
                                  + q.value(QStringLiteral("nr_konta")).toString(),
                              id);
        }
    }
    wybierzId(k->konto, wybrane);
}

void Tedycja_firmy_form::ladujSzablonyZlecen()
{
    for (QComboBox *c : {k->szablonZlec, k->szablonPotw})
        host::Laduj_DB_FlatCombo(c, QStringLiteral("select id, nazwa from VListaSzablonZlecenia order by nazwa"),
                                 QStringLiteral("id"), QStringLiteral("nazwa"), true);
}

void Tedycja_firmy_form::ustawPrefiks(const QString &prefiks)
{
    const QString p = prefiks.trimmed();
    int indeks = k->prefiks->findText(p);
    if (indeks < 0) {
        k->prefiks->addItem(p);
        indeks = k->prefiks->count() - 1;
    }
    k->prefiks->setCurrentIndex(indeks);
}

void Tedycja_firmy_form::ustawTekstCombo(QComboBox *combo, const QString &tekst)
{
    int indeks = combo->findText(tekst);
    if (indeks < 0 && !tekst.isEmpty()) {
        combo->addItem(tekst, tekst.toInt());
        indeks = combo->count() - 1;
    }
    combo->setCurrentIndex(indeks);
}

// ---- filling ----------------------------------------------------------------------------------------

void Tedycja_firmy_form::Wyczysc_Pola()
{
    Wypelnianie w(m_wypelnianie);
    if (k->waluta->count() == 0) {
        Wypelnij_Listy(); // the defaults of a new company need the lists
        m_listyWczytane = true;
    }
    m_zaladowane.clear();
    const int id = id_rekordu;
    m_dane = partners::nowaFirma();
    if (tryb == Edycja)
        m_dane.idFirmy = id;
    if (tryb == Nowy && m_grupaNowej > 0)
        m_dane.rodzaje = {m_grupaNowej};
    for (int i = 0; i < k->rodzaje->count(); ++i)
        k->rodzaje->item(i)->setCheckState(Qt::Unchecked);
    k->miasto->setCurrentIndex(-1);
    pokazDane();
    k->limit->setValue(0);
    k->margines->clear();
    if (tryb == Nowy) {
        k->dodatkoweWolne->setCurrentIndex(k->dodatkoweWolne->findData(7));
        if (m_sajPoczatkowe)
            zastosujWartosciPoczatkowe();
    }
}

void Tedycja_firmy_form::zastosujWartosciPoczatkowe()
{
    const partners::WartosciPoczatkoweFirmy &p = m_poczatkowe;
    k->nazwa->setText(p.nazwa.trimmed());
    k->skrot->setText(p.skrot.trimmed());
    const partners::NipZPrefiksem nip = partners::rozdzielNip(p.nip.trimmed());
    k->nip->setText(nip.numer);
    if (!nip.prefiks.isEmpty())
        ustawPrefiks(nip.prefiks);
    if (!p.miasto.trimmed().isEmpty() || !p.kod.trimmed().isEmpty()) {
        partners::AdresDoRozpoznania adres;
        adres.panstwo = p.panstwo;
        adres.miasto = p.miasto.trimmed();
        adres.kod = p.kod.trimmed();
        partners::rozpoznajAdres(adres, partners::PanstwaFirmy());
        if (adres.id_m > 0) {
            host::Laduj_DB_FlatComboMiasto(k->miasto);
            ustawMiasto(adres.id_m, adres.id_kodu, adres.miasto);
        }
        if (nip.prefiks.isEmpty() && adres.id_panstwa > 0)
            ustawPrefiks(host::GetStringDB(QStringLiteral("select NIP from panstwo where id_p = :id_p"), QString(),
                                           nullptr, {{QStringLiteral("id_p"), adres.id_panstwa}}));
    }
    const partners::UlicaZNumerami ulica = partners::rozbijUlice(p.ulica.trimmed());
    k->ulica->setText(ulica.ulica);
    k->nrDomu->setText(ulica.nr_domu);
    k->nrM->setText(ulica.nr_m);
}

void Tedycja_firmy_form::Wypelnij_Pola()
{
    Wypelnianie w(m_wypelnianie);
    Tszablon_edycja_form::Wypelnij_Pola();
    m_zaladowane.clear();
    const int id = id_rekordu;
    if (!partners::wczytajFirme(m_dane, id, m_prawaFv))
        m_dane.idFirmy = id; // a deleted record: the save reports it
    ladujCentrale();
    pokazDane();
    naglowek = m_dane.nazwa;
}

void Tedycja_firmy_form::pokazDane()
{
    Wypelnianie w(m_wypelnianie);
    const partners::DaneFirmy &d = m_dane;
    k->nazwa->setText(d.nazwa);
    k->skrot->setText(d.skrot);
    wybierzId(k->typ, d.idTypu);
    k->wlasna->setChecked(d.firmaWlasna);
    wybierzId(k->status, d.idStatusu);
    (d.oddzial ? k->oddzial : k->centrala)->setChecked(true);
    k->centrale->setVisible(d.oddzial);
    wybierzId(k->centrale, d.idCentrali);
    if (d.oddzial && k->centrale->currentIndex() < 0 && d.idCentrali > 0) {
        // A head office that became a branch itself is still shown.
        k->centrale->addItem(host::GetStringDB(QStringLiteral("select nazwa from firma where id_f = :id"), QString(),
                                               nullptr, {{QStringLiteral("id"), d.idCentrali}}),
                             d.idCentrali);
        k->centrale->setCurrentIndex(k->centrale->count() - 1);
    }
    for (int i = 0; i < k->rodzaje->count(); ++i)
        k->rodzaje->item(i)->setCheckState(
            d.rodzaje.contains(k->rodzaje->item(i)->data(Qt::UserRole).toInt()) ? Qt::Checked : Qt::Unchecked);
    k->limit->setValue(d.limitKredytowy);
    k->waluta->setCurrentIndex(qMax(0, k->waluta->findText(d.walutaLimitu)));
    ustawPrefiks(d.prefiksNip);
    k->nip->setText(d.nip);
    k->nip->setEnabled(!d.nipZablokowany);
    k->prefiks->setEnabled(!d.nipZablokowany);
    k->regon->setText(d.regon);
    k->krs->setText(d.krs);
    k->nrTrans->setText(d.nrTrans);
    k->skype->setText(d.skype);
    k->nrGg->setText(d.nrGg);
    k->www->setText(d.www);
    k->email->setText(d.eMail);
    k->wlasciciel->setText(d.wlasciciel);
    k->apdId->setText(d.apdId);
    k->apdToken->setText(d.apdToken);
    k->aktywna->setChecked(d.aktywna);
    k->bus->setChecked(d.bus);
    k->uwagi->setPlainText(d.uwagi);

    if (d.idM > 0) {
        // The text is needed only for a city the pick list does not offer.
        db::Query q(
            host::GetConnection(),
            QStringLiteral("select p.sam, k.kod, m.miasto from miasto m left join panstwo p on p.id_p = m.id_panstwa"
                           " left join kod_pocztowy k on k.id_kodu = :id_kodu where m.id_m = :id_m"));
        q.parameters().setValue(QStringLiteral("id_kodu"), d.idKodu);
        q.parameters().setValue(QStringLiteral("id_m"), d.idM);
        QStringList czesci;
        if (host::OpenQuery(q) == 1 && !q.isEmpty()) {
            q.first();
            for (const char *pole : {"sam", "kod", "miasto"})
                if (const QString c = q.value(QLatin1String(pole)).toString().trimmed(); !c.isEmpty())
                    czesci << c;
        }
        ustawMiasto(d.idM, d.idKodu, czesci.join(QLatin1Char(' ')));
    } else {
        k->miasto->setCurrentIndex(-1);
    }
    k->ulica->setText(d.ulica);
    k->nrDomu->setText(d.nrDomu);
    k->nrM->setText(d.nrM);

    k->dodatkoweWolne->setCurrentIndex(k->dodatkoweWolne->findData(d.dodatkoweWolne));
    k->nocneOd->setTime(czasLubPolnoc(d.nocneOd));
    k->nocneDo->setTime(czasLubPolnoc(d.nocneDo));
    k->swietaOd->setTime(czasLubPolnoc(d.swietaOd));
    k->poraNocnaOd->setTime(czasLubPolnoc(d.poraNocnaOd));
    k->poraNocnaDo->setTime(czasLubPolnoc(d.poraNocnaDo));
    k->limitNadh->setValue(d.limitNadh);
    wybierzId(k->okresRoz, d.okresRoz);
    const QDate poczatek = d.nowa() ? QDate() : partners::poczatekPierwszegoOkresu(d.idFirmy);
    m_poczatekZapisanychOkresow = poczatek;
    k->poczatekOkresu->setDate(poczatek.isValid() ? poczatek : k->poczatekOkresu->minimumDate());
    k->mpk->setText(d.mpk);
    k->komentarz->setPlainText(d.komentarz);

    ustawTekstCombo(k->termin, d.terminZaplaty);
    wybierzId(k->sposob, d.sposobZaplaty);
    wybierzId(k->szablonZlec, d.szablonZlecenia);
    wybierzId(k->szablonPotw, d.szablonPotwierdzenia);
    ladujKonta();
    wybierzId(k->konto, d.idKontaRozl);
    k->kodAnalityczny->setText(d.kodAnalityczny);
    wybierzId(k->uwagiDod, d.idFvUd);
    k->uwagiSp->setPlainText(d.uwagiSp.join(QLatin1Char('\n')));
    k->uwagiFv->setPlainText(d.uwagiFv.join(QLatin1Char('\n')));
    k->dataKursuAuto->setChecked(d.dataKursuAuto);
    (d.dataKursuZrodlo == 0 ? k->dataZaladunku : k->dataRozladunku)->setChecked(true);
    k->dniKursu->setCurrentIndex(d.dniKursuIndeks);
    k->oswiadczenieVat->setChecked(d.oswiadczenieVat);
    k->fvPodsum2->setChecked(d.fvPodsum2);
    k->fvJednaWaluta->setChecked(d.fvJednaWaluta);
    k->papierFirmowy->setChecked(d.papierFirmowy);
    k->margines->setText(d.marginesGorny);
    ustawPapierFirmowy();
    ustawPrzyciskiUwag();
    sprawdzNipPrzyPisaniu();
    sprawdzEmailPrzyPisaniu();
}

void Tedycja_firmy_form::zbierzDane() const
{
    partners::DaneFirmy &d = m_dane;
    d.nazwa = k->nazwa->text();
    d.skrot = k->skrot->text();
    d.firmaWlasna = k->wlasna->isChecked();
    d.idTypu = idZCombo(k->typ);
    d.idStatusu = idZCombo(k->status);
    d.oddzial = k->oddzial->isChecked();
    d.idCentrali = d.oddzial ? idZCombo(k->centrale) : 0;
    d.rodzaje.clear();
    for (int i = 0; i < k->rodzaje->count(); ++i)
        if (k->rodzaje->item(i)->checkState() == Qt::Checked)
            d.rodzaje << k->rodzaje->item(i)->data(Qt::UserRole).toInt();
    d.limitKredytowy = k->limit->value();
    d.walutaLimitu = k->waluta->currentText().trimmed();
    d.prefiksNip = k->prefiks->currentText().trimmed();
    d.nip = k->nip->text();
    d.regon = k->regon->text().trimmed();
    d.krs = k->krs->text().trimmed();
    d.nrTrans = k->nrTrans->text().trimmed();
    d.skype = k->skype->text().trimmed();
    d.nrGg = k->nrGg->text().trimmed();
    d.www = k->www->text().trimmed();
    d.eMail = k->email->text().trimmed();
    d.wlasciciel = k->wlasciciel->text().trimmed();
    d.apdId = k->apdId->text().trimmed();
    d.apdToken = k->apdToken->text().trimmed();
    d.aktywna = k->aktywna->isChecked();
    d.bus = k->bus->isChecked();
    d.uwagi = k->uwagi->toPlainText();

    d.idM = k->miasto->currentIndex() < 0 ? 0 : k->miasto->currentData().toInt();
    d.idKodu = k->miasto->currentIndex() < 0 ? 0 : k->miasto->currentData(Qt::UserRole + 1).toInt();
    d.ulica = k->ulica->text().trimmed();
    d.nrDomu = k->nrDomu->text().trimmed();
    d.nrM = k->nrM->text().trimmed();

    d.dodatkoweWolne = k->dodatkoweWolne->currentIndex() < 0 ? 7 : k->dodatkoweWolne->currentData().toInt();
    d.nocneOd = k->nocneOd->time();
    d.nocneDo = k->nocneDo->time();
    d.swietaOd = k->swietaOd->time();
    d.poraNocnaOd = k->poraNocnaOd->time();
    d.poraNocnaDo = k->poraNocnaDo->time();
    d.limitNadh = k->limitNadh->value();
    d.okresRoz = idZCombo(k->okresRoz);
    d.poczatekOkresu =
        k->poczatekOkresu->date() == k->poczatekOkresu->minimumDate() ? QDate() : k->poczatekOkresu->date();
    // A start typed for a company without periods is only kept with a length to generate them by.
    d.okresRozWymagany =
        !k->gbRozliczenia->isHidden() && d.poczatekOkresu.isValid() && !m_poczatekZapisanychOkresow.isValid();
    d.mpk = k->mpk->text().trimmed();
    d.komentarz = k->komentarz->toPlainText();

    d.kodAnalityczny = k->kodAnalityczny->text().trimmed();
    d.terminZaplaty = k->termin->currentText().trimmed();
    d.sposobZaplaty = idZCombo(k->sposob);
    d.szablonyWidoczne = m_prawaFv;
    d.szablonZlecenia = idZCombo(k->szablonZlec);
    d.szablonPotwierdzenia = idZCombo(k->szablonPotw);
    d.uwagiFvWidoczne = m_prawaFv;
    d.uwagiSpWidoczne = m_prawaFv;
    const auto linie = [](const QPlainTextEdit *e) {
        const QString tekst = e->toPlainText();
        return tekst.isEmpty() ? QStringList() : tekst.split(QLatin1Char('\n'));
    };
    d.uwagiFv = linie(k->uwagiFv);
    d.uwagiSp = linie(k->uwagiSp);
    d.idFvUd = idZCombo(k->uwagiDod);
    d.idKontaRozl = idZCombo(k->konto);
    d.dataKursuAuto = k->dataKursuAuto->isChecked();
    d.dataKursuZrodlo = k->dataRozladunku->isChecked() ? 1 : 0;
    d.dniKursuIndeks = k->dniKursu->currentIndex();
    d.oswiadczenieVat = k->oswiadczenieVat->isChecked();
    d.fvPodsum2 = k->fvPodsum2->isChecked();
    d.fvJednaWaluta = k->fvJednaWaluta->isChecked();
    d.papierFirmowy = k->papierFirmowy->isChecked();
    d.marginesGorny = k->margines->text().trimmed();
}

// ---- frames, tabs and the lock ---------------------------------------------------------------------

void Tedycja_firmy_form::Wypelnij_Ramki()
{
    Wypelnianie w(m_wypelnianie);
    ustawWidocznoscZakladek();
    ustawPodpisOddzialow();
    zastosujBlokadeWlasnej();
    ustawPrzyciskZlecenia();
    if (tryb != Edycja) {
        k->strony->setCurrentWidget(k->tsDaneOgolne);
        k->nazwa->setFocus();
    } else {
        QWidget *startowa =
            m_zakladkaStartowa.isEmpty() ? nullptr : k->strony->findChild<QWidget *>(m_zakladkaStartowa);
        const int indeks = startowa ? k->strony->indexOf(startowa) : -1;
        k->strony->setCurrentIndex(indeks >= 0 && k->strony->isTabVisible(indeks) ? indeks : 0);
    }
    zaladujZakladke(k->strony->currentWidget() ? k->strony->currentWidget()->objectName() : QString());
}

void Tedycja_firmy_form::poWczytaniu()
{
    naglowek = id_rekordu > 0 ? k->nazwa->text().trimmed() : QString();
}

// ---- validation and saving ---------------------------------------------------------------------------

bool Tedycja_firmy_form::sprawdzPoprawnosc()
{
    zbierzDane();
    partners::TWalidacjaFirmy walidacja(m_dane, this);
    partners::PodpowiedziPol podpowiedzi;
    podpowiedzi.nazwa = bezAmpersandu(k->lNazwa->text());
    podpowiedzi.skrot = bezAmpersandu(k->lSkrot->text());
    podpowiedzi.miasto = bezAmpersandu(k->lMiasto->text());
    podpowiedzi.waluta = k->waluta->toolTip();
    walidacja.ustawPodpowiedzi(podpowiedzi);
    const partners::WynikWalidacji wynik = walidacja.sprawdz();
    if (k->skrot->text() != m_dane.skrot)
        k->skrot->setText(m_dane.skrot); // the acronym confirmed from CDN XL
    if (!wynik.poprawna)
        skupNaPolu(int(wynik.pole), wynik.zakladka);
    return wynik.poprawna;
}

void Tedycja_firmy_form::skupNaPolu(int pole, const QString &zakladka)
{
    using partners::PoleFirmy;
    QWidget *kontrolka = nullptr;
    switch (PoleFirmy(pole)) {
    case PoleFirmy::Nazwa:
        kontrolka = k->nazwa;
        break;
    case PoleFirmy::Skrot:
        kontrolka = k->skrot;
        break;
    case PoleFirmy::Miasto:
        kontrolka = k->miasto;
        break;
    case PoleFirmy::Centrala:
        kontrolka = k->centrale;
        break;
    case PoleFirmy::DlugoscOkresu:
        kontrolka = k->okresRoz;
        break;
    case PoleFirmy::WalutaLimitu:
        kontrolka = k->waluta;
        break;
    case PoleFirmy::Nip:
        kontrolka = k->nip;
        break;
    case PoleFirmy::Regon:
        kontrolka = k->regon;
        break;
    case PoleFirmy::Krs:
        kontrolka = k->krs;
        break;
    case PoleFirmy::Brak:
        break;
    }
    if (!zakladka.isEmpty())
        if (QWidget *strona = k->strony->findChild<QWidget *>(zakladka))
            k->strony->setCurrentWidget(strona);
    if (kontrolka && kontrolka->isEnabled())
        kontrolka->setFocus();
}

bool Tedycja_firmy_form::ZapiszZmiany(int mode)
{
    zbierzDane();
    if (mode == partners::TrybNowaFirma)
        m_dane.idFirmy = 0;
    partners::TZapisFirmy zapis(m_dane, this);
    zapis.prawaFakturySprzedazy = m_prawaFv;
    if (!zapis.zapisz(mode))
        return false;
    id_rekordu = m_dane.idFirmy;
    if (mode == partners::TrybNowaFirma) {
        tryb = Edycja;
        m_sajPoczatkowe = false;
    }
    naglowek = m_dane.nazwa.trimmed();
    {
        // The save may have created the first periods.
        Wypelnianie w(m_wypelnianie);
        const QDate poczatek = partners::poczatekPierwszegoOkresu(id_rekordu);
        m_poczatekZapisanychOkresow = poczatek;
        if (poczatek.isValid())
            k->poczatekOkresu->setDate(poczatek);
        ustawWidocznoscZakladek();
        ustawPrzyciskZlecenia();
    }
    oznaczBezZmian();
    odswiezTytul();
    return true;
}

// ---- caption and moving through the list -------------------------------------------------------------

void Tedycja_firmy_form::odswiezTytul()
{
    Tszablon_edycja_form::odswiezTytul();
    if (Kontener() || id_rekordu < 1 || tryb == Kopia)
        return;
    const QString nazwa = k->nazwa->text().trimmed();
    if (!nazwa.isEmpty())
        setWindowTitle(CzyZmieniony() ? QLatin1Char('*') + nazwa : nazwa);
}

void Tedycja_firmy_form::odswiezNawigacje()
{
    // Opened from a list, the editor walks through its companies (Page Up / Page Down).
    poprzButton()->setVisible(lista != nullptr);
    nastButton()->setVisible(lista != nullptr);
    Tszablon_edycja_form::odswiezNawigacje();
}

void Tedycja_firmy_form::nastepnyRekord()
{
    Tszablon_edycja_form::nastepnyRekord();
    odswiezTytul();
}

void Tedycja_firmy_form::poprzedniRekord()
{
    Tszablon_edycja_form::poprzedniRekord();
    odswiezTytul();
}
