// The pages and controls of the company editor.

#include "company/edycja_firmy_kontrolki.h"

#include "ramka/modul.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

using partners::tlumacz;


namespace {

template <typename W>
W *nazwany(W *w, const char *nazwa)
{
    w->setObjectName(QLatin1String(nazwa));
    return w;
}

QLineEdit *edit(QWidget *rodzic, const char *nazwa, int maks)
{
    auto *e = nazwany(new QLineEdit(rodzic), nazwa);
    e->setMaxLength(maks);
    return e;
}

QComboBox *combo(QWidget *rodzic, const char *nazwa)
{
    auto *c = nazwany(new QComboBox(rodzic), nazwa);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(12);
    return c;
}

QToolButton *przycisk(QWidget *rodzic, const char *nazwa, const QString &podpis, const QString &podpowiedz = QString())
{
    auto *b = nazwany(new QToolButton(rodzic), nazwa);
    b->setText(podpis);
    b->setToolTip(podpowiedz.isEmpty() ? podpis : podpowiedz);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QTimeEdit *czas(QWidget *rodzic, const char *nazwa)
{
    auto *t = nazwany(new QTimeEdit(rodzic), nazwa);
    t->setDisplayFormat(QStringLiteral("HH:mm"));
    return t;
}

// A label whose "&" letter jumps to the control.
QLabel *etykieta(const QString &tekst, QWidget *pole, QWidget *rodzic)
{
    auto *l = new QLabel(tekst, rodzic);
    l->setBuddy(pole);
    return l;
}

QWidget *wiersz(QWidget *rodzic, std::initializer_list<QWidget *> pola, int rozciagany = 0)
{
    auto *w = new QWidget(rodzic);
    auto *u = new QHBoxLayout(w);
    u->setContentsMargins(0, 0, 0, 0);
    int i = 0;
    for (QWidget *p : pola)
        u->addWidget(p, i++ == rozciagany ? 1 : 0);
    return w;
}

void kolejnosc(std::initializer_list<QWidget *> pola)
{
    QWidget *poprzedni = nullptr;
    for (QWidget *p : pola) {
        if (poprzedni)
            QWidget::setTabOrder(poprzedni, p);
        poprzedni = p;
    }
}

QWidget *strona(QTabWidget *strony, const char *nazwa, const QString &podpis)
{
    auto *s = nazwany(new QWidget(strony), nazwa);
    strony->addTab(s, podpis);
    return s;
}

} // namespace

void Tedycja_firmy_form::zbudujWidok()
{
    auto *uklad = new QVBoxLayout(PanelWnetrza());
    uklad->setContentsMargins(4, 4, 4, 4);
    k->strony = nazwany(new QTabWidget(PanelWnetrza()), "PageControl");
    uklad->addWidget(k->strony);

    k->tsDaneOgolne = strona(k->strony, "tsDaneOgolne", tlumacz("Resstrings_IDS_Firmy_Dane_Ogolne"));
    k->tsDaneDomyslne = strona(k->strony, "tsDaneDomyslne", tlumacz("Resstrings_IDS_Firmy_Dane_Domyslne"));
    k->tsOddzialy = strona(k->strony, "tsOddzialy", tlumacz("Resstrings_IDS_Oddzialy2"));
    k->tsKontakty = strona(k->strony, "tsKontakty", tlumacz("Resstrings_IDS_Firmy_Kontakty"));
    k->tsKsiegRozl = strona(k->strony, "tsKsiegRozl", tlumacz("Resstrings_IDS_Firmy_Ksiegowosc_Rozliczenia"));
    k->tsDomyslneFV = strona(k->strony, "tsDomyslneFV", tlumacz("Resstrings_IDS_Dodatkowe_dane_dom"));
    k->tsDokumenty = strona(k->strony, "tsDokumenty", tlumacz("Resstrings_IDS_EdFirmy_Dokumenty"));
    // The frames of these pages come with their own work; the pages stay empty meanwhile.
    for (QWidget *pusta : {k->tsDaneDomyslne, k->tsOddzialy, k->tsKontakty, k->tsDokumenty})
        new QVBoxLayout(pusta);

    auto *ogolne = new QVBoxLayout(k->tsDaneOgolne);
    ogolne->setContentsMargins(0, 0, 0, 0);
    ogolne->addWidget(zbudujDaneOgolne());
    auto *ksiegowe = new QVBoxLayout(k->tsKsiegRozl);
    ksiegowe->setContentsMargins(0, 0, 0, 0);
    ksiegowe->addWidget(zbudujKsiegRozl());
    auto *fv = new QVBoxLayout(k->tsDomyslneFV);
    fv->setContentsMargins(0, 0, 0, 0);
    fv->addWidget(zbudujDomyslneFv());

    k->dodajZlec = przycisk(NewToolBarFrontAdditional(), "dodaj_zlec",
                            tlumacz("Resstrings_IDS_firmy__edycja_firmy_unit__dodaj_zlec"));
    NewToolBarFrontAdditional()->layout()->addWidget(k->dodajZlec);
    resize(1000, 680);
}

QWidget *Tedycja_firmy_form::zbudujDaneOgolne()
{
    auto *w = new QWidget(k->tsDaneOgolne);
    auto *siatka = new QGridLayout(w);

    // Left column: names, address, head office, kinds.
    auto *lewa = new QFormLayout;
    k->nazwa = edit(w, "firma_nazwa", 200);
    k->lNazwa = etykieta(tlumacz("Resstrings_IDS_EdFirmy_Nazwa"), k->nazwa, w);
    lewa->addRow(k->lNazwa, k->nazwa);
    k->skrot = edit(w, "firma_skrot", 50);
    k->lSkrot = etykieta(tlumacz("Resstrings_IDS_EdFirmy_Skrot"), k->skrot, w);
    lewa->addRow(k->lSkrot, k->skrot);

    k->miasto = combo(w, "cbMiasto");
    k->noweMiasto = przycisk(w, "bNoweMiasto", QStringLiteral("+"), tlumacz("Resstrings_IDS_EdFirmy_Nowe_miasto"));
    k->edytujMiasto =
        przycisk(w, "bEdytujMiasto", QStringLiteral("…"), tlumacz("Resstrings_IDS_EdFirmy_Edytuj_miasto"));
    k->lMiasto = etykieta(tlumacz("Resstrings_IDS_EdFirmy_Miasto"), k->miasto, w);
    lewa->addRow(k->lMiasto, wiersz(w, {k->miasto, k->noweMiasto, k->edytujMiasto}));

    k->ulica = edit(w, "firma_ulica", 50);
    k->nrDomu = edit(w, "firma_nr_domu", 10);
    k->nrM = edit(w, "firma_nr_m", 5);
    k->nrDomu->setPlaceholderText(tlumacz("Resstrings_IDS_NrDomu"));
    k->nrDomu->setToolTip(tlumacz("Resstrings_IDS_NrDomu"));
    k->nrM->setPlaceholderText(tlumacz("Resstrings_IDS_NrLokalu"));
    k->nrM->setToolTip(tlumacz("Resstrings_IDS_NrLokalu"));
    k->nrDomu->setMaximumWidth(80);
    k->nrM->setMaximumWidth(60);
    lewa->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Ulica"), k->ulica, w),
                 wiersz(w, {k->ulica, k->nrDomu, k->nrM}));

    k->typ = combo(w, "cbTyp");
    k->typ->hide();
    k->wlasna = nazwany(new QCheckBox(tlumacz("Resstrings_IDS_firma_wlasna"), w), "cbFirmaWlasna");
    lewa->addRow(QString(), k->wlasna);

    k->centrala = nazwany(new QRadioButton(tlumacz("Resstrings_IDS_EdFirmy_Centrala"), w), "rbCentrala");
    k->oddzial = nazwany(new QRadioButton(tlumacz("Resstrings_IDS_EdFirmy_Oddzial"), w), "rbOddzial");
    k->centrale = combo(w, "cbCentrala");
    k->centrale->setToolTip(tlumacz("Resstrings_IDS_Centrala"));
    lewa->addRow(QString(), wiersz(w, {k->centrala, k->oddzial, k->centrale}, 2));

    k->rodzaje = nazwany(new QListWidget(w), "clbRodzaje");
    k->rodzaje->setMaximumHeight(110);
    k->dodajRodzaj =
        przycisk(w, "bDodajRodzaj", QStringLiteral("+"), tlumacz("Resstrings_IDS_EdFirmy_Dodaj_do_slownika"));
    lewa->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Rodzaje"), k->rodzaje, w),
                 wiersz(w, {k->rodzaje, k->dodajRodzaj}));

    k->status = combo(w, "cbStatus");
    k->dodajStatus =
        przycisk(w, "bDodajStatus", QStringLiteral("+"), tlumacz("Resstrings_IDS_EdFirmy_Dodaj_do_slownika"));
    lewa->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Status"), k->status, w),
                 wiersz(w, {k->status, k->dodajStatus}));

    k->limit = nazwany(new QDoubleSpinBox(w), "eLimitKredytowy");
    k->limit->setRange(0, 9999999999999999.99);
    k->limit->setDecimals(2);
    k->limit->setGroupSeparatorShown(true);
    k->waluta = combo(w, "cbWalutaLimitu");
    k->waluta->setToolTip(tlumacz("Resstrings_IDS_EdFirmy_Waluta"));
    k->waluta->setMinimumContentsLength(5);
    lewa->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_LimitKredytowy"), k->limit, w),
                 wiersz(w, {k->limit, k->waluta}));

    k->uwagi = nazwany(new QPlainTextEdit(w), "firma_uwagi");
    k->uwagi->setTabChangesFocus(true);
    lewa->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Uwagi"), k->uwagi, w), k->uwagi);

    // Right column: numbers and contact.
    auto *prawa = new QFormLayout;
    k->prefiks = combo(w, "cbPrefiksNip");
    k->prefiks->setMinimumContentsLength(3);
    k->nip = edit(w, "firma_nip", 22);
    k->nip->setMinimumWidth(k->nip->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 14);
    k->vies = przycisk(w, "bVies", tlumacz("Resstrings_IDS_Sprawdz_w_vies"));
    k->lNip = etykieta(tlumacz("Resstrings_IDS_EdFirmy_Nip"), k->nip, w);
    prawa->addRow(k->lNip, wiersz(w, {k->prefiks, k->nip, k->vies}, 1));
    k->regon = edit(w, "firma_regon", 9);
    prawa->addRow(tlumacz("Resstrings_IDS_Regon"), k->regon);
    k->krs = edit(w, "firma_krs", 10);
    prawa->addRow(tlumacz("Resstrings_IDS_KRS"), k->krs);
    k->nrTrans = edit(w, "firma_nr_trans", 50);
    prawa->addRow(tlumacz("Resstrings_IDS_nr_trans"), k->nrTrans);
    k->skype = edit(w, "firma_skype", 50);
    prawa->addRow(tlumacz("Resstrings_IDS_skype"), k->skype);
    k->nrGg = edit(w, "firma_nr_gg", 25);
    prawa->addRow(tlumacz("Resstrings_IDS_nr_gg"), k->nrGg);
    k->www = edit(w, "firma_www", 60);
    prawa->addRow(tlumacz("Resstrings_IDS_WWW"), k->www);
    k->email = edit(w, "firma_e_mail", 50);
    prawa->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Email"), k->email, w), k->email);
    k->wlasciciel = edit(w, "firma_wlasciciel", 30);
    prawa->addRow(tlumacz("Resstrings_IDS_wlasciciel"), k->wlasciciel);
    k->apdId = edit(w, "firma_apd_id", 10);
    k->apdId->setValidator(new QIntValidator(0, std::numeric_limits<int>::max(), k->apdId));
    prawa->addRow(tlumacz("Resstrings_IDS_EdFirmy_Apd_id"), k->apdId);
    k->apdToken = edit(w, "firma_apd_token", 34);
    prawa->addRow(tlumacz("Resstrings_IDS_EdFirmy_Apd_token"), k->apdToken);
    k->aktywna = nazwany(new QCheckBox(tlumacz("Resstrings_IDS_Aktywna"), w), "cbAktywna");
    k->bus = nazwany(new QCheckBox(tlumacz("Resstrings_IDS_EdFirmy_Bus"), w), "cbBus");
    prawa->addRow(QString(), wiersz(w, {k->aktywna, k->bus}));

    siatka->addLayout(lewa, 0, 0);
    siatka->addLayout(prawa, 0, 1);
    siatka->setColumnStretch(0, 3);
    siatka->setColumnStretch(1, 2);

    // Tab order: down the left column, then the right one.
    kolejnosc({k->nazwa,  k->skrot,       k->miasto,   k->noweMiasto, k->edytujMiasto, k->ulica,   k->nrDomu,
               k->nrM,    k->wlasna,      k->centrala, k->oddzial,    k->centrale,     k->rodzaje, k->dodajRodzaj,
               k->status, k->dodajStatus, k->limit,    k->waluta,     k->uwagi,        k->prefiks, k->nip,
               k->vies,   k->regon,       k->krs,      k->nrTrans,    k->skype,        k->nrGg,    k->www,
               k->email,  k->wlasciciel,  k->apdId,    k->apdToken,   k->aktywna,      k->bus});
    return w;
}

QWidget *Tedycja_firmy_form::zbudujKsiegRozl()
{
    auto *w = new QWidget(k->tsKsiegRozl);
    auto *uklad = new QVBoxLayout(w);

    k->gbRozliczenia = nazwany(new QGroupBox(tlumacz("Resstrings_IDS_EdFirmy_Rozliczenie_czasu"), w), "gbRozliczenia");
    auto *siatka = new QGridLayout(k->gbRozliczenia);
    int r = 0;
    k->dodatkoweWolne = combo(k->gbRozliczenia, "cbDodatkoweWolne");
    siatka->addWidget(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Dodatkowe_wolne"), k->dodatkoweWolne, w), r, 0);
    siatka->addWidget(k->dodatkoweWolne, r++, 1, 1, 3);

    k->nocneOd = czas(k->gbRozliczenia, "tNocneOd");
    k->nocneDo = czas(k->gbRozliczenia, "tNocneDo");
    siatka->addWidget(new QLabel(tlumacz("Resstrings_IDS_NocneOd"), w), r, 0);
    siatka->addWidget(k->nocneOd, r, 1);
    siatka->addWidget(new QLabel(tlumacz("Resstrings_IDS_EdFirmy_Nocne_do"), w), r, 2);
    siatka->addWidget(k->nocneDo, r, 3);
    siatka->addWidget(new QLabel(tlumacz("Resstrings_IDS_EdFirmy_Nocne_opis"), w), r++, 4);

    k->poraNocnaOd = czas(k->gbRozliczenia, "tPoraNocnaOd");
    k->poraNocnaDo = czas(k->gbRozliczenia, "tPoraNocnaDo");
    siatka->addWidget(new QLabel(tlumacz("Resstrings_IDS_pora_nocna_od"), w), r, 0);
    siatka->addWidget(k->poraNocnaOd, r, 1);
    siatka->addWidget(new QLabel(tlumacz("Resstrings_IDS_pora_nocna_do"), w), r, 2);
    siatka->addWidget(k->poraNocnaDo, r, 3);
    siatka->addWidget(new QLabel(tlumacz("Resstrings_IDS_EdFirmy_Pora_nocna_opis"), w), r++, 4);

    k->swietaOd = czas(k->gbRozliczenia, "tSwietaOd");
    siatka->addWidget(new QLabel(tlumacz("Resstrings_IDS_SwietaOd"), w), r, 0);
    siatka->addWidget(k->swietaOd, r++, 1);

    k->limitNadh = nazwany(new QSpinBox(k->gbRozliczenia), "seLimitNadh");
    k->limitNadh->setRange(0, 416);
    k->limitNadh->setValue(260);
    siatka->addWidget(new QLabel(tlumacz("Resstrings_IDS_LimitNadgodz"), w), r, 0);
    siatka->addWidget(k->limitNadh, r++, 1);

    k->okresRoz = combo(k->gbRozliczenia, "cbOkresRoz");
    siatka->addWidget(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Dlugosc_okresu"), k->okresRoz, w), r, 0);
    siatka->addWidget(k->okresRoz, r++, 1, 1, 3);

    k->poczatekOkresu = nazwany(new QDateEdit(k->gbRozliczenia), "dPoczatekOkresu");
    k->poczatekOkresu->setCalendarPopup(true);
    k->poczatekOkresu->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // The first day it accepts stands for "no date".
    k->poczatekOkresu->setMinimumDate(QDate(1900, 1, 1));
    k->poczatekOkresu->setSpecialValueText(QStringLiteral(" "));
    siatka->addWidget(new QLabel(tlumacz("Resstrings_IDS_poczatek_okresu"), w), r, 0);
    siatka->addWidget(k->poczatekOkresu, r++, 1);

    k->mpk = edit(k->gbRozliczenia, "firma_mpk", 100);
    siatka->addWidget(new QLabel(tlumacz("Resstrings_IDS_Import_MPK"), w), r, 0);
    siatka->addWidget(k->mpk, r++, 1, 1, 3);

    k->komentarz = nazwany(new QPlainTextEdit(k->gbRozliczenia), "firma_komentarz");
    k->komentarz->setTabChangesFocus(true);
    k->komentarz->setMaximumHeight(80);
    siatka->addWidget(new QLabel(tlumacz("Resstrings_IDS_KomentarzDLStopkaRap"), w), r, 0);
    siatka->addWidget(k->komentarz, r++, 1, 1, 4);
    siatka->setColumnStretch(4, 1);

    uklad->addWidget(k->gbRozliczenia);
    k->ramkiKsiegRozl = nazwany(new QWidget(w), "pRamkiKsiegRozl");
    new QVBoxLayout(k->ramkiKsiegRozl);
    uklad->addWidget(k->ramkiKsiegRozl, 1);
    return w;
}

QWidget *Tedycja_firmy_form::zbudujDomyslneFv()
{
    auto *w = new QWidget(k->tsDomyslneFV);
    auto *uklad = new QFormLayout(w);
    const QString dodajDoSlownika = tlumacz("Resstrings_IDS_EdFirmy_Dodaj_do_slownika");

    k->termin = combo(w, "cbTerminZaplaty");
    k->dodajTermin = przycisk(w, "bDodajTermin", QStringLiteral("+"), dodajDoSlownika);
    uklad->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Termin_zaplaty"), k->termin, w),
                  wiersz(w, {k->termin, new QLabel(tlumacz("Resstrings_IDS_Dni"), w), k->dodajTermin}));
    k->sposob = combo(w, "cbSposobZaplaty");
    uklad->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Sposob_zaplaty"), k->sposob, w), k->sposob);

    k->konto = combo(w, "cbKontoRozl");
    k->tylkoAktywne = new QAction(tlumacz("Resstrings_IDS_Tylko_aktywne"), k->konto);
    k->tylkoAktywne->setObjectName(QStringLiteral("aTylkoAktywne"));
    k->tylkoAktywne->setCheckable(true);
    k->tylkoAktywne->setChecked(true);
    k->konto->addAction(k->tylkoAktywne);
    k->konto->setContextMenuPolicy(Qt::ActionsContextMenu);
    uklad->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Konto_rozl"), k->konto, w), k->konto);

    const QString nowy = tlumacz("Resstrings_IDS_EdFirmy_Nowy_szablon");
    const QString edytuj = tlumacz("Resstrings_IDS_EdFirmy_Edytuj_szablon");
    k->szablonZlec = combo(w, "cbSzablonZlecenia");
    k->nowySzablonZlec = przycisk(w, "bNowySzablonZlecenia", QStringLiteral("+"), nowy);
    k->edytujSzablonZlec = przycisk(w, "bEdytujSzablonZlecenia", QStringLiteral("…"), edytuj);
    uklad->addRow(tlumacz("Resstrings_IDS_SP_rdsz__raport_druk_zlec_unit__LWarunki_realiz"),
                  wiersz(w, {k->szablonZlec, k->nowySzablonZlec, k->edytujSzablonZlec}));
    k->szablonPotw = combo(w, "cbSzablonPotwierdzenia");
    k->nowySzablonPotw = przycisk(w, "bNowySzablonPotwierdzenia", QStringLiteral("+"), nowy);
    k->edytujSzablonPotw = przycisk(w, "bEdytujSzablonPotwierdzenia", QStringLiteral("…"), edytuj);
    uklad->addRow(tlumacz("Resstrings_IDS_Warunki_realizacji_potwierdzenia_zlecenia"),
                  wiersz(w, {k->szablonPotw, k->nowySzablonPotw, k->edytujSzablonPotw}));

    k->kodAnalityczny = edit(w, "firma_kod_analityczny", 100);
    uklad->addRow(tlumacz("Resstrings_IDS_EdFirmy_Kod_analityczny"), k->kodAnalityczny);

    k->uwagiDod = combo(w, "cbUwagiDodatkowe");
    k->dodajUwagi =
        przycisk(w, "bDodajSzablonUwag", QStringLiteral("+"), tlumacz("Resstrings_IDS_EdFirmy_Dodaj_szablon_uwag"));
    k->edytujUwagi =
        przycisk(w, "bEdytujSzablonUwag", QStringLiteral("…"), tlumacz("Resstrings_IDS_EdFirmy_Edytuj_szablon_uwag"));
    k->usunUwagi =
        przycisk(w, "bUsunSzablonUwag", QStringLiteral("−"), tlumacz("Resstrings_IDS_EdFirmy_Usun_szablon_uwag"));
    uklad->addRow(tlumacz("Resstrings_IDS_Domyslne_uwagi_dod"),
                  wiersz(w, {k->uwagiDod, k->dodajUwagi, k->edytujUwagi, k->usunUwagi}));

    k->uwagiSp = nazwany(new QPlainTextEdit(w), "mUwagiSp");
    k->uwagiSp->setTabChangesFocus(true);
    k->uwagiSp->setMaximumHeight(70);
    uklad->addRow(tlumacz("Resstrings_IDS_EdFirmy_Uwagi_zlecen"), k->uwagiSp);
    k->uwagiFv = nazwany(new QPlainTextEdit(w), "mUwagiFv");
    k->uwagiFv->setTabChangesFocus(true);
    k->uwagiFv->setMaximumHeight(70);
    uklad->addRow(tlumacz("Resstrings_IDS_EdFirmy_Uwagi_faktur"), k->uwagiFv);

    auto *kurs = nazwany(new QGroupBox(tlumacz("Resstrings_IDS_EdFirmy_Data_kursu"), w), "gbDataKursu");
    auto *kursUklad = new QHBoxLayout(kurs);
    k->dataKursuAuto =
        nazwany(new QCheckBox(tlumacz("Resstrings_IDS_EdFirmy_Data_kursu_auto"), kurs), "cbDataKursuAuto");
    k->dataZaladunku =
        nazwany(new QRadioButton(tlumacz("Resstrings_IDS_EdFirmy_Daty_zaladunku"), kurs), "rbDataZaladunku");
    k->dataRozladunku =
        nazwany(new QRadioButton(tlumacz("Resstrings_IDS_EdFirmy_Daty_rozladunku"), kurs), "rbDataRozladunku");
    k->dniKursu = combo(kurs, "cbDniKursu");
    k->dniKursu->setMinimumContentsLength(3);
    k->dniKursu->addItems(
        {QStringLiteral("-2"), QStringLiteral("-1"), QStringLiteral("0"), QStringLiteral("+1"), QStringLiteral("+2")});
    kursUklad->addWidget(k->dataKursuAuto);
    kursUklad->addWidget(k->dataZaladunku);
    kursUklad->addWidget(k->dataRozladunku);
    kursUklad->addWidget(new QLabel(tlumacz("Resstrings_IDS_EdFirmy_Przesuniecie_dni"), kurs));
    kursUklad->addWidget(k->dniKursu);
    kursUklad->addStretch(1);
    uklad->addRow(kurs);

    auto *druk = nazwany(new QGroupBox(tlumacz("Resstrings_IDS_EdFirmy_Opcje_faktur"), w), "gbOpcjeFaktur");
    auto *drukUklad = new QGridLayout(druk);
    k->oswiadczenieVat =
        nazwany(new QCheckBox(tlumacz("Resstrings_IDS_EdFirmy_Oswiadczenie_vat"), druk), "cbOswiadczenieVat");
    k->fvPodsum2 = nazwany(new QCheckBox(tlumacz("Resstrings_IDS_EdFirmy_Fv_podsum2"), druk), "cbFvPodsum2");
    k->fvJednaWaluta = nazwany(new QCheckBox(tlumacz("Resstrings_IDS_EdFirmy_Fv_1waluta"), druk), "cbFvJednaWaluta");
    k->papierFirmowy =
        nazwany(new QCheckBox(tlumacz("Resstrings_IDS_EdFirmy_Papier_firmowy"), druk), "cbPapierFirmowy");
    k->margines = edit(druk, "eMarginesGorny", 3);
    k->margines->setValidator(new QIntValidator(0, 255, k->margines));
    k->margines->setMaximumWidth(60);
    drukUklad->addWidget(k->oswiadczenieVat, 0, 0, 1, 3);
    drukUklad->addWidget(k->fvPodsum2, 1, 0, 1, 3);
    drukUklad->addWidget(k->fvJednaWaluta, 2, 0, 1, 3);
    drukUklad->addWidget(k->papierFirmowy, 3, 0);
    drukUklad->addWidget(new QLabel(tlumacz("Resstrings_IDS_EdFirmy_Margines_gorny"), druk), 3, 1);
    drukUklad->addWidget(k->margines, 3, 2);
    drukUklad->setColumnStretch(3, 1);
    uklad->addRow(druk);
    return w;
}
