#include "company/strony/strona_domyslne_fv.h"

#include "company/slowniki_firmy.h"
#include "company/szablony_uwag.h"
#include "ramka/modul.h"

#include "handler_guard.h"
#include "host_funcs.h"
#include "prompter.h"
#include "siblings.h"
#include "text_fields.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QToolButton>

namespace partners {

using namespace strony;

namespace {

// Kinds of the execution-conditions templates of delivery_terms.dll.
constexpr int SzablonZlecenia = 0;
constexpr int SzablonPotwierdzenia = 1;

void ustawTekstCombo(QComboBox *combo, const QString &tekst)
{
    int indeks = combo->findText(tekst);
    if (indeks < 0 && !tekst.isEmpty()) {
        combo->addItem(tekst, tekst.toInt());
        indeks = combo->count() - 1;
    }
    combo->setCurrentIndex(indeks);
}

QStringList linie(const QPlainTextEdit *e)
{
    const QString tekst = ui::memoText(e);
    return tekst.isEmpty() ? QStringList() : tekst.split(QLatin1Char('\n'));
}

} // namespace

StronaDomyslneFv::StronaDomyslneFv(QWidget *rodzic, bool prawaFv)
    : StronaFirmy(rodzic, "tsDomyslneFV"),
      m_prawaFv(prawaFv)
{
    auto *uklad = new QFormLayout(this);

    m_termin = combo(this, "cbTerminZaplaty");
    auto *dodajTermin =
        przycisk(this, "bDodajTermin", QStringLiteral("+"), tlumacz("Resstrings_IDS_EdFirmy_Dodaj_do_slownika"));
    uklad->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Termin_zaplaty"), m_termin, this),
                  wiersz(this, {m_termin, new QLabel(tlumacz("Resstrings_IDS_Dni"), this), dodajTermin}));
    m_sposob = combo(this, "cbSposobZaplaty");
    uklad->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Sposob_zaplaty"), m_sposob, this), m_sposob);

    m_konto = combo(this, "cbKontoRozl");
    auto *tylkoAktywne = new QAction(tlumacz("Resstrings_IDS_Tylko_aktywne"), m_konto);
    tylkoAktywne->setObjectName(QStringLiteral("aTylkoAktywne"));
    tylkoAktywne->setCheckable(true);
    tylkoAktywne->setChecked(true);
    m_konto->addAction(tylkoAktywne);
    m_konto->setContextMenuPolicy(Qt::ActionsContextMenu);
    uklad->addRow(etykieta(tlumacz("Resstrings_IDS_EdFirmy_Konto_rozl"), m_konto, this), m_konto);

    const QString nowy = tlumacz("Resstrings_IDS_EdFirmy_Nowy_szablon");
    const QString edytuj = tlumacz("Resstrings_IDS_EdFirmy_Edytuj_szablon");
    m_szablonZlec = combo(this, "cbSzablonZlecenia");
    auto *nowySzablonZlec = przycisk(this, "bNowySzablonZlecenia", QStringLiteral("+"), nowy);
    auto *edytujSzablonZlec = przycisk(this, "bEdytujSzablonZlecenia", QStringLiteral("…"), edytuj);
    uklad->addRow(tlumacz("Resstrings_IDS_SP_rdsz__raport_druk_zlec_unit__LWarunki_realiz"),
                  wiersz(this, {m_szablonZlec, nowySzablonZlec, edytujSzablonZlec}));
    m_szablonPotw = combo(this, "cbSzablonPotwierdzenia");
    auto *nowySzablonPotw = przycisk(this, "bNowySzablonPotwierdzenia", QStringLiteral("+"), nowy);
    auto *edytujSzablonPotw = przycisk(this, "bEdytujSzablonPotwierdzenia", QStringLiteral("…"), edytuj);
    uklad->addRow(tlumacz("Resstrings_IDS_Warunki_realizacji_potwierdzenia_zlecenia"),
                  wiersz(this, {m_szablonPotw, nowySzablonPotw, edytujSzablonPotw}));

    m_kodAnalityczny = edit(this, "firma_kod_analityczny", 100);
    uklad->addRow(tlumacz("Resstrings_IDS_EdFirmy_Kod_analityczny"), m_kodAnalityczny);

    m_uwagiDod = combo(this, "cbUwagiDodatkowe");
    m_dodajUwagi =
        przycisk(this, "bDodajSzablonUwag", QStringLiteral("+"), tlumacz("Resstrings_IDS_EdFirmy_Dodaj_szablon_uwag"));
    m_edytujUwagi = przycisk(this, "bEdytujSzablonUwag", QStringLiteral("…"),
                             tlumacz("Resstrings_IDS_EdFirmy_Edytuj_szablon_uwag"));
    m_usunUwagi =
        przycisk(this, "bUsunSzablonUwag", QStringLiteral("−"), tlumacz("Resstrings_IDS_EdFirmy_Usun_szablon_uwag"));
    uklad->addRow(tlumacz("Resstrings_IDS_Domyslne_uwagi_dod"),
                  wiersz(this, {m_uwagiDod, m_dodajUwagi, m_edytujUwagi, m_usunUwagi}));

    m_uwagiSp = nazwany(new QPlainTextEdit(this), "mUwagiSp");
    m_uwagiSp->setTabChangesFocus(true);
    m_uwagiSp->setMaximumHeight(70);
    uklad->addRow(tlumacz("Resstrings_IDS_EdFirmy_Uwagi_zlecen"), m_uwagiSp);
    m_uwagiFv = nazwany(new QPlainTextEdit(this), "mUwagiFv");
    m_uwagiFv->setTabChangesFocus(true);
    m_uwagiFv->setMaximumHeight(70);
    uklad->addRow(tlumacz("Resstrings_IDS_EdFirmy_Uwagi_faktur"), m_uwagiFv);

    auto *kurs = nazwany(new QGroupBox(tlumacz("Resstrings_IDS_EdFirmy_Data_kursu"), this), "gbDataKursu");
    auto *kursUklad = new QHBoxLayout(kurs);
    m_dataKursuAuto =
        nazwany(new QCheckBox(tlumacz("Resstrings_IDS_EdFirmy_Data_kursu_auto"), kurs), "cbDataKursuAuto");
    m_dataZaladunku =
        nazwany(new QRadioButton(tlumacz("Resstrings_IDS_EdFirmy_Daty_zaladunku"), kurs), "rbDataZaladunku");
    m_dataRozladunku =
        nazwany(new QRadioButton(tlumacz("Resstrings_IDS_EdFirmy_Daty_rozladunku"), kurs), "rbDataRozladunku");
    m_dniKursu = combo(kurs, "cbDniKursu");
    m_dniKursu->setMinimumContentsLength(3);
    m_dniKursu->addItems(
        {QStringLiteral("-2"), QStringLiteral("-1"), QStringLiteral("0"), QStringLiteral("+1"), QStringLiteral("+2")});
    kursUklad->addWidget(m_dataKursuAuto);
    kursUklad->addWidget(m_dataZaladunku);
    kursUklad->addWidget(m_dataRozladunku);
    kursUklad->addWidget(new QLabel(tlumacz("Resstrings_IDS_EdFirmy_Przesuniecie_dni"), kurs));
    kursUklad->addWidget(m_dniKursu);
    kursUklad->addStretch(1);
    uklad->addRow(kurs);

    auto *druk = nazwany(new QGroupBox(tlumacz("Resstrings_IDS_EdFirmy_Opcje_faktur"), this), "gbOpcjeFaktur");
    auto *drukUklad = new QGridLayout(druk);
    m_oswiadczenieVat =
        nazwany(new QCheckBox(tlumacz("Resstrings_IDS_EdFirmy_Oswiadczenie_vat"), druk), "cbOswiadczenieVat");
    m_fvPodsum2 = nazwany(new QCheckBox(tlumacz("Resstrings_IDS_EdFirmy_Fv_podsum2"), druk), "cbFvPodsum2");
    m_fvJednaWaluta = nazwany(new QCheckBox(tlumacz("Resstrings_IDS_EdFirmy_Fv_1waluta"), druk), "cbFvJednaWaluta");
    m_papierFirmowy = nazwany(new QCheckBox(tlumacz("Resstrings_IDS_EdFirmy_Papier_firmowy"), druk), "cbPapierFirmowy");
    m_margines = edit(druk, "eMarginesGorny", 3);
    m_margines->setValidator(new QIntValidator(0, 255, m_margines));
    m_margines->setMaximumWidth(60);
    drukUklad->addWidget(m_oswiadczenieVat, 0, 0, 1, 3);
    drukUklad->addWidget(m_fvPodsum2, 1, 0, 1, 3);
    drukUklad->addWidget(m_fvJednaWaluta, 2, 0, 1, 3);
    drukUklad->addWidget(m_papierFirmowy, 3, 0);
    drukUklad->addWidget(new QLabel(tlumacz("Resstrings_IDS_EdFirmy_Margines_gorny"), druk), 3, 1);
    drukUklad->addWidget(m_margines, 3, 2);
    drukUklad->setColumnStretch(3, 1);
    uklad->addRow(druk);

    edytowalne({m_termin, m_sposob, m_konto, m_szablonZlec, m_szablonPotw, m_kodAnalityczny, m_uwagiDod,
                m_dataKursuAuto, m_dataZaladunku, m_dataRozladunku, m_dniKursu, m_oswiadczenieVat, m_fvPodsum2,
                m_fvJednaWaluta, m_papierFirmowy, m_margines});
    edytowalneWieloliniowe({m_uwagiSp, m_uwagiFv});

    connect(dodajTermin, &QToolButton::clicked, this,
            [this] { host::guard([this] { dodajDoSlownika(m_termin, QStringLiteral("dni_do_zaplaty")); }); });
    connect(nowySzablonZlec, &QToolButton::clicked, this,
            [this] { host::guard([this] { nowySzablonZlecenia(m_szablonZlec, SzablonZlecenia); }); });
    connect(edytujSzablonZlec, &QToolButton::clicked, this,
            [this] { host::guard([this] { edytujSzablonZlecenia(m_szablonZlec, SzablonZlecenia); }); });
    connect(nowySzablonPotw, &QToolButton::clicked, this,
            [this] { host::guard([this] { nowySzablonZlecenia(m_szablonPotw, SzablonPotwierdzenia); }); });
    connect(edytujSzablonPotw, &QToolButton::clicked, this,
            [this] { host::guard([this] { edytujSzablonZlecenia(m_szablonPotw, SzablonPotwierdzenia); }); });
    connect(m_dodajUwagi, &QToolButton::clicked, this, [this] { host::guard([this] { dodajSzablonUwag(); }); });
    connect(m_edytujUwagi, &QToolButton::clicked, this, [this] { host::guard([this] { edytujSzablonUwag(); }); });
    connect(m_usunUwagi, &QToolButton::clicked, this, [this] { host::guard([this] { usunSzablonUwag(); }); });
    connect(m_uwagiDod, &QComboBox::currentIndexChanged, this, [this] { ustawPrzyciskiUwag(); });
    // The top margin only counts on letter-headed paper.
    connect(m_papierFirmowy, &QCheckBox::toggled, m_margines, &QWidget::setEnabled);
    connect(tylkoAktywne, &QAction::toggled, this, [this](bool on) {
        host::guard([this, on] {
            m_tylkoAktywneKonta = on;
            const QSignalBlocker cisza(m_konto); // the choice itself does not change
            ladujKonta();
        });
    });
}

void StronaDomyslneFv::wczytajListy()
{
    const QScopedValueRollback wypelnianie(m_wypelnianie, true);
    SlownikiFirmy::ladujTerminy(m_termin);
    SlownikiFirmy::ladujSposobyZaplaty(m_sposob);
    SlownikiFirmy::ladujSzablonyZlecen(m_szablonZlec);
    SlownikiFirmy::ladujSzablonyZlecen(m_szablonPotw);
    szablony_uwag::Laduj(m_uwagiDod);
    ladujKonta();
}

void StronaDomyslneFv::ladujKonta()
{
    const int wybrane = idZCombo(m_konto);
    m_konto->clear();
    m_konto->addItem(QString(), 0);
    for (const KontoRozliczeniowe &konto : SlownikiFirmy::kontaAktywnejFirmy()) {
        // The company's current account stays on offer even when no longer active.
        if (m_tylkoAktywneKonta && !konto.aktywne && konto.id != wybrane && konto.id != m_idKontaRozl)
            continue;
        m_konto->addItem(konto.nazwa, konto.id);
    }
    wybierzId(m_konto, wybrane);
}

void StronaDomyslneFv::wczytaj(const DaneFirmy &d)
{
    const QScopedValueRollback wypelnianie(m_wypelnianie, true);
    m_idKontaRozl = d.idKontaRozl;
    ustawTekstCombo(m_termin, d.terminZaplaty);
    wybierzId(m_sposob, d.sposobZaplaty);
    wybierzId(m_szablonZlec, d.szablonZlecenia);
    wybierzId(m_szablonPotw, d.szablonPotwierdzenia);
    ladujKonta();
    wybierzId(m_konto, d.idKontaRozl);
    m_kodAnalityczny->setText(d.kodAnalityczny);
    wybierzId(m_uwagiDod, d.idFvUd);
    ui::setMemoText(m_uwagiSp, d.uwagiSp.join(QLatin1Char('\n')));
    ui::setMemoText(m_uwagiFv, d.uwagiFv.join(QLatin1Char('\n')));
    m_dataKursuAuto->setChecked(d.dataKursuAuto);
    (d.dataKursuZrodlo == 0 ? m_dataZaladunku : m_dataRozladunku)->setChecked(true);
    m_dniKursu->setCurrentIndex(d.dniKursuIndeks);
    m_oswiadczenieVat->setChecked(d.oswiadczenieVat);
    m_fvPodsum2->setChecked(d.fvPodsum2);
    m_fvJednaWaluta->setChecked(d.fvJednaWaluta);
    m_papierFirmowy->setChecked(d.papierFirmowy);
    m_margines->setText(d.marginesGorny);
    m_margines->setEnabled(d.papierFirmowy);
    ustawPrzyciskiUwag();
}

void StronaDomyslneFv::zbierz(DaneFirmy &d) const
{
    d.kodAnalityczny = m_kodAnalityczny->text();
    d.terminZaplaty = m_termin->currentText().trimmed();
    d.sposobZaplaty = idZCombo(m_sposob);
    d.szablonyWidoczne = m_prawaFv;
    d.szablonZlecenia = idZCombo(m_szablonZlec);
    d.szablonPotwierdzenia = idZCombo(m_szablonPotw);
    d.uwagiFvWidoczne = m_prawaFv;
    d.uwagiSpWidoczne = m_prawaFv;
    d.uwagiFv = linie(m_uwagiFv);
    d.uwagiSp = linie(m_uwagiSp);
    d.idFvUd = idZCombo(m_uwagiDod);
    d.idKontaRozl = idZCombo(m_konto);
    d.dataKursuAuto = m_dataKursuAuto->isChecked();
    d.dataKursuZrodlo = m_dataRozladunku->isChecked() ? 1 : 0;
    d.dniKursuIndeks = m_dniKursu->currentIndex();
    d.oswiadczenieVat = m_oswiadczenieVat->isChecked();
    d.fvPodsum2 = m_fvPodsum2->isChecked();
    d.fvJednaWaluta = m_fvJednaWaluta->isChecked();
    d.papierFirmowy = m_papierFirmowy->isChecked();
    d.marginesGorny = m_margines->text().trimmed();
}

void StronaDomyslneFv::zaladuj(int idFirmy)
{
    StronaFirmy::zaladuj(idFirmy);
    const QScopedValueRollback wypelnianie(m_wypelnianie, true);
    const QSignalBlocker cisza(m_konto);
    ladujKonta();
}

void StronaDomyslneFv::nowySzablonZlecenia(QComboBox *lista, int rodzaj)
{
    if (host::SprawdzUpr(QStringLiteral("delivery_terms.dll")) < 0) {
        host::InfoBox(this, QStringLiteral("Resstrings_IDS_Brak_Upr"), host::mb::IconWarning);
        return;
    }
    const std::optional<int> id =
        host::callSibling<int(int)>(QStringLiteral("delivery_terms.dll"), "_NewRecord", rodzaj);
    SlownikiFirmy::ladujSzablonyZlecen(m_szablonZlec);
    SlownikiFirmy::ladujSzablonyZlecen(m_szablonPotw);
    if (id && *id > 0)
        lista->setCurrentIndex(lista->findData(*id));
    lista->setFocus();
}

void StronaDomyslneFv::edytujSzablonZlecenia(QComboBox *lista, int rodzaj)
{
    const int id = lista->currentIndex() < 0 ? 0 : lista->currentData().toInt();
    if (id <= 0)
        return;
    if (host::SprawdzUpr(QStringLiteral("delivery_terms.dll")) < 0) {
        host::InfoBox(this, QStringLiteral("Resstrings_IDS_Brak_Upr"), host::mb::IconWarning);
        return;
    }
    host::callSibling<int(int, int)>(QStringLiteral("delivery_terms.dll"), "_EditRecord", rodzaj, id);
    SlownikiFirmy::ladujSzablonyZlecen(m_szablonZlec);
    SlownikiFirmy::ladujSzablonyZlecen(m_szablonPotw);
    lista->setFocus();
}

void StronaDomyslneFv::ustawUprawnienia(int upr)
{
    StronaFirmy::ustawUprawnienia(upr);
    ustawPrzyciskiUwag();
}

void StronaDomyslneFv::dodajSzablonUwag()
{
    const int id = m_upr >= 1 ? szablony_uwag::Dodaj(this, m_upr) : 0;
    if (id <= 0)
        return;
    szablony_uwag::Laduj(m_uwagiDod);
    m_uwagiDod->setCurrentIndex(m_uwagiDod->findData(id));
    ustawPrzyciskiUwag();
    emit zmieniono();
}

void StronaDomyslneFv::edytujSzablonUwag()
{
    const int id = m_uwagiDod->currentIndex() > 0 ? m_uwagiDod->currentData().toInt() : 0;
    if (id > 0)
        szablony_uwag::Edytuj(this, id, m_upr); // read-only without the right to save
}

void StronaDomyslneFv::usunSzablonUwag()
{
    const int id = m_uwagiDod->currentIndex() > 0 ? m_uwagiDod->currentData().toInt() : 0;
    if (id <= 0 || m_upr < 1)
        return;
    szablony_uwag::Usun(id);
    szablony_uwag::Laduj(m_uwagiDod);
    m_uwagiDod->setCurrentIndex(0);
    ustawPrzyciskiUwag();
}

void StronaDomyslneFv::ustawPrzyciskiUwag()
{
    const bool wybrany = m_uwagiDod->currentIndex() > 0;
    m_dodajUwagi->setEnabled(m_upr >= 1);
    m_edytujUwagi->setEnabled(wybrany);
    m_usunUwagi->setEnabled(wybrany && m_upr >= 1);
}

} // namespace partners
