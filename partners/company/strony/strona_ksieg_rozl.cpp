#include "company/strony/strona_ksieg_rozl.h"

#include "company/okresy/generator_okresow.h"
#include "company/okresy/okresy_rozl_firmy_fr.h"
#include "company/slowniki_firmy.h"
#include "ramka/modul.h"

#include "host_funcs.h"
#include "text_fields.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QSplitter>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace partners {

using namespace strony;

StronaKsiegRozl::StronaKsiegRozl(QWidget *rodzic)
    : StronaFirmy(rodzic, "tsKsiegRozl")
{
    auto *uklad = new QVBoxLayout(this);
    m_rozliczenia = nazwany(new QGroupBox(tlumacz("Resstrings_IDS_EdFirmy_Rozliczenie_czasu"), this), "gbRozliczenia");
    auto *siatka = new QGridLayout(m_rozliczenia);
    int r = 0;
    QList<QWidget *> rozliczeniowe; // the rows only settlements need
    const auto dodaj = [&](std::initializer_list<QWidget *> wiersz, int kolumny = 1,
                           QList<QWidget *> *grupa = nullptr) {
        int kolumna = 0;
        for (QWidget *w : wiersz) {
            siatka->addWidget(w, r, kolumna, 1, kolumna == 1 ? kolumny : 1);
            kolumna += kolumna == 1 ? kolumny : 1;
            if (grupa)
                *grupa << w;
        }
        ++r;
    };
    m_dodatkoweWolne = combo(m_rozliczenia, "cbDodatkoweWolne");
    dodaj({etykieta(tlumacz("Resstrings_IDS_EdFirmy_Dodatkowe_wolne"), m_dodatkoweWolne, this), m_dodatkoweWolne}, 3,
          &rozliczeniowe);

    m_nocneOd = czas(m_rozliczenia, "tNocneOd");
    m_nocneDo = czas(m_rozliczenia, "tNocneDo");
    dodaj({new QLabel(tlumacz("Resstrings_IDS_NocneOd"), this), m_nocneOd,
           new QLabel(tlumacz("Resstrings_IDS_EdFirmy_Nocne_do"), this), m_nocneDo,
           new QLabel(tlumacz("Resstrings_IDS_EdFirmy_Nocne_opis"), this)});

    m_poraNocnaOd = czas(m_rozliczenia, "tPoraNocnaOd");
    m_poraNocnaDo = czas(m_rozliczenia, "tPoraNocnaDo");
    dodaj({new QLabel(tlumacz("Resstrings_IDS_pora_nocna_od"), this), m_poraNocnaOd,
           new QLabel(tlumacz("Resstrings_IDS_pora_nocna_do"), this), m_poraNocnaDo,
           new QLabel(tlumacz("Resstrings_IDS_EdFirmy_Pora_nocna_opis"), this)});

    m_swietaOd = czas(m_rozliczenia, "tSwietaOd");
    dodaj({new QLabel(tlumacz("Resstrings_IDS_SwietaOd"), this), m_swietaOd});

    m_limitNadh = nazwany(new QSpinBox(m_rozliczenia), "seLimitNadh");
    m_limitNadh->setRange(0, 416);
    m_limitNadh->setValue(260);
    dodaj({new QLabel(tlumacz("Resstrings_IDS_LimitNadgodz"), this), m_limitNadh}, 1, &rozliczeniowe);

    m_okresRoz = combo(m_rozliczenia, "cbOkresRoz");
    dodaj({etykieta(tlumacz("Resstrings_IDS_EdFirmy_Dlugosc_okresu"), m_okresRoz, this), m_okresRoz}, 3,
          &rozliczeniowe);

    m_poczatekOkresu = nazwany(new QDateEdit(m_rozliczenia), "dPoczatekOkresu");
    m_poczatekOkresu->setCalendarPopup(true);
    m_poczatekOkresu->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // The first day it accepts stands for "no date".
    m_poczatekOkresu->setMinimumDate(QDate(1900, 1, 1));
    m_poczatekOkresu->setSpecialValueText(QStringLiteral(" "));
    dodaj({new QLabel(tlumacz("Resstrings_IDS_poczatek_okresu"), this), m_poczatekOkresu}, 1, &rozliczeniowe);

    m_mpk = edit(m_rozliczenia, "firma_mpk", 100);
    dodaj({new QLabel(tlumacz("Resstrings_IDS_Import_MPK"), this), m_mpk}, 3);

    m_komentarz = nazwany(new QPlainTextEdit(m_rozliczenia), "firma_komentarz");
    m_komentarz->setTabChangesFocus(true);
    m_komentarz->setMaximumHeight(80);
    dodaj({new QLabel(tlumacz("Resstrings_IDS_KomentarzDLStopkaRap"), this), m_komentarz}, 4, &rozliczeniowe);
    siatka->setColumnStretch(4, 1);

    uklad->addWidget(m_rozliczenia);
    m_ramki = nazwany(new QSplitter(Qt::Horizontal, this), "pRamkiKsiegRozl");
    m_ramki->setChildrenCollapsible(false);
    uklad->addWidget(m_ramki, 1);

    // Periods, limits and the footer are settled by the calendar and business-trip modules; the
    // file opener and the tachograph list read the night and holiday hours as well.
    const auto prawa = [](const char *modul) { return host::SprawdzUpr(QLatin1String(modul)) >= 0; };
    const bool rozliczenia = prawa("calendars.dll") || prawa("business_trips.dll");
    const bool tachografy = prawa("file_opener.dll") || prawa("tachograph_list.dll");
    for (QWidget *w : std::as_const(rozliczeniowe))
        w->setVisible(rozliczenia);
    m_rozliczenia->setVisible(rozliczenia || tachografy);

    for (QTimeEdit *t : {m_nocneOd, m_nocneDo, m_swietaOd, m_poraNocnaOd, m_poraNocnaDo})
        connect(t, &QTimeEdit::timeChanged, this, [this, t] {
            if (!m_wypelnianie)
                m_pusteCzasy.remove(t);
        });
    edytowalne({m_dodatkoweWolne, m_nocneOd, m_nocneDo, m_swietaOd, m_poraNocnaOd, m_poraNocnaDo, m_limitNadh,
                m_okresRoz, m_poczatekOkresu, m_mpk});
    edytowalneWieloliniowe({m_komentarz});
}

void StronaKsiegRozl::wczytajListy()
{
    const QScopedValueRollback wypelnianie(m_wypelnianie, true);
    const int okres = idZCombo(m_okresRoz);
    m_okresRoz->clear();
    m_okresRoz->addItem(QString(), 0);
    for (const auto &[nazwa, kod] : SlownikiFirmy::dlugosciOkresow())
        m_okresRoz->addItem(nazwa, kod);
    wybierzId(m_okresRoz, okres);

    if (m_dodatkoweWolne->count() == 0) {
        const QLocale jezyk(host::GetKeyLang());
        for (int dzien = 1; dzien <= 7; ++dzien)
            m_dodatkoweWolne->addItem(jezyk.dayName(dzien), dzien);
    }
}

void StronaKsiegRozl::wczytaj(const DaneFirmy &d)
{
    const QScopedValueRollback wypelnianie(m_wypelnianie, true);
    m_dodatkoweWolne->setCurrentIndex(m_dodatkoweWolne->findData(d.dodatkoweWolne));
    m_pusteCzasy.clear();
    const std::pair<QTimeEdit *, QTime> czasy[] = {{m_nocneOd, d.nocneOd},
                                                   {m_nocneDo, d.nocneDo},
                                                   {m_swietaOd, d.swietaOd},
                                                   {m_poraNocnaOd, d.poraNocnaOd},
                                                   {m_poraNocnaDo, d.poraNocnaDo}};
    for (const auto &[pole, czas] : czasy) {
        pole->setTime(czas.isValid() ? czas : QTime(0, 0));
        if (!czas.isValid())
            m_pusteCzasy.insert(pole);
    }
    m_limitNadh->setValue(d.limitNadh);
    wybierzId(m_okresRoz, d.okresRoz);
    const QDate poczatek = d.nowa() ? QDate() : poczatekPierwszegoOkresu(d.idFirmy);
    m_poczatekZapisanychOkresow = poczatek;
    m_poczatekOkresu->setDate(poczatek.isValid() ? poczatek : m_poczatekOkresu->minimumDate());
    m_mpk->setText(d.mpk);
    ui::setMemoText(m_komentarz, d.komentarz);
}

void StronaKsiegRozl::zbierz(DaneFirmy &d) const
{
    d.dodatkoweWolne = m_dodatkoweWolne->currentIndex() < 0 ? 7 : m_dodatkoweWolne->currentData().toInt();
    // A time stored empty stays empty until the user sets it.
    const auto czas = [this](const QTimeEdit *t) { return m_pusteCzasy.contains(t) ? QTime() : t->time(); };
    d.nocneOd = czas(m_nocneOd);
    d.nocneDo = czas(m_nocneDo);
    d.swietaOd = czas(m_swietaOd);
    d.poraNocnaOd = czas(m_poraNocnaOd);
    d.poraNocnaDo = czas(m_poraNocnaDo);
    d.limitNadh = m_limitNadh->value();
    d.okresRoz = idZCombo(m_okresRoz);
    d.poczatekOkresu = m_poczatekOkresu->date() == m_poczatekOkresu->minimumDate() ? QDate() : m_poczatekOkresu->date();
    // A start typed for a company without periods is only kept with a length to generate them by.
    d.okresRozWymagany =
        !m_okresRoz->isHidden() && d.poczatekOkresu.isValid() && !m_poczatekZapisanychOkresow.isValid();
    d.mpk = m_mpk->text();
    d.komentarz = ui::memoText(m_komentarz);
}

void StronaKsiegRozl::poZapisie(const DaneFirmy &d)
{
    // The save may have created the first periods.
    const QScopedValueRollback wypelnianie(m_wypelnianie, true);
    const QDate poczatek = poczatekPierwszegoOkresu(d.idFirmy);
    m_poczatekZapisanychOkresow = poczatek;
    if (poczatek.isValid())
        m_poczatekOkresu->setDate(poczatek);
    if (m_okresy && m_okresy->daneWczytane())
        m_okresy->odswiezClick();
}

QWidget *StronaKsiegRozl::kontrolka(PoleFirmy pole) const
{
    return pole == PoleFirmy::DlugoscOkresu ? m_okresRoz : nullptr;
}

} // namespace partners

namespace partners {

void StronaKsiegRozl::umiescRamke(QWidget *grupa)
{
    m_ramki->addWidget(grupa);
    auto *okresy = grupa->findChild<Tokresy_rozl_firmy_frame *>();
    if (!okresy)
        return;
    m_okresy = okresy;
    connect(m_okresRoz, &QComboBox::currentIndexChanged, okresy,
            [this, okresy] { okresy->UstawDlugoscOkresu(idZCombo(m_okresRoz)); });
    connect(okresy, &Tokresy_rozl_firmy_frame::okresyZmienione, this, [this, okresy](int kodDlugosci) {
        // Stored already: the company's own changes stay as they were.
        const QSignalBlocker dlugosc(m_okresRoz);
        const QSignalBlocker poczatek(m_poczatekOkresu);
        if (kodDlugosci > 0)
            wybierzId(m_okresRoz, kodDlugosci);
        m_poczatekZapisanychOkresow = poczatekPierwszegoOkresu(okresy->IdFirmy());
        m_poczatekOkresu->setDate(m_poczatekZapisanychOkresow.isValid() ? m_poczatekZapisanychOkresow
                                                                        : m_poczatekOkresu->minimumDate());
    });
}

} // namespace partners
